#pragma once

#include "grid_model.h"

#include <QDialog>

#include <functional>

class QTableView;

// The list window of a card page: one row a card of its table, the first
// column (the card's block number) hidden. Double-click or Enter on a row
// gives back its block number; "Fermer" gives back -1. A page gives its
// columns and their widths, then its rows.
class CardListDialog : public QDialog
{
    Q_OBJECT
public:
    int Result() const { return m_result; }
    // Shows the list maximised and gives back the chosen block.
    int runMaximised();

protected:
    // `widths` in pixels from the first column; the last column takes the rest.
    CardListDialog(const QString &title, const QList<GridModel::Column> &columns,
                   const QList<int> &widths, QSize size, QWidget *parent);
    // Shows `count` rows, the first selected; `block` gives a row's block number.
    void setRows(int count, GridModel::Cell cell, std::function<int(int row)> block);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(int row);

    GridModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    std::function<int(int row)> m_block;
    int m_result = -1;
};
