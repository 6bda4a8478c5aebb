#pragma once

#include "store/record_table.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The rows of a list window over the blocks of a table (the invoices, the
// orders): every block, in block-number order, whatever gaps the numbering
// has. Each row keeps the number and the first line of its block, so that
// choosing a row opens that very block, whatever number its text shows.
// Moving a row up or down changes only the order shown. The texts are read
// from the table only when asked for: the table must not change while the
// rows are in use.
class BlockList
{
public:
    // Column k shows line offsets[k] of each block; the first column is
    // the block's number line, shown without `numberTag` and trimmed.
    BlockList(const RecordTable &table, QList<int> offsets, QByteArray numberTag);

    int columns() const { return int(m_offsets.size()); }
    int size() const { return int(m_rows.size()); }
    int block(int row) const { return m_rows[row].block; }
    QString field(int row, int column) const;

    // Swaps a row with the one above (below); false at the top (bottom).
    bool moveUp(int row);
    bool moveDown(int row);

private:
    struct Row
    {
        int block;
        qsizetype start;
    };
    const RecordTable *m_table;
    QList<int> m_offsets;
    QByteArray m_numberTag;
    QList<Row> m_rows;
};

// The invoice list (`ListFact`): number (after "NUMF"), date, client code,
// stay from, stay to, client name, as stored.
class InvoiceList : public BlockList
{
public:
    static constexpr int kColumns = 6;
    explicit InvoiceList(const RecordTable &table);
};
