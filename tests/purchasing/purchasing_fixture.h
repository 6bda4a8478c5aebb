#pragma once

// Order and supplier tables built from literal lines, and a record window
// with the order and supplier pages over them.

#include "purchasing/order_page.h"
#include "purchasing/supplier_page.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"
#include "store/text.h"

#include <gtest/gtest.h>

// One CMDE line: the seven cells joined by TABs.
inline QString cmde(const QString &ref, const QString &quantity, const QString &price,
                    const QString &vat = "1", const QString &discount = "")
{
    return "CMDE" +
           QStringList{ref, "Article " + ref, quantity, price, discount, "", vat}.join('\t');
}

struct OrderFields
{
    QString number = "202405001", date = "15/05/2024", supplier = "10001";
    QStringList address = {"Brasserie du Port", "2 quai Sud", "", "29200 BREST"};
    QString tax = "TTCN", validated = "N";
};

// An order block numbered n: the ten header lines, then the tagged lines.
inline QStringList orderBlock(qint64 n, const QStringList &tagged, const OrderFields &f = {})
{
    const QString num = RecordTable::numberText(n, 4) + ">";
    return QStringList{"<BLOC" + num, "NUM" + f.number, f.date, f.supplier, "A réception"} +
           f.address + QStringList{f.tax, f.validated} + tagged + QStringList{"</BLOC" + num};
}

// A supplier block: code, family, name, the address at 4 to 7, "f8" to
// "f21", the account at 22, then the tagged lines.
inline QStringList supplier(qint64 n, const QString &code, const QString &name,
                            const QString &family = "Boissons", const QStringList &tagged = {},
                            const QString &account = "401000")
{
    const QString num = RecordTable::numberText(n, 4) + ">";
    QStringList l{"<BLOC" + num, code, family, name, "1 rue Basse", "", "29000", "QUIMPER"};
    for (int i = 8; i <= 21; ++i)
        l << "f" + QString::number(i);
    return l << account << tagged << "</BLOC" + num;
}

// A record window with the order and supplier pages, showing `shown`.
struct Purchasing
{
    ScriptedUi ui;
    Fiche fiche{ui};
    OrderPage page{fiche};
    SupplierPage suppliers{fiche};
    Table shownTable;

    explicit Purchasing(const QStringList &orders = {}, const QStringList &supplierLines = {},
                        PageId shown = PageId::Orders)
        : shownTable(shown == PageId::Orders ? Table::Orders : Table::Suppliers)
    {
        fiche.setPage(PageId::Orders, &page);
        fiche.setPage(PageId::Suppliers, &suppliers);
        fiche.settings().vatRates = {20, 10, 5.5};
        fiche.settings().decimals = 2;
        load(Table::Orders, orders);
        load(Table::Suppliers, supplierLines);
        fiche.selectPage(shown);
    }
    void load(Table t, const QStringList &lines)
    {
        RecordTable &table = fiche.set().table(t);
        table.setBytes(crlf(lines));
        fiche.set().setCount(t, table.countBlocks());
    }
    QStringList lines() const { return lines(shownTable); }
    QStringList lines(Table t) const { return linesOf(fiche.set().table(t)); }
    int position() const { return fiche.set().position(shownTable); }
    LineGrid &grid() { return page.card().lines; }
    // Types a line as the grid does: cells, then Enter in "Quantité".
    void typeLine(int row, const QString &ref, const QString &quantity, const QString &price)
    {
        grid().setCell(row, ordercol::Ref, ref);
        grid().setCell(row, ordercol::Quantity, quantity);
        grid().setCell(row, ordercol::Price, price);
        grid().cursorRow = row;
        grid().cursorColumn = ordercol::Quantity;
        page.StringGrid8KeyPress(LineGrid::kEnter);
    }
    void editSupplier(const QString &name)
    {
        suppliers.card().name = name;
        suppliers.touch();
    }
};

// A supplier table of the names given, codes from 10001.
inline QStringList suppliersNamed(const QStringList &names)
{
    QStringList lines;
    for (int i = 0; i < names.size(); ++i)
        lines += supplier(i, QString::number(10001 + i), names[i]);
    return lines;
}
