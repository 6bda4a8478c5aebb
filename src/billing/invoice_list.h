#pragma once

#include "store/record_table.h"

#include <QList>
#include <QString>

// The rows of the invoice list (`ListFact`): every invoice block of the
// table, in block-number order, whatever gaps the numbering has. Each row
// keeps the number and the first line of its block, so that choosing a row
// opens that very block, whatever its invoice number says. Moving a row up
// or down changes only the order shown. The texts are read from the table
// only when asked for: the table must not change while the rows are in use.
class InvoiceList
{
public:
    // Number (after "NUMF", trimmed), date, client code, stay from, stay to,
    // client name: as stored.
    static constexpr int kColumns = 6;

    explicit InvoiceList(const RecordTable &table);

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
    QList<Row> m_rows;
};
