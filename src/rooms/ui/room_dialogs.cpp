#include "room_dialogs.h"

#include "cards/ui/field_validator.h"
#include "store/text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>

TChambre::TChambre(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Catégorie de chambre"));
    m_category = new QComboBox;
    m_category->setEditable(true);
    m_category->setInsertPolicy(QComboBox::NoInsert);
    m_category->setValidator(new FieldValidator(FieldValidator::Text, m_category));
    m_category->setMinimumWidth(200);
    layOutQuestion(this, QStringLiteral("Catégorie"), m_category);
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

TRChb::TRChb(QWidget *parent)
    : LineQuestionDialog(QStringLiteral("Recherche par numéro de chambre"),
                         QStringLiteral("N° chambre"), parent)
{
    // Digits, blanks and points only.
    m_text->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 .]*")), m_text));
}

TTri3::TTri3(QWidget *parent)
    : SortDialog({QStringLiteral("Numéro"), QStringLiteral("Occupant")}, parent)
{}

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
