#pragma once

#include "cards/ui/question_dialogs.h"
#include "purchasing/supplier_page.h"

#include <QWidget>

class CardFields;
class GridModel;
class QComboBox;
class QFormLayout;
class QLineEdit;

// The supplier page of the record window: shows the card of its page model
// and reports every edit to it. The model does the work; this page binds
// the fields and asks the questions of the supplier commands.
class TSupplierPage : public QWidget
{
    Q_OBJECT
public:
    explicit TSupplierPage(SupplierPage &page, QWidget *parent = nullptr);

    // The supplier commands that ask something first: the selection (mode 2
    // asks for the family), the search by name and the list window.
    void SetFour(int mode, const ShowDialog &show);
    void RechNom(const ShowDialog &show);
    void Liste(const ShowDialog &show);

public slots:
    // Shows the card again, after the model changed it. Never marks it modified.
    void refresh();

private:
    QWidget *buildSupplierGroup();
    QWidget *buildBankGroup();
    QWidget *buildOtherGroup();
    QWidget *buildStatementGroup();
    QLineEdit *addText(QFormLayout *form, const QString &label, QString &value);
    void addStatementRow();

    SupplierPage &m_page;
    CardFields *m_fields = nullptr;
    QComboBox *m_family = nullptr;
    // The family list the drop-down holds.
    QStringList m_families;
    GridModel *m_statement = nullptr;
};
