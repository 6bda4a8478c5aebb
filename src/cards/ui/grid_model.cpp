#include "grid_model.h"

#include <QHeaderView>
#include <QTableView>

void GridModel::setRows(int count, Cell cell)
{
    beginResetModel();
    m_count = count;
    m_cell = std::move(cell);
    endResetModel();
}

void GridModel::reload(int count)
{
    if (m_count != count) {
        beginResetModel();
        m_count = count;
        endResetModel();
    } else if (m_count > 0) {
        emit dataChanged(index(0, 0), index(m_count - 1, columnCount() - 1));
    }
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_count || !m_cell)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(m_columns[index.column()].align | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    return m_cell(index.row(), index.column());
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    const Column &column = m_columns[section];
    if (role == Qt::TextAlignmentRole && column.alignTitle)
        return int(column.align | Qt::AlignVCenter);
    return role == Qt::DisplayRole ? column.title : QVariant();
}

QTableView *gridView(QAbstractItemModel *model)
{
    auto *view = new QTableView;
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    // Fixed row heights: the view never measures the rows it does not show.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}
