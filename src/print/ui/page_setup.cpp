#include "page_setup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QButtonGroup *radioGroup(QWidget *dialog, QVBoxLayout *layout, const QString &title,
                         const QStringList &entries)
{
    auto *box = new QGroupBox(title, dialog);
    auto *boxLayout = new QVBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < entries.size(); ++i) {
        auto *radio = new QRadioButton(entries[i], box);
        group->addButton(radio, i);
        boxLayout->addWidget(radio);
    }
    layout->addWidget(box);
    return group;
}

void check(QButtonGroup *group, int id)
{
    group->setExclusive(false); // so that no button at all can be checked
    for (QAbstractButton *b : group->buttons())
        b->setChecked(group->id(b) == id);
    group->setExclusive(true);
}

} // namespace

TMPage::TMPage(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Mise en page"));
    auto *layout = new QVBoxLayout(this);
    m_paper = radioGroup(this, layout, QStringLiteral("Type de papier"),
                         {QStringLiteral("Papier blanc"), QStringLiteral("Papier à en-tête")});
    m_orientation = radioGroup(this, layout, QStringLiteral("Orientation enveloppe"),
                               {QStringLiteral("Portrait"), QStringLiteral("Paysage")});
    m_guide = new QCheckBox(QStringLiteral("Guide enveloppe à droite"), this);
    layout->addWidget(m_guide);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TMPage::Init(const Settings &s)
{
    const bool inRange = s.paperType >= 0 && s.paperType <= 3 && s.envelopeOrientation >= 0 &&
                         s.envelopeOrientation <= 1;
    m_paperType = inRange ? s.paperType : 0;
    check(m_paper, m_paperType);
    check(m_orientation, inRange ? s.envelopeOrientation : 0);
    m_guide->setChecked(inRange && s.envelopeGuide == 100);
}

void TMPage::Result(Settings &s) const
{
    s.paperType = m_paper->checkedId() >= 0 ? m_paper->checkedId() : m_paperType;
    s.envelopeOrientation = std::max(m_orientation->checkedId(), 0);
    s.envelopeGuide = m_guide->isChecked() ? 100 : 0;
}

bool ParM(QWidget *parent, Settings &settings)
{
    TMPage dialog(parent);
    dialog.Init(settings);
    // Centred on the screen rather than on its parent.
    dialog.adjustSize();
    if (const QScreen *screen = dialog.screen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Result(settings);
    return true;
}
