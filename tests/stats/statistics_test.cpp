#include "stats_fixture.h"

#include "stats/journal.h"

namespace {

StatTable compute(StatKind kind, const FileSet &set, int decimals = 2)
{
    return computeStatistic(kind, set, passSettings(decimals));
}

// The turnover statistics count validated invoices only.
QStringList validInvoice(int n, const QString &au, const QStringList &tagged,
                         const QString &client = "10001", const QString &name = "Martin Paul",
                         const QString &room = "12")
{
    return statInvoice(n, au, tagged, client, name, room, true);
}

} // namespace

TEST(MonthStatistic, SumsAMonthAndKeepsTheOrderMonthsFirstCome)
{
    // Block 0 ends in April, 1 and 3 in March 2001; block 2 totals nothing.
    const FileSet set = setOf(validInvoice(0, "02/04/2001", amountLine("10,00")) +
                              validInvoice(1, "15/03/2001", amountLine("20,50")) +
                              validInvoice(2, "16/03/2001", {}) +
                              validInvoice(3, "31/03/2001", amountLine("1,25")));
    const StatTable t = compute(StatKind::Mois, set);
    EXPECT_EQ(rowsOf(t), QStringList({"1\tAvril 2001\t10,00", "2\tMars 2001\t21,75"}));
    EXPECT_EQ(t.chartColumn, 2);

    // The totals are added as shown: with no decimals 10 + 0, not 10,8 rounded.
    const FileSet shown = setOf(validInvoice(0, "02/04/2001", amountLine("10,40")) +
                                validInvoice(1, "03/04/2001", amountLine("0,40")));
    EXPECT_EQ(rowsOf(compute(StatKind::Mois, shown, 0)), QStringList({"1\tAvril 2001\t10"}));
    EXPECT_EQ(rowsOf(compute(StatKind::Mois, shown, 1)), QStringList({"1\tAvril 2001\t10,8"}));
}

TEST(Cumul, AnAmountThatIsNotANumberLeavesTheEntryAlone)
{
    Cumul list(2);
    CumulMois(list, "Mars 2001", " 5,00 ");
    CumulMois(list, "Mars 2001", "abc");
    CumulMois(list, "Mars 2001", "   ");
    CumulMois(list, "Mars 2001", "2,5");
    CumulMois(list, "Avril 2001", "x");
    CumulMois(list, "Avril 2001", "1,00");
    EXPECT_EQ(list.entries(), QStringList({"Mars 2001\t7,50", "Avril 2001\tx"}));
    CumulLot(list, "  ", "3,00", "Vue mer");
    EXPECT_EQ(list.size(), 2);

    // Digit codes alone take the quick path; a code with a blank or a dash
    // sends the whole list through the collator: the order is the same.
    const QStringList codes = {"9", "100", "10", "1000", "0999", "2", "10 A", "1-0"};
    auto order = [&](bool withLetters) {
        Cumul clients(2);
        for (const QString &c : codes.mid(0, withLetters ? codes.size() : 6))
            CumulCli(clients, c, "Nom " + c, "1");
        clients.sort();
        QStringList digits;
        for (const QString &e : clients.entries())
            if (!e.startsWith("10 A") && !e.startsWith("1-0"))
                digits << e.section('\t', 0, 0);
        return digits;
    };
    EXPECT_EQ(order(false), QStringList({"0999", "10", "100", "1000", "2", "9"}));
    EXPECT_EQ(order(true), order(false));
}

