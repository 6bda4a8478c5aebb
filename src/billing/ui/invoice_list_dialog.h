#pragma once

#include "billing/invoice_list.h"
#include "cards/ui/card_list_dialog.h"

class QTableView;
class QToolButton;

// A list window over the blocks of a table, with two arrows above the list
// that move the selected row up or down (the order shown only). Enter, a
// double click or "Fermer" give back the selected row's block; Escape
// gives back -1.
class BlockListDialog : public CardListDialog
{
    Q_OBJECT
public:
    // The rows must outlive the dialog; the arrows reorder them.
    void Init(BlockList &rows);
    // The block chosen when the window closed, or -1.
    int chosen() const;

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }
    QTableView *view() const { return m_view; }

protected:
    // `columns` after the hidden block number; `widths` from the hidden column.
    BlockListDialog(const QString &title, const QList<GridModel::Column> &columns,
                    const QList<int> &widths, QSize size, QWidget *parent);

private:
    void move(bool up);

    BlockList *m_rows = nullptr;
    QTableView *m_view;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_closedOn = -1; // "Fermer" keeps the selection
};

// "Liste des factures": every invoice block with its number, date, client,
// stay and name.
class TFListeFactures : public BlockListDialog
{
    Q_OBJECT
public:
    explicit TFListeFactures(QWidget *parent = nullptr);

    // Shows the list maximised and gives back the chosen block, or -1.
    static int run(QWidget *parent, InvoiceList &rows);
};
