#include "invoice_list.h"

#include "invoice.h"

#include <algorithm>

BlockList::BlockList(const RecordTable &table, QList<int> offsets, QByteArray numberTag)
    : m_table(&table), m_offsets(std::move(offsets)), m_numberTag(std::move(numberTag))
{
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QByteArrayView l = table.line(i);
        if (!RecordTable::isStart(l))
            continue;
        if (const std::optional<qint64> n = table.startNumber(l); n && *n <= INT_MAX)
            m_rows.append({int(*n), i});
    }
    // Blocks out of order are listed by number; of two blocks with one
    // number, the first in the table is the one every page reads.
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const Row &a, const Row &b) { return a.block < b.block; });
    m_rows.erase(std::unique(m_rows.begin(), m_rows.end(),
                             [](const Row &a, const Row &b) { return a.block == b.block; }),
                 m_rows.end());
}

QString BlockList::field(int row, int column) const
{
    if (row < 0 || row >= size() || column < 0 || column >= columns())
        return {};
    const qsizetype start = m_rows[row].start;
    const int offset = m_offsets[column];
    // A block cut short gives nothing for the lines it lacks.
    for (int k = 1; k <= offset; ++k) {
        const qsizetype i = start + k;
        if (i >= m_table->size() || RecordTable::isStart(m_table->line(i)) ||
            RecordTable::isEnd(m_table->line(i)))
            return {};
    }
    const QString text = m_table->text(start + offset);
    if (column == 0)
        return text.startsWith(QLatin1String(m_numberTag)) ? text.mid(m_numberTag.size()).trimmed()
                                                           : QString();
    return text;
}

bool BlockList::moveUp(int row)
{
    if (row <= 0 || row >= size())
        return false;
    m_rows.swapItemsAt(row, row - 1);
    return true;
}

bool BlockList::moveDown(int row)
{
    if (row < 0 || row + 1 >= size())
        return false;
    m_rows.swapItemsAt(row, row + 1);
    return true;
}

InvoiceList::InvoiceList(const RecordTable &table)
    : BlockList(table,
                {invoiceline::Number, invoiceline::Date, invoiceline::Client, invoiceline::StayFrom,
                 invoiceline::StayTo, invoiceline::Address},
                "NUMF")
{}
