#include "article_dialogs.h"

#include <QLineEdit>
#include <QListWidget>

TArticle::TArticle(QWidget *parent)
    : ComboQuestionDialog(QStringLiteral("Familes d'articles"), QStringLiteral("Famille"), parent)
{}

TRArt::TRArt(QWidget *parent)
    : LineQuestionDialog(QStringLiteral("Recherche d'un article"), QStringLiteral("Désignation"),
                         parent)
{}

void TRArt::Init(const QString &text)
{
    LineQuestionDialog::Init(text);
    m_text->selectAll();
}

TListeArt1::TListeArt1(QWidget *parent)
    : PickListDialog(QStringLiteral("Liste des articles"), 360, 420, parent)
{}

void TListeArt1::Init(const RecordTable &articles)
{
    m_list->clear();
    for (const ArticlePick &pick : articlePicks(articles)) {
        auto *item = new QListWidgetItem(pick.entry, m_list);
        item->setData(Qt::UserRole, pick.code);
    }
}

QString TListeArt1::Result() const
{
    const QListWidgetItem *item = chosen();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

namespace {

enum Column { Block, Ordinal, Code, Family, Designation, Price, Rate, Supplier, Account };

QVariant cell(const ArticleListRow &r, int row, int column)
{
    switch (column) {
    case Block:
        return r.block;
    case Ordinal:
        return row + 1;
    case Code:
        return r.code;
    case Family:
        return r.family;
    case Designation:
        return r.designation;
    case Price:
        return r.price.trimmed();
    case Rate:
        return r.rate.trimmed();
    case Supplier:
        return r.supplier;
    case Account:
        return r.account;
    }
    return {};
}

} // namespace

TFListe6::TFListe6(QWidget *parent)
    : CardListDialog(QStringLiteral("Liste des articles"),
                     {{},
                      {{}, Qt::AlignRight},
                      {QStringLiteral("Code")},
                      {QStringLiteral("Famille")},
                      {QStringLiteral("Désignation")},
                      {QStringLiteral("Prix"), Qt::AlignRight},
                      {QStringLiteral("TVA"), Qt::AlignRight},
                      {QStringLiteral("Fournisseur")},
                      {QStringLiteral("Compte")}},
                     {0, 40, 77, 127, 185, 112, 55, 133, 60}, QSize(820, 480), parent)
{}

void TFListe6::Init(const QList<ArticleListRow> &rows)
{
    setRows(
        int(rows.size()), [rows](int row, int column) { return cell(rows[row], row, column); },
        [rows](int row) { return rows[row].block; });
}
