#include "client_search_dialogs.h"

#include "field_validator.h"
#include "pick_list_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Lets through only the characters a search field accepts, typed or pasted.
class SearchKeys : public QValidator
{
public:
    SearchKeys(ClientSearch kind, QObject *parent) : QValidator(parent), m_kind(kind) {}
    State validate(QString &input, int &) const override
    {
        for (QChar c : input)
            if (!searchKeyAccepted(m_kind, c))
                return Invalid;
        return Acceptable;
    }

private:
    ClientSearch m_kind;
};


} // namespace

TRechCli::TRechCli(ClientSearch kind, QWidget *parent) : QDialog(parent)
{
    static const char16_t *const captions[] = {u"Recherche par nom", u"Recherche par code client",
                                               u"Recherche par téléphone"};
    static const char16_t *const labels[] = {u"Début nom", u"Code client", u"Téléphone"};
    setWindowTitle(QString::fromUtf16(captions[int(kind)]));
    m_text = new QLineEdit;
    m_text->setObjectName(QStringLiteral("text"));
    if (kind == ClientSearch::Name)
        m_text->setValidator(new FieldValidator(FieldValidator::Text, m_text));
    else
        m_text->setValidator(new SearchKeys(kind, m_text));
    m_text->setMinimumWidth(220);
    auto *form = new QFormLayout;
    form->addRow(QString::fromUtf16(labels[int(kind)]), m_text);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    addOkCancel(this, layout);
}

void TRechCli::Init(const QString &text)
{
    m_text->setText(text);
    m_text->setFocus();
}

QString TRechCli::Result() const
{
    return result() == Accepted ? m_text->text() : QString();
}

QString TRechCli::run(ClientSearch kind, QWidget *parent)
{
    TRechCli dialog(kind, parent);
    dialog.Init();
    dialog.exec();
    return dialog.Result();
}

TTri::TTri(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Trier"));
    auto *group = new QGroupBox(QStringLiteral("Trier par"));
    auto *column = new QVBoxLayout(group);
    m_key = new QButtonGroup(this);
    for (const QString &key : {QStringLiteral("Code"), QStringLiteral("Nom/ société"),
                               QStringLiteral("Code postal"), QStringLiteral("Ville")}) {
        auto *radio = new QRadioButton(key);
        m_key->addButton(radio, int(m_key->buttons().size()));
        column->addWidget(radio);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    addOkCancel(this, layout, QStringLiteral("Anuler"));
    Init();
}

void TTri::Init()
{
    m_key->button(0)->setChecked(true);
}

std::optional<SortKey> TTri::Result() const
{
    if (result() != Accepted)
        return std::nullopt;
    return SortKey(m_key->checkedId());
}

std::optional<SortKey> TTri::run(QWidget *parent)
{
    TTri dialog(parent);
    dialog.exec();
    return dialog.Result();
}

TListeCli::TListeCli(QWidget *parent)
    : PickListDialog(QStringLiteral("Liste des clients"), 360, 400, parent)
{}

void TListeCli::Init(const QStringList &entries)
{
    m_list->clear();
    m_list->addItems(entries);
}

QString TListeCli::Result() const
{
    const QListWidgetItem *item = chosen();
    return item ? guestCode(item->text()) : QString();
}

QString TListeCli::run(QWidget *parent, const QStringList &entries)
{
    TListeCli dialog(parent);
    dialog.Init(entries);
    dialog.exec();
    return dialog.Result();
}

void runSetSel(QWidget *parent, ClientPage &page, int mode)
{
    std::optional<QString> answer;
    if (const auto question = selectionQuestion(page, mode)) {
        bool ok = false;
        const QString text = QInputDialog::getText(parent, question->caption, question->prompt,
                                                   QLineEdit::Normal, question->offered, &ok);
        if (ok)
            answer = text;
    }
    SetSel(page, mode, answer);
}
