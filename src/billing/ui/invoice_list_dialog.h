#pragma once

#include "billing/invoice_list.h"
#include "cards/ui/card_list_dialog.h"

class QTableView;
class QToolButton;

// "Liste des factures": every invoice block with its number, date, client,
// stay and name. The arrows above the list move the selected invoice up or
// down (the order shown only). Enter, a double click or "Fermer" give back
// the selected invoice's block; Escape gives back -1.
class TFListeFactures : public CardListDialog
{
    Q_OBJECT
public:
    explicit TFListeFactures(QWidget *parent = nullptr);
    // The rows must outlive the dialog; the arrows reorder them.
    void Init(InvoiceList &rows);
    // The block chosen when the window closed, or -1.
    int chosen() const;

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }
    QTableView *view() const { return m_view; }

    // Shows the list maximised and gives back the chosen block, or -1.
    static int run(QWidget *parent, InvoiceList &rows);

private:
    void move(bool up);

    InvoiceList *m_rows = nullptr;
    QTableView *m_view;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_closedOn = -1; // "Fermer" keeps the selection
};
