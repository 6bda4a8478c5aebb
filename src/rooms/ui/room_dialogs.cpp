#include "room_dialogs.h"

#include "clients/ui/pick_list_dialog.h"

#include "clients/ui/field_validator.h"
#include "store/text.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>


TChambre::TChambre(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Catégorie de chambre"));
    m_category = new QComboBox;
    m_category->setEditable(true);
    m_category->setInsertPolicy(QComboBox::NoInsert);
    m_category->setValidator(new FieldValidator(FieldValidator::Text, m_category));
    m_category->setMinimumWidth(200);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Catégorie"), m_category);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    addOkCancel(this, layout);
}

void TChambre::Init(const QStringList &categories, const QString &text)
{
    m_category->clear();
    m_category->addItems(categories);
    m_category->setCurrentIndex(m_category->findText(text));
    m_category->setEditText(text);
}

std::optional<QString> TChambre::Result() const
{
    if (result() != Accepted)
        return std::nullopt;
    return text::upperAZ(m_category->currentText());
}

std::optional<QString> TChambre::run(QWidget *parent, const QStringList &categories,
                                     const QString &text)
{
    TChambre dialog(parent);
    dialog.Init(categories, text);
    dialog.exec();
    return dialog.Result();
}

TRChb::TRChb(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Recherche par numéro de chambre"));
    m_number = new QLineEdit;
    // Digits, blanks and points only.
    m_number->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 .]*")), m_number));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("N° chambre"), m_number);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    addOkCancel(this, layout);
}

void TRChb::Init(const QString &number)
{
    m_number->setText(number);
    m_number->setFocus();
}

QString TRChb::Result() const
{
    return result() == Accepted ? m_number->text() : QString();
}

QString TRChb::run(QWidget *parent)
{
    TRChb dialog(parent);
    dialog.Init();
    dialog.exec();
    return dialog.Result();
}

TTri3::TTri3(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Trier"));
    auto *group = new QGroupBox(QStringLiteral("Trier par"));
    auto *column = new QVBoxLayout(group);
    m_key = new QButtonGroup(this);
    for (const QString &key : {QStringLiteral("Numéro"), QStringLiteral("Occupant")}) {
        auto *radio = new QRadioButton(key);
        m_key->addButton(radio, int(m_key->buttons().size()));
        column->addWidget(radio);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    addOkCancel(this, layout, QStringLiteral("Anuler"));
    Init();
}

void TTri3::Init()
{
    m_key->button(0)->setChecked(true);
}

int TTri3::Result() const
{
    return result() == Accepted ? m_key->checkedId() : -1;
}

int TTri3::run(QWidget *parent)
{
    TTri3 dialog(parent);
    dialog.exec();
    return dialog.Result();
}

TListeCh::TListeCh(QWidget *parent)
    : PickListDialog(QStringLiteral("Liste des chambres"), 280, 360, parent)
{}

void TListeCh::Init(const QStringList &entries)
{
    m_list->clear();
    for (const QString &entry : entries) {
        const QString trimmed = entry.trimmed();
        auto *item = new QListWidgetItem(QString(trimmed).replace(u'\t', u' '), m_list);
        item->setData(Qt::UserRole, trimmed);
    }
}

QString TListeCh::Result() const
{
    const QListWidgetItem *item = chosen();
    if (!item)
        return {};
    QString rest = item->data(Qt::UserRole).toString();
    return text::beforeTab(rest).trimmed();
}

QString TListeCh::run(QWidget *parent, const QStringList &entries)
{
    TListeCh dialog(parent);
    dialog.Init(entries);
    dialog.exec();
    return dialog.Result();
}
