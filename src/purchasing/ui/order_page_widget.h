#pragma once

#include "billing/ui/invoice_grid.h"
#include "cards/ui/question_dialogs.h"
#include "purchasing/order_page.h"

#include <QWidget>

class CardFields;
class QLineEdit;
class QRadioButton;

// The purchase orders page of the record window: the header, the supplier's
// address, the 63 order lines, the observations and the three totals of its
// page model. Every edit is reported to the model, whose rules do the work:
// the grid's keys, the totals, creation and validation. A validated order
// is shown with its grid read-only and "Valider" off; its header stays
// editable.
class TOrderPage : public QWidget
{
    Q_OBJECT
public:
    TOrderPage(OrderPage &page, Fiche &fiche, QWidget *parent = nullptr);

    // The cursor in "Code fournisseur".
    void focusFirstField();
    // How the supplier picker is shown: modally unless a test answers it.
    void setShowDialog(ShowDialog show) { m_show = std::move(show); }
    LineGridView *grid() const { return m_gridView; }

public slots:
    // Shows the order again, after the model changed it. Never marks it modified.
    void refresh();

signals:
    // The grid took or lost the focus: "Supprimer ligne" follows it.
    void gridFocusChanged(bool focused);
    // "Imprimer".
    void printRequested();

private:
    QWidget *buildHeader();
    QWidget *buildAddress();
    QWidget *buildFooter();
    void showTotals();
    void pickSupplier();

    OrderPage &m_page;
    Fiche &m_fiche;
    CardFields *m_fields = nullptr;
    ShowDialog m_show = [](QDialog &dialog) { return dialog.exec(); };

    QLineEdit *m_supplier = nullptr;
    QRadioButton *m_withoutTax = nullptr, *m_withTax = nullptr;
    LineGridModel *m_gridModel = nullptr;
    LineGridView *m_gridView = nullptr;
    // "Total H.T.", "Total TVA", "TOTAL TTC" and the currency beside it.
    QLabel *m_exclusive = nullptr, *m_vat = nullptr, *m_total = nullptr, *m_currency = nullptr;
    LinePageFoot m_foot;
};
