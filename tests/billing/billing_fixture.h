#pragma once

// Invoice, client, room and article tables built from literal lines, and a
// record window with the client, room and invoice pages over them.

#include "billing/invoice_page.h"
#include "clients/client_page.h"
#include "rooms/room_page.h"

#include "scripted_ui.h"
#include "store/money.h"
#include "store/settings.h"
#include "store/table_helpers.h"
#include "store/text.h"
#include "tool_run.h"

#include <QTemporaryDir>

#include <ostream>

// A failed check shows the texts it compared.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// An exact amount from its text ("1,485").
inline Money money(const char *text)
{
    return Money::parse(QString::fromUtf8(text)).value();
}

// One FACT line: the eight cells joined by TABs.
inline QString fact(const QStringList &cells)
{
    return "FACT" + cells.join('\t');
}

// A grid line of `quantity` times `price` under VAT code `vat`.
inline QString line(const QString &designation, const QString &quantity, const QString &price,
                    const QString &vat = "1", const QString &discount = "")
{
    return fact({"01/03/2026", "10001", designation, quantity, price, discount, "", vat});
}

struct InvoiceFields
{
    QString number = "202603001", date = "01/03/2026", client = "10001", room = "12";
    QStringList address = {"Martin Paul", "1 rue Haute", "", "75011 PARIS"};
    QString vatShown = "N", validated = "N";
};

// An invoice block numbered n: the fourteen field lines, then the tagged lines.
inline QStringList invoiceBlock(int n, const QStringList &tagged, const InvoiceFields &f = {})
{
    const QString num = RecordTable::numberText(n, 5) + ">";
    return QStringList{"<BLOC" + num, "NUMF" + f.number, f.date,       f.client, f.room,
                       "Espèces",     "28/02/2026",      "01/03/2026", "Martin"} +
           f.address + QStringList{f.vatShown, f.validated} + tagged + QStringList{"</BLOC" + num};
}

// A client block: code at 1, name at 4, address at 5 to 8, room at 16.
inline QStringList clientBlock(int n, const QString &code, const QString &name,
                               const QStringList &tagged = {})
{
    const QString num = RecordTable::numberText(n, 5) + ">";
    return QStringList{"<BLOC" + num, code, "N", "N", name, "3 place Verte", "Bât. B", "69001",
                       "LYON", "FRANCE", "", "", "", "01/01/2026", "", "28/02/2026", "  12",
                       "01/03/2026", "1", "  /  /    ", "", "", "", "", "0"} +
           tagged + QStringList{"</BLOC" + num};
}

// A room block: number at 1, designation at 3, occupant at 8.
inline QStringList roomBlock(int n, const QString &number, const QString &occupant)
{
    const QString num = RecordTable::numberText(n, 5) + ">";
    QStringList l(18);
    l[0] = "<BLOC" + num;
    l[1] = number;
    l[3] = "Double";
    l[8] = occupant;
    return l << "</BLOC" + num;
}

// An article block (marker width 4): code at 1, designation at 3, price at 4.
inline QStringList articleBlock(int n, const QString &code, const QString &designation,
                                const QString &price, const QString &vat = "1")
{
    const QString num = RecordTable::numberText(n, 4) + ">";
    return {"<BLOC" + num, code, "Boissons", designation, price, vat, "</BLOC" + num};
}

struct Billing
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    RoomPage rooms{fiche};
    InvoicePage invoices{fiche, clients};

    explicit Billing(const QStringList &invoiceLines = {}, const QStringList &clientLines = {},
                     const QStringList &roomLines = {}, const QStringList &articleLines = {})
    {
        fiche.setPage(PageId::Clients, &clients);
        fiche.setPage(PageId::Rooms, &rooms);
        fiche.setPage(PageId::Invoices, &invoices);
        fiche.settings().vatRates = {5.5, 10, 20};
        fiche.lists().paymentModes = {"Espèces", "Chèque"};
        load(Table::Invoices, invoiceLines);
        load(Table::Clients, clientLines);
        load(Table::Rooms, roomLines);
        load(Table::Articles, articleLines, 4);
        clients.read();
        rooms.read();
        fiche.selectPage(PageId::Invoices);
    }
    void load(Table t, const QStringList &lines, int width = 5)
    {
        fiche.set().table(t) = tableOf(lines, width);
        fiche.set().setCount(t, fiche.set().table(t).countBlocks());
    }
    QStringList lines(Table t = Table::Invoices) const { return linesOf(fiche.set().table(t)); }
    InvoiceCard &card() { return invoices.card(); }
    LineGrid &grid() { return invoices.card().lines; }
    int position() const { return fiche.set().position(Table::Invoices); }
    int count() const { return fiche.set().count(Table::Invoices); }
    void show(int block)
    {
        fiche.set().setPosition(Table::Invoices, block);
        invoices.LitFact();
    }
    // Writes the card back and reads it again, as leaving and coming back does.
    void rewriteAndRead()
    {
        invoices.touch();
        invoices.EcritFact();
        invoices.LitFact();
    }
};

// A grid row from its designation on, the cells trimmed and joined by '|'.
inline QString rowText(const LineGrid &g, int r)
{
    QStringList cells;
    for (int c = invoicecol::Designation; c < invoicecol::Count; ++c)
        cells << g.cell(r, c).trimmed();
    return cells.join('|');
}

// Rows 1 to n of a grid, each as rowText gives it.
inline QStringList rowsText(const LineGrid &g, int n)
{
    QStringList rows;
    for (int r = 1; r <= n; ++r)
        rows << rowText(g, r);
    return rows;
}

// This month's first number, as Numerof proposes it on an empty table.
inline qint64 firstOfThisMonth()
{
    const QDate d = QDate::currentDate();
    return (qint64(d.year()) * 100 + d.month()) * 1000 + 1;
}

// The settings a hotel folder holds for the tool: three VAT rates.
inline Settings toolSettings(int decimals = 2)
{
    Settings s;
    s.decimals = decimals;
    s.vatRates = {5.5, 10, 20};
    return s;
}

// A hotel folder for the tool: the set LION.* with the given invoices and
// clients (one by default), and the folder's settings.
struct ToolSet
{
    QTemporaryDir dir;

    explicit ToolSet(const QStringList &invoices, const Settings &settings = toolSettings(),
                     const QStringList &clients = clientBlock(0, "10001", "Dupont"))
    {
        writeFile(path(), crlf(clients));
        writeFile(file("LION.fct"), crlf(invoices));
        writeFile(file("Carvelle.ini"), settingsBytes(settings));
    }
    QString path() const { return file("LION.htl"); }
    QString file(const QString &name) const { return dir.filePath(name); }
    // Runs the tool in the folder on this set: `command`, the set, `args`.
    int tool(const QString &command, const QStringList &args, QString *out,
             const std::function<void()> &inChild = {}) const
    {
        return runTool(dir.path(), QStringList{command, path()} + args, out, inChild);
    }
};
