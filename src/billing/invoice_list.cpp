#include "invoice_list.h"

#include "invoice.h"

#include <algorithm>
#include <array>

InvoiceList::InvoiceList(const RecordTable &table) : m_table(&table)
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

QString InvoiceList::field(int row, int column) const
{
    static constexpr std::array<int, kColumns> offsets = {
        invoiceline::Number,   invoiceline::Date,   invoiceline::Client,
        invoiceline::StayFrom, invoiceline::StayTo, invoiceline::Address};
    if (row < 0 || row >= size() || column < 0 || column >= kColumns)
        return {};
    const qsizetype start = m_rows[row].start;
    const int offset = offsets[std::size_t(column)];
    // A block cut short gives nothing for the lines it lacks.
    for (int k = 1; k <= offset; ++k) {
        const qsizetype i = start + k;
        if (i >= m_table->size() || RecordTable::isStart(m_table->line(i)) ||
            RecordTable::isEnd(m_table->line(i)))
            return {};
    }
    const QString text = m_table->text(start + offset);
    if (column == 0)
        return text.startsWith(u"NUMF") ? text.mid(4).trimmed() : QString();
    return text;
}

bool InvoiceList::moveUp(int row)
{
    if (row <= 0 || row >= size())
        return false;
    m_rows.swapItemsAt(row, row - 1);
    return true;
}

bool InvoiceList::moveDown(int row)
{
    if (row < 0 || row + 1 >= size())
        return false;
    m_rows.swapItemsAt(row, row + 1);
    return true;
}
