#pragma once

// A hotel built from literal lines: invoices with their stay's last day,
// rooms with a designation and a closure, clients with a stay.

#include "billing/billing_fixture.h"
#include "stats/statistics.h"

// An invoice block whose stay ends on `au`, for `client` named `name` in
// `room`, with the given grid lines.
inline QStringList statInvoice(int n, const QString &au, const QStringList &tagged,
                               const QString &client = "10001", const QString &name = "Martin Paul",
                               const QString &room = "12", bool validated = false)
{
    InvoiceFields f;
    f.client = client;
    f.room = room;
    f.address[0] = name;
    f.validated = validated ? "Y" : "N";
    QStringList block = invoiceBlock(n, tagged, f);
    block[invoiceline::StayTo] = au;
    return block;
}

// One line of `amount` under VAT code 1.
inline QStringList amountLine(const QString &amount)
{
    return {line("Nuit", "1", amount)};
}

inline FileSet setOf(const QStringList &invoices, const QStringList &rooms = {},
                     const QStringList &clients = {})
{
    FileSet set;
    set.table(Table::Invoices) = tableOf(invoices);
    set.setCount(Table::Invoices, set.table(Table::Invoices).countBlocks());
    set.table(Table::Rooms) = tableOf(rooms);
    set.setCount(Table::Rooms, set.table(Table::Rooms).countBlocks());
    set.table(Table::Clients) = tableOf(clients);
    set.setCount(Table::Clients, set.table(Table::Clients).countBlocks());
    return set;
}

inline InvoicePassSettings passSettings(int decimals = 2)
{
    InvoicePassSettings s;
    s.vatRates = {5.5, 10, 20};
    s.decimals = decimals;
    s.today = QDate(2026, 6, 15);
    return s;
}

// The rows of a grid or a statistic, each row's cells joined by TABs.
inline QStringList rowsOf(const GridSheet &sheet)
{
    QStringList rows;
    for (const QStringList &r : sheet.rows)
        rows << r.join('\t');
    return rows;
}

inline QStringList rowsOf(const StatTable &t)
{
    return rowsOf(t.sheet);
}