// A name holding a TAB keeps its amount in the last column.
TEST(ClientAndRoomStatistics, TheLastNameInCodeOrderAndRoomsInTextOrder)
{
    const FileSet set =
        setOf(validInvoice(0, "02/04/2001", amountLine("10,00"), "20002", "Durand Luc") +
              validInvoice(1, "02/04/2001", amountLine("5,00"), "10001", "Martin Paul") +
              validInvoice(2, "03/04/2001", amountLine("1,00"), "10001", "Martin-Roy Paule") +
              validInvoice(3, "02/04/2001", amountLine("3,00"), "1", "Roux\tLuc"));
    const StatTable t = compute(StatKind::Clients, set);
    EXPECT_EQ(rowsOf(t), QStringList({"1\t1\tRoux Luc\t3,00", "2\t10001\tMartin-Roy Paule\t6,00",
                                      "3\t20002\tDurand Luc\t10,00"}));
    EXPECT_EQ(t.chartColumn, 3);

    // Rooms are kept apart in text order with their designation.
    QStringList roomLines =
        roomBlock(0, "  10", "") + roomBlock(1, " 101", "") + roomBlock(2, "1", "");
    roomLines[3] = "Vue mer";              // room 10
    roomLines[3 + 19] = "Suite";           // room 101
    roomLines[3 + 38] = "Simple";          // room 1
    const FileSet roomSet =
        setOf(validInvoice(0, "02/04/2001", amountLine("101,00"), "1", "A", "101") +
                  validInvoice(1, "02/04/2001", amountLine("10,00"), "1", "A", "10") +
                  validInvoice(2, "02/04/2001", amountLine("7,00"), "1", "A", "7") +
                  validInvoice(3, "02/04/2001", amountLine("1,00"), "1", "A", "1") +
                  validInvoice(4, "02/04/2001", amountLine("2,00"), "1", "A", ""),
              roomLines);
    const StatTable rooms = compute(StatKind::Chambres, roomSet);
    EXPECT_EQ(rowsOf(rooms), QStringList({"1\t1  Simple\t1,00", "2\t10  Vue mer\t10,00",
                                          "3\t101  Suite\t101,00", "4\t7  \t7,00"}));
}

TEST(MonthStatistic, CountsValidatedInvoicesWithoutTheTaxeDeSejourAsTheJournalDoes)
{
    // March: a validated invoice of 110 + 21,68 of taxe de séjour, a draft
    // of 125 and a credit note of -20; April: a draft only.
    const FileSet set =
        setOf(validInvoice(0, "10/03/2026", {line("Nuit", "1", "110", "2"),
                                            line("Taxe de séjour", "8", "2,71", "D")}) +
              statInvoice(1, "12/03/2026", amountLine("125,00")) +
              validInvoice(2, "20/03/2026", {line("Nuit", "-1", "20", "2")}, "20002", "Durand Luc") +
              statInvoice(3, "02/04/2026", amountLine("50,00")));
    EXPECT_EQ(rowsOf(compute(StatKind::Mois, set)), QStringList({"1\tMars 2026\t90,00"}));
    EXPECT_EQ(rowsOf(compute(StatKind::Clients, set)),
              QStringList({"1\t10001\tMartin Paul\t110,00", "2\t20002\tDurand Luc\t-20,00"}));
    EXPECT_EQ(rowsOf(compute(StatKind::Chambres, set)), QStringList({"1\t12  \t90,00"}));

    // The journal's income and VAT of the same invoices add up to the same.
    JournalSettings js;
    js.vatRates = passSettings().vatRates;
    qint64 earned = 0;
    for (const JournalLine &l : journalLines(set, js))
        if (l.accountIndex == account::Revenus || l.accountIndex == account::TvaCollectee)
            earned += l.credit - l.debit;
    EXPECT_EQ(earned, 9000);
}

