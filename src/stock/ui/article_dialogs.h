#pragma once

#include "cards/ui/card_list_dialog.h"
#include "cards/ui/question_dialogs.h"
#include "stock/article_page.h"

// TArticle: the family of browse mode 2, chosen in the family list or typed.
class TArticle : public ComboQuestionDialog
{
    Q_OBJECT
public:
    explicit TArticle(QWidget *parent = nullptr);
};

// TRArt: the beginning of a designation to look for; Result() is the text
// typed, or empty after "Annuler".
class TRArt : public LineQuestionDialog
{
    Q_OBJECT
public:
    explicit TRArt(QWidget *parent = nullptr);
    // The field starts with its text selected.
    void Init(const QString &text = {});
};

// TListeArt1: picks an article of the price list, shown as "code designation"
// in table order. Result() is the chosen article's code, or empty after
// "Annuler" or with none chosen.
class TListeArt1 : public PickListDialog
{
    Q_OBJECT
public:
    explicit TListeArt1(QWidget *parent = nullptr);
    void Init(const RecordTable &articles);
    QString Result() const;
    static QString run(QWidget *parent, const RecordTable &articles)
    {
        return runDialog<TListeArt1>(parent, articles);
    }
};

// TFListe6: every article in table order, with its code, family,
// designation, price, rate, supplier and account.
class TFListe6 : public CardListDialog
{
    Q_OBJECT
public:
    explicit TFListe6(QWidget *parent = nullptr);
    void Init(const QList<ArticleListRow> &rows);
};
