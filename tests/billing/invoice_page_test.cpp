#include "billing_fixture.h"

#include "billing/invoice_list.h"

#include "store/text.h"

#include <gtest/gtest.h>

namespace {

using namespace invoicecol;

QStringList numbered(int n, const QString &number, const QString &client = "10001")
{
    return invoiceBlock(n, {line("Nuit", "1", "50")}, {.number = number, .client = client});
}

QList<int> blocks(const InvoiceList &list)
{
    QList<int> out;
    for (int r = 0; r < list.size(); ++r)
        out << list.block(r);
    return out;
}

TEST(Numerof, ProposesTheNextNumberSkippingThoseThatAreNotWhole)
{
    Billing empty;
    EXPECT_EQ(empty.invoices.Numerof(), firstOfThisMonth());
    EXPECT_EQ(empty.card().number, QString::number(firstOfThisMonth()));

    // A larger number of another month wins; text that is not a whole
    // number takes no part (it used to stop the numbering).
    Billing b(invoiceBlock(0, {}, {.number = "209912005"}) +
              invoiceBlock(1, {}, {.number = "21000A001"}) +
              invoiceBlock(2, {line("Vin", "1", "1")}, {.number = " 12 "}) +
              invoiceBlock(3, {}, {.number = ""}));
    EXPECT_EQ(b.invoices.Numerof(), 209912006);
    // An invoice written with a larger number moves the proposal on.
    b.show(2);
    b.card().number = "209912040";
    b.rewriteAndRead();
    EXPECT_EQ(b.invoices.Numerof(), 209912041);
    // Deleting it gives the number back.
    b.invoices.SupFact();
    EXPECT_EQ(b.invoices.Numerof(), 209912006);
}

TEST(LitFact, TaggedLinesAreReadAfterTheHeaderOnlyAndNeverGrow)
{
    // Address lines 3 and 4 that look like tagged lines stay address lines.
    Billing b(invoiceBlock(0, {line("Vin", "2", "12")},
                           {.address = {"Martin Paul", "1 rue Haute", "MEMO du client",
                                        "FACT01/03/2026\t1\tfaux\t1\t1\t\t\t1"}}));
    EXPECT_EQ(b.card().address[2], "MEMO du client");
    for (int pass = 0; pass < 3; ++pass, b.rewriteAndRead()) {
        EXPECT_TRUE(b.card().memo.isEmpty()) << pass;
        EXPECT_EQ(b.card().lines.readRows(), 1) << pass;
    }

    // Lines of 21 to 23 characters, a memo of 300 characters, other lines,
    // and more than 86 tagged lines: all come back after a write and a read.
    QStringList tagged = {fact({"", "", "Thé", "10", "2,50", "", "", "1"}), // 21 characters
                          fact({"", "", "Vin", "1", "2", "", "", ""}),
                          fact({"", "", "", "", "", "", "", ""}).replace("FACT", "FACT "),
                          "MEMO" + QString(300, 'x'), "NOTE gardée"};
    for (int i = 0; i < 90; ++i)
        tagged << "MEMOligne " + QString::number(i);
    Billing all({invoiceBlock(0, tagged)});
    EXPECT_EQ(all.card().lines.readRows(), 3);
    EXPECT_EQ(all.card().lines.cell(1, Designation), "Thé");
    EXPECT_EQ(all.card().memo[0].size(), 300);
    const QStringList before = all.lines();
    all.rewriteAndRead();
    EXPECT_EQ(all.card().lines.readRows(), 2); // the blank line is dropped, nothing else
    EXPECT_EQ(all.card().memo.size(), 91);
    EXPECT_EQ(all.card().otherLines, QList<QByteArray>{QByteArray("NOTE gard\xe9"
                                                                  "e")});
    EXPECT_EQ(all.lines().size(), before.size() - 1);
}

TEST(LitFact, AnInvoiceOfSeventyLinesIsKeptWhole)
{
    QStringList tagged;
    for (int i = 1; i <= 70; ++i)
        tagged << line("Nuit " + QString::number(i), "1", "10");
    Billing b({invoiceBlock(0, tagged)});
    EXPECT_EQ(b.card().lines.readRows(), 63);
    EXPECT_EQ(b.card().lines.more.size(), 7);
    EXPECT_EQ(b.card().lines.highest, 63);
    EXPECT_EQ(b.invoices.totals().totalText, "700,00");
    b.rewriteAndRead();
    QStringList designations;
    for (const QString &l : b.lines())
        if (l.startsWith("FACT"))
            designations << l.section('\t', 2, 2);
    ASSERT_EQ(designations.size(), 70);
    EXPECT_EQ(designations.last(), "Nuit 70");
    // Deleting a line brings the first line kept apart into the grid.
    b.grid().cursorRow = 1;
    b.invoices.gridFocus = true;
    b.invoices.SupLigne1();
    EXPECT_EQ(b.grid().cell(63, Designation), "Nuit 64");
    EXPECT_EQ(b.grid().more.size(), 6);
}

TEST(EcritFact, WritesOnlyAValidModifiedInvoiceAtTheEndAndSupFactRenumbers)
{
    Billing b(invoiceBlock(0, {line("Vin", "2", "12")}) +
              invoiceBlock(1, {line("Eau", "1", "3")}, {.number = "202603002"}));
    const QStringList before = b.lines();
    b.invoices.EcritFact(); // not modified
    EXPECT_EQ(b.lines(), before);
    b.card().client.clear();
    b.invoices.touch();
    b.invoices.EcritFact(); // not valid
    EXPECT_EQ(b.lines(), before);

    b.card().client = "10002";
    b.invoices.EcritFact();
    EXPECT_EQ(b.lines().size(), before.size());
    // Block 0 moved to the end.
    EXPECT_EQ(b.lines().first() + b.lines().last(), "<BLOC00001></BLOC00000>");
    EXPECT_TRUE(b.fiche.set().isDirty());
    EXPECT_TRUE(b.invoices.Validef());
    b.card().number = " 12";
    EXPECT_FALSE(b.invoices.Validef());

    // Deleting a block renumbers those above.
    Billing d(invoiceBlock(0, {}, {.number = "1"}) + invoiceBlock(1, {}, {.number = "2"}) +
              invoiceBlock(2, {}, {.number = "3"}));
    d.show(1);
    d.invoices.SupFact();
    EXPECT_EQ(std::pair(d.position(), d.count()), std::pair(1, 2));
    EXPECT_EQ(d.card().number, "3");
    EXPECT_EQ(d.lines().filter("BLOC").join(' '),
              "<BLOC00000> </BLOC00000> <BLOC00001> </BLOC00001>");
    d.invoices.SupFact();
    EXPECT_EQ(QString::number(d.position()) + "/" + d.card().number, "0/1");
}

TEST(Creer, TakesTheNextBlockAndGivesItBackWhenNeverValid)
{
    // One short block: the new invoice must not take block 0 over it.
    Billing b({"<BLOC00000>", "NUMF202603001", "</BLOC00000>"});
    b.invoices.Creer();
    EXPECT_EQ(std::pair(b.position(), b.count()), std::pair(1, 1)); // counted once written
    EXPECT_EQ(b.grid().highest, 0);
    EXPECT_FALSE(b.card().validated);
    // Left empty: the next one takes the same number.
    b.invoices.Creer();
    EXPECT_EQ(b.position(), 1);
    b.card().client = "10001";
    b.grid().setCell(1, Designation, "Vin");
    b.grid().highest = 1;
    b.invoices.touch();
    b.invoices.Creer();
    EXPECT_EQ(std::pair(b.position(), b.count()), std::pair(2, 2));
    EXPECT_EQ(b.lines().filter("<BLOC"), (QStringList{"<BLOC00000>", "<BLOC00001>"}));

    // The only invoice deleted: the count stays 1 but the table holds no
    // block, so the next invoice is block 0.
    Billing one({invoiceBlock(0, {line("Vin", "2", "12")})});
    one.invoices.SupFact();
    EXPECT_EQ(one.count(), 1);
    EXPECT_TRUE(one.lines().isEmpty());
    one.invoices.Creer();
    EXPECT_EQ(std::pair(one.position(), one.count()), std::pair(0, 0));
}

TEST(Valider, PostsTheTotalToTheExactClient)
{
    Billing b({invoiceBlock(0, {line("Nuit", "2", "45,5")}, {.client = "1"})},
              clientBlock(0, "10001", "Dupont") + clientBlock(1, " 1 ", "Un"));
    // The client card on screen was edited: it must not be lost.
    b.clients.card().phone = "0600000000";
    b.clients.touch();
    ASSERT_TRUE(b.invoices.Valider());
    EXPECT_TRUE(b.card().validated);
    EXPECT_EQ(b.invoices.statusText(), "Facture validée");
    EXPECT_EQ(b.lines()[14], "Y");

    const QStringList clients = b.lines(Table::Clients);
    EXPECT_TRUE(clients.contains("0600000000"));
    const QString today = text::dateText(QDate::currentDate());
    const QString posted = "DATA" + today + "\tFacture 202603001\t" + text::Rset(u"91,00", 95);
    const qsizetype at = clients.indexOf(posted);
    ASSERT_GE(at, 0);
    EXPECT_GT(at, clients.indexOf("<BLOC00001>")); // client " 1 ", not 10001
    EXPECT_EQ(clients.count(posted), 1);
    EXPECT_EQ(b.fiche.set().position(Table::Clients), 1);

    // Once validated, nothing more happens.
    EXPECT_TRUE(b.invoices.Valider());
    EXPECT_EQ(b.lines(Table::Clients).count(posted), 1);

    // What cannot be stored is refused; without a client nothing is posted.
    Billing bad({invoiceBlock(0, {line("Vin", "2", "12"), line("Eau", "1", "3,x")})},
                clientBlock(0, "10001", "Dupont"));
    EXPECT_FALSE(bad.invoices.Valider());
    EXPECT_FALSE(bad.card().validated);
    ASSERT_EQ(bad.ui.shown.size(), 1);
    EXPECT_TRUE(bad.ui.shown[0].startsWith("Ligne 2 : '3,x'"));
    EXPECT_FALSE(bad.lines(Table::Clients).join('\n').contains("Facture"));

    Billing invalid;
    invalid.card().client = "10001";
    EXPECT_FALSE(invalid.invoices.Valider());
    EXPECT_EQ(invalid.ui.shown.size(), 1);
    EXPECT_TRUE(invalid.lines().isEmpty());

    Billing nobody({invoiceBlock(0, {line("Vin", "2", "12")}, {.client = "777"})},
                   clientBlock(0, "10001", "Dupont"));
    const QStringList unchanged = nobody.lines(Table::Clients);
    EXPECT_TRUE(nobody.invoices.Valider());
    EXPECT_EQ(nobody.lines()[14], "Y");
    EXPECT_EQ(nobody.lines(Table::Clients), unchanged);
}

TEST(Valider, ReadsOnlyTheClientCardsThatChangedSinceTheLastValidation)
{
    // Validating costs the same whatever the number of clients: after the
    // first, only the cards written since are read again, and a card whose
    // code became the invoice's client still wins by its place.
    for (const int clientCount : {10, 1000}) {
        SCOPED_TRACE(clientCount);
        QStringList clientLines;
        for (int n = 0; n < clientCount; ++n)
            clientLines += clientBlock(n, QString::number(10000 + n), "Client");
        const QString last = QString::number(10000 + clientCount - 1);
        Billing b(invoiceBlock(0, {line("Nuit", "1", "50")}, {.number = "1", .client = "10000"}) +
                      invoiceBlock(1, {line("Nuit", "1", "60")}, {.number = "2", .client = last}) +
                      invoiceBlock(2, {line("Nuit", "1", "70")}, {.number = "3", .client = last}),
                  clientLines);
        ASSERT_TRUE(b.invoices.Valider());
        const quint64 first = b.invoices.clientCodes().blocksRead();
        EXPECT_EQ(first, quint64(clientCount));

        b.fiche.set().setPosition(Table::Invoices, 1);
        b.invoices.LitFact();
        ASSERT_TRUE(b.invoices.Valider());
        EXPECT_LE(b.invoices.clientCodes().blocksRead() - first, 2u);
        EXPECT_EQ(b.fiche.set().position(Table::Clients), clientCount - 1);

        // The second client card takes the code: the next posting is its.
        b.fiche.set().setPosition(Table::Clients, 1);
        b.clients.LitFiche();
        b.clients.card().code = last;
        b.clients.touch();
        b.clients.EcritFiche();
        const quint64 before = b.invoices.clientCodes().blocksRead();
        b.fiche.set().setPosition(Table::Invoices, 2);
        b.invoices.LitFact();
        ASSERT_TRUE(b.invoices.Valider());
        EXPECT_LE(b.invoices.clientCodes().blocksRead() - before, 3u);
        EXPECT_EQ(b.fiche.set().position(Table::Clients), 1);
    }
}

TEST(InvoiceFacts, AgreeWithTheInvoiceReadAsAPage)
{
    // The archive decides from these alone which invoices to print.
    const QStringList cutShort = QStringList{"<BLOC00000>", "NUMF7", "01/03/2026", "10001"};
    const std::vector<QStringList> blocks = {
        invoiceBlock(0, {line("Nuit", "1", "50")}, {.number = "12", .validated = "Y"}),
        invoiceBlock(0, {line("Nuit", "1", "50")}, {.number = " 13 ", .validated = "N"}),
        invoiceBlock(0, {}, {.number = "14", .validated = " Y"}),
        invoiceBlock(0, {}, {.number = "15", .validated = "y"}),
        cutShort + invoiceBlock(1, {}, {.number = "16", .validated = "Y"}),
    };
    for (const QStringList &lines : blocks) {
        SCOPED_TRACE(lines.join('|').toStdString());
        Billing b(lines);
        const InvoiceFacts facts = invoiceFacts(b.fiche.set().table(Table::Invoices), 0);
        EXPECT_EQ(facts.validated, b.card().validated);
        EXPECT_EQ(facts.number, b.card().number);
    }
    Billing none;
    EXPECT_FALSE(invoiceFacts(none.fiche.set().table(Table::Invoices), 0).validated);
}

TEST(Occupant, ReadsTheRoomWithoutMovingTheRoomPage)
{
    Billing b({invoiceBlock(0, {line("Vin", "2", "12")})}, {},
              roomBlock(0, "   11", "Durand") + roomBlock(1, "12", "Martin Paul"));
    // The room card shown was edited; it must stay that of room 11.
    b.rooms.card().designation = "Suite";
    b.rooms.touch();
    b.card().room = " 12";
    b.invoices.Occupant();
    EXPECT_EQ(b.card().occupant, "Martin Paul");
    EXPECT_EQ(b.fiche.set().position(Table::Rooms), 0);
    b.rooms.EcritChambre();
    const QStringList rooms = b.lines(Table::Rooms);
    EXPECT_EQ(rooms.count("Suite"), 1);
    EXPECT_EQ(rooms[rooms.indexOf("Suite") - 2], "   11");
}

TEST(InvoiceList, ListsEveryBlockByNumberAndKeepsEachOnesBlock)
{
    // Block 2 missing, blocks out of order, a number written twice (block 1
    // also twice: the first is read), a short number, a block cut short.
    const RecordTable t =
        tableOf(numbered(4, "12") + numbered(0, "202603001") + numbered(1, "123456789") +
                numbered(3, "123456789", "10002") + numbered(1, "999") +
                QStringList{"<BLOC00005>", "NUMF1234567890", "02/03/2026", "</BLOC00005>"});
    InvoiceList list(t);
    EXPECT_EQ(blocks(list), (QList<int>{0, 1, 3, 4, 5}));
    EXPECT_EQ(
        QStringList({list.field(1, 0), list.field(2, 0), list.field(2, 2), list.field(3, 0),
                     list.field(4, 0), list.field(4, 1), list.field(4, 2)}),
        (QStringList{"123456789", "123456789", "10002", "12", "1234567890", "02/03/2026", ""}));
    EXPECT_EQ(list.field(0, 5), "Martin Paul");
}

} // namespace