// Thousands of invoices, each taken once in block order (how fast the pass
// is, bench/ measures).
TEST(InvoicePass, TakesEveryInvoiceOnceInBlockOrder)
{
    QStringList lines;
    for (int n = 0; n < 2000; ++n) {
        InvoiceFields f;
        f.number = QString::number(200101000 + n);
        f.validated = "Y";
        lines << invoiceBlock(n, amountLine("10,00"), f);
    }
    const FileSet set = setOf(lines);
    const QList<InvoiceFigures> figures = invoiceFigures(set, passSettings());
    ASSERT_EQ(figures.size(), 2000);
    for (int n = 0; n < figures.size(); ++n)
        ASSERT_EQ(figures[n].block, n);
    const StatTable t = computeStatistic(StatKind::Mois, set, passSettings());
    ASSERT_EQ(t.sheet.rows.size(), 1);
    EXPECT_EQ(t.sheet.rows[0].last(), "20000,00");

    // The pass gives the totals the page shows for every block, whatever the cells hold.
    // Three VAT rates, a discount, a quantity followed by a word, a VAT code
    // outside 1 to 3, a block that lost its end marker and one left empty.
    const QStringList tagged = {
        line("Chambre", "2", "80,00", "2"), line("Petit déjeuner", "3 pers", "9,50", "1"),
        line("Minibar", "1", "12,00", "3", "10"), line("Divers", "1", "3,33", "7")};
    QStringList odd = statInvoice(0, "02/04/2001", tagged) +
                      statInvoice(1, "bad", amountLine("4,5")) + statInvoice(2, "03/04/2001", {});
    odd.removeAt(odd.indexOf("</BLOC00001>"));
    const FileSet oddSet = setOf(odd);
    Billing page(odd);
    const QList<InvoiceFigures> oddFigures = invoiceFigures(oddSet, passSettings());
    ASSERT_EQ(oddFigures.size(), 3);
    for (const InvoiceFigures &f : oddFigures) {
        page.fiche.set().setPosition(Table::Invoices, f.block);
        page.invoices.LitFact();
        EXPECT_EQ(QStringList({f.totalText, f.vatText, f.number, f.client}),
                  QStringList({page.invoices.totals().totalText, page.invoices.totals().vatText,
                               page.invoices.card().number, page.invoices.card().client}))
            << f.block;
    }
    EXPECT_EQ(oddFigures[0].totalText, "202,63");
    // A stay end that does not read is today's, as the page shows it.
    EXPECT_EQ(oddFigures[1].stayTo, passSettings().today);
}

TEST(Occupancy, CountsNightsSoldAvailabilityAndRates)
{
    // Two rooms; room 2 is closed 30/04 to 02/05 (one day in April, two in May).
    QStringList rooms = roomBlock(0, "1", "") + roomBlock(1, "2", "");
    rooms[19 + 15] = "30/04/2001";
    rooms[19 + 16] = "02/05/2001";
    // A departed guest from 29/04 to 03/05: two nights in April, two in May,
    // and two in April of an earlier stay kept in the card's history; a
    // present guest 01/05 to 02/05; a reservation that sells nothing; a
    // departure kept in the history, counted once.
    QStringList clients = clientBlock(0, "1", "A") + clientBlock(1, "2", "B") + clientBlock(2, "3", "C") +
                          clientBlock(3, "4", "D");
    auto stay = [&](int block, const QString &since, const QString &leaving, const QString &situation) {
        const int start = 26 * block;
        clients[start + 15] = since;
        clients[start + 16] = situation == "3" ? QString() : QStringLiteral("2");
        clients[start + 17] = leaving;
        clients[start + 24] = situation;
    };
    stay(0, "29/04/2001", "03/05/2001", "3");
    stay(1, "01/05/2001", "02/05/2001", "0");
    stay(2, "10/05/2001", "20/05/2001", "1");
    stay(3, "05/05/2001", "07/05/2001", "3");
    clients.insert(26 * 4 - 1, "SEJR2\t05/05/2001\t06/05/2001\t3");
    clients.insert(25, "SEJR1\t10/04/2001\t11/04/2001\t3");
    // Validated: 110,00 tax included at 10 % in May; a draft is left out.
    const FileSet set = setOf(statInvoice(0, "03/05/2001", {line("Nuit", "1", "110,00", "2")}, "1", "A", "1", true) +
                                  statInvoice(1, "03/05/2001", amountLine("500,00")),
                              rooms, clients);
    InvoicePassSettings settings = passSettings(2);
    settings.today = QDate(2001, 5, 1);
    const StatTable t = computeStatistic(StatKind::Occupation, set, settings);
    EXPECT_EQ(rowsOf(t), QStringList({"1\tAvril 2001\t59\t4\t6,8\t0,00\t0,00",
                                      "2\tMai 2001\t60\t5\t8,3\t20,00\t1,67"}));

    // Empty without stays or invoices.
    const FileSet empty = setOf({}, roomBlock(0, "1", ""));
    EXPECT_TRUE(compute(StatKind::Occupation, empty).sheet.rows.isEmpty());
    EXPECT_TRUE(compute(StatKind::Mois, empty).sheet.rows.isEmpty());
}
