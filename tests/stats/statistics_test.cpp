#include "stats_fixture.h"

#include <QElapsedTimer>

namespace {

StatTable compute(StatKind kind, const FileSet &set, int decimals = 2)
{
    return computeStatistic(kind, set, passSettings(decimals));
}

} // namespace

TEST(MonthStatistic, SumsAMonthAndKeepsTheOrderMonthsFirstCome)
{
    // Block 0 ends in April, 1 and 3 in March 2001; block 2 totals nothing.
    const FileSet set = setOf(statInvoice(0, "02/04/2001", amountLine("10,00")) +
                              statInvoice(1, "15/03/2001", amountLine("20,50")) +
                              statInvoice(2, "16/03/2001", {}) +
                              statInvoice(3, "31/03/2001", amountLine("1,25")));
    const StatTable t = compute(StatKind::Mois, set);
    EXPECT_EQ(rowsOf(t), QStringList({"1\tAvril 2001\t10,00", "2\tMars 2001\t21,75"}));
    EXPECT_EQ(t.caption, "Statistiques sur les mois");
    EXPECT_EQ(t.chartColumn, 2);
}

TEST(MonthStatistic, FollowsTheAmountFormat)
{
    const FileSet set = setOf(statInvoice(0, "02/04/2001", amountLine("10,40")) +
                              statInvoice(1, "03/04/2001", amountLine("0,40")));
    // The totals are added as shown: with no decimals 10 + 0, not 10,8 rounded.
    EXPECT_EQ(rowsOf(compute(StatKind::Mois, set, 0)), QStringList({"1\tAvril 2001\t10"}));
    EXPECT_EQ(rowsOf(compute(StatKind::Mois, set, 1)), QStringList({"1\tAvril 2001\t10,8"}));
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
}

TEST(ClientStatistic, ShowsTheLastNameInCodeOrderHeadedTaxIncluded)
{
    const FileSet set = setOf(statInvoice(0, "02/04/2001", amountLine("10,00"), "20002", "Durand Luc") +
                              statInvoice(1, "02/04/2001", amountLine("5,00"), "10001", "Martin Paul") +
                              statInvoice(2, "03/04/2001", amountLine("1,00"), "10001", "Martin-Roy Paule"));
    const StatTable t = compute(StatKind::Clients, set);
    EXPECT_EQ(rowsOf(t), QStringList({"1\t10001\tMartin-Roy Paule\t6,00", "2\t20002\tDurand Luc\t10,00"}));
    // The amounts added are tax included.
    EXPECT_EQ(t.sheet.columns.last().heading, "C.A. TTC");
    EXPECT_EQ(t.chartColumn, 3);
}

TEST(RoomStatistic, KeepsRoomsApartInTextOrderWithTheirDesignation)
{
    const QStringList rooms = roomBlock(0, "  10", "") + roomBlock(1, " 101", "") + roomBlock(2, "1", "");
    QStringList roomLines = rooms;
    roomLines[3] = "Vue mer";              // room 10
    roomLines[3 + 19] = "Suite";           // room 101
    roomLines[3 + 38] = "Simple";          // room 1
    const FileSet set = setOf(statInvoice(0, "02/04/2001", amountLine("101,00"), "1", "A", "101") +
                                  statInvoice(1, "02/04/2001", amountLine("10,00"), "1", "A", "10") +
                                  statInvoice(2, "02/04/2001", amountLine("7,00"), "1", "A", "7") +
                                  statInvoice(3, "02/04/2001", amountLine("1,00"), "1", "A", "1") +
                                  statInvoice(4, "02/04/2001", amountLine("2,00"), "1", "A", ""),
                              roomLines);
    const StatTable t = compute(StatKind::Chambres, set);
    EXPECT_EQ(rowsOf(t), QStringList({"1\t1  Simple\t1,00", "2\t10  Vue mer\t10,00",
                                      "3\t101  Suite\t101,00", "4\t7  \t7,00"}));
    EXPECT_EQ(t.printPrefix, "Statistiques chambres au ");
}

