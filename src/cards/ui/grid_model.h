#pragma once

#include <QAbstractTableModel>
#include <QList>

#include <functional>

class QTableView;

// A read-only grid over rows a page gives: its columns (title and alignment)
// and a function that gives a cell. The cells are asked for only as they are
// shown, so a grid over a whole table opens at once.
class GridModel : public QAbstractTableModel
{
public:
    struct Column
    {
        QString title;
        Qt::Alignment align = Qt::AlignLeft;
        // Whether the title aligns as the cells do, rather than as the view wants.
        bool alignTitle = false;
    };
    // The cell at a row below the count given with it.
    using Cell = std::function<QVariant(int row, int column)>;

    explicit GridModel(QList<Column> columns, QObject *parent = nullptr)
        : QAbstractTableModel(parent), m_columns(std::move(columns))
    {}

    // Shows `count` rows, read by `cell`: the view starts afresh.
    void setRows(int count, Cell cell);
    // The rows changed in place: the view keeps its selection unless their
    // number changed.
    void reload(int count);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<Column> m_columns;
    Cell m_cell;
    int m_count = 0;
};

// A view of whole rows, one selected at a time, that edits nothing.
QTableView *gridView(QAbstractItemModel *model);
