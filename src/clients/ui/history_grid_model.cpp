#include "history_grid_model.h"

int HistoryGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows);
}

int HistoryGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_card.history.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == Amount ? int(Qt::AlignRight | Qt::AlignVCenter)
                                        : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const HistoryRow &row = m_card.history[index.row()];
    switch (index.column()) {
    case Date:
        return row.date;
    case Label:
        return row.label;
    case Amount:
        // Stored with the blanks that align it in the file; on screen the
        // cell aligns it in whatever font is installed.
        return row.amount.trimmed();
    }
    return {};
}

QVariant HistoryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return section == Amount ? int(Qt::AlignRight | Qt::AlignVCenter)
                                 : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    static const char16_t *const titles[ColumnCount] = {u"Date", u"Libellé", u"Montant"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf16(titles[section]) : QVariant();
}

Qt::ItemFlags HistoryGridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void HistoryGridModel::reload()
{
    if (m_rows != m_card.history.size()) {
        beginResetModel();
        m_rows = m_card.history.size();
        endResetModel();
    } else if (m_rows > 0) {
        emit dataChanged(index(0, 0), index(int(m_rows) - 1, ColumnCount - 1));
    }
}