TEST(InvoicePass, GivesTheTotalsThePageShowsForEveryBlock)
{
    // Three VAT rates, a discount, a quantity followed by a word, a VAT code
    // outside 1 to 3, a block that lost its end marker and one left empty.
    const QStringList tagged = {line("Chambre", "2", "80,00", "2"), line("Petit déjeuner", "3 pers", "9,50", "1"),
                                line("Minibar", "1", "12,00", "3", "10"), line("Divers", "1", "3,33", "7")};
    QStringList lines = statInvoice(0, "02/04/2001", tagged) + statInvoice(1, "bad", amountLine("4,5")) +
                        statInvoice(2, "03/04/2001", {});
    lines.removeAt(lines.indexOf("</BLOC00001>"));
    const FileSet set = setOf(lines);
    Billing page(lines);
    const QList<InvoiceFigures> figures = invoiceFigures(set, passSettings());
    ASSERT_EQ(figures.size(), 3);
    for (const InvoiceFigures &f : figures) {
        page.fiche.set().setPosition(Table::Invoices, f.block);
        page.invoices.LitFact();
        EXPECT_EQ(f.totalText, page.invoices.totals().totalText) << f.block;
        EXPECT_EQ(f.vatText, page.invoices.totals().vatText) << f.block;
        EXPECT_EQ(f.number, page.invoices.card().number) << f.block;
        EXPECT_EQ(f.client, page.invoices.card().client) << f.block;
    }
    EXPECT_EQ(figures[0].totalText, "202,63");
    // A stay end that does not read is today's, as the page shows it.
    EXPECT_EQ(figures[1].stayTo, passSettings().today);
}

TEST(InvoicePass, StaysLinearInTheNumberOfInvoices)
{
    auto timeFor = [](int count) {
        QStringList lines;
        for (int n = 0; n < count; ++n) {
            InvoiceFields f;
            f.number = QString::number(200101000 + n);
            QStringList block = invoiceBlock(n, amountLine("10,00"), f);
            lines << block;
        }
        const FileSet set = setOf(lines);
        QElapsedTimer timer;
        timer.start();
        const StatTable t = computeStatistic(StatKind::Mois, set, passSettings());
        EXPECT_EQ(t.sheet.rows.size(), 1);
        return std::max<qint64>(timer.nsecsElapsed(), 1);
    };
    timeFor(1000); // warm up
    const qint64 small = timeFor(3000), large = timeFor(12000);
    // Four times the invoices: about four times the time, sixteen if each
    // invoice looked at every other.
    EXPECT_LT(double(large) / double(small), 9.0);
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
    EXPECT_EQ(rowsOf(t), QStringList({"1\tAvril 2001\t59\t4\t6,8\t0,00\t0,00", "2\tMai 2001\t60\t5\t8,3\t20,00\t1,67"}));
    EXPECT_EQ(t.sheet.columns[4].heading, "Taux (%)");
}

TEST(Occupancy, EmptyWithoutStaysOrInvoices)
{
    const FileSet set = setOf({}, roomBlock(0, "1", ""));
    EXPECT_TRUE(compute(StatKind::Occupation, set).sheet.rows.isEmpty());
    EXPECT_TRUE(compute(StatKind::Mois, set).sheet.rows.isEmpty());
}

TEST(Cumul, SortsDigitCodesAsTheFrenchCollationDoes)
{
    const QStringList codes = {"9", "100", "10", "1000", "0999", "2", "10 A", "1-0"};
    auto order = [&](bool withLetters) {
        Cumul list(2);
        for (const QString &c : codes.mid(0, withLetters ? codes.size() : 6))
            CumulCli(list, c, "Nom " + c, "1");
        list.sort();
        QStringList digits;
        for (const QString &e : list.entries())
            if (!e.startsWith("10 A") && !e.startsWith("1-0"))
                digits << e.section('\t', 0, 0);
        return digits;
    };
    // Digit codes alone take the quick path; a code with a blank or a dash
    // sends the whole list through the collator: the order is the same.
    EXPECT_EQ(order(false), QStringList({"0999", "10", "100", "1000", "2", "9"}));
    EXPECT_EQ(order(true), order(false));
}

TEST(ClientStatistic, ANameHoldingATabKeepsItsAmountInTheLastColumn)
{
    const FileSet set = setOf(statInvoice(0, "02/04/2001", amountLine("10,00"), "1", "Durand\tLuc"));
    EXPECT_EQ(rowsOf(compute(StatKind::Clients, set)), QStringList({"1\t1\tDurand Luc\t10,00"}));
}
