#pragma once

#include "cards/ui/card_list_dialog.h"
#include "cards/ui/question_dialogs.h"
#include "purchasing/supplier_page.h"

// TFour: the family of browse mode 2, chosen in the family list or typed.
class TFour : public ComboQuestionDialog
{
    Q_OBJECT
public:
    explicit TFour(QWidget *parent = nullptr);
};

// TFListe7: every supplier in table order, with its name, address, postal
// code, town, telephone and fax.
class TFListe7 : public CardListDialog
{
    Q_OBJECT
public:
    explicit TFListe7(QWidget *parent = nullptr);
    void Init(const QList<SupplierListRow> &rows);
};
