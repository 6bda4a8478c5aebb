#pragma once

#include "cards/ui/question_dialogs.h"
#include "store/record_table.h"

#include <QDialog>
#include <QString>

// TListeFour: picks a supplier, shown as "code name" in table order. OK or
// a double click picks; Result() is the chosen supplier's code, or empty
// after "Annuler" or with none chosen.
class TListeFour : public PickListDialog
{
    Q_OBJECT
public:
    explicit TListeFour(QWidget *parent = nullptr);
    void Init(const RecordTable &suppliers);
    QString Result() const;
};
