#include "stats_fixture.h"

#include "purchasing/order.h"
#include "stats/journal.h"

#include <gtest/gtest.h>

namespace {

// One CMDE line: reference, designation, quantity, price, discount, amount, VAT code.
QString cmde(const QString &quantity, const QString &price, const QString &vat)
{
    return "CMDE" + QStringList{"R1", "Article", quantity, price, "", "", vat}.join('\t');
}

// An order block numbered n, prices without tax.
QStringList orderBlock(int n, const QString &number, const QString &date, const QStringList &tagged,
                       bool validated = true)
{
    const QString num = RecordTable::numberText(n, 4) + ">";
    return QStringList{"<BLOC" + num, "NUM" + number, date, "20007", "A réception",
                       "Brasserie du Port", "2 quai Sud", "", "29200 BREST", "TTCN",
                       validated ? "Y" : "N"} +
           tagged + QStringList{"</BLOC" + num};
}

QStringList invoice(int n, const QString &number, const QString &date, const QStringList &tagged,
                    bool validated = true, const QString &client = "10001")
{
    InvoiceFields f;
    f.number = number;
    f.date = date;
    f.client = client;
    f.validated = validated ? "Y" : "N";
    return invoiceBlock(n, tagged, f);
}

// The invoice blocks one after the other, then the order table.
FileSet hotel(std::initializer_list<QStringList> invoices, const QStringList &orders = {})
{
    QStringList lines;
    for (const QStringList &block : invoices)
        lines += block;
    FileSet set = setOf(lines);
    set.table(Table::Orders) = tableOf(orders, 4);
    set.setCount(Table::Orders, set.table(Table::Orders).countBlocks());
    return set;
}

JournalSettings journalSettings()
{
    JournalSettings s;
    s.vatRates = {5.5, 10, 20};
    s.decimals = 2;
    return s;
}

QStringList texts(const QList<JournalLine> &lines, int decimals = 2)
{
    QStringList out;
    for (const JournalLine &l : lines)
        out << l.text(decimals);
    return out;
}

// Prices include the tax: 105,50 at 5,5 %, 33,00 at 10 %, 10,00 at 20 %.
const QStringList kThreeRates = {line("Nuits", "2", "52,75", "1"), line("Repas", "1", "33", "2"),
                                 line("Bar", "1", "10", "3")};
// Prices without tax: 20,00 at 5,5 % and 50,00 at 20 %.
const QStringList kOrderLines = {cmde("2", "10", "1"), cmde("1", "50", "3")};

} // namespace

TEST(JournalEntries, InvoiceWithThreeRatesAndAnOrderBalanceToTheCent)
{
    // Two nights of taxe de séjour at 1,65 beside the three rates.
    const FileSet set = hotel({invoice(0, "200103001", "12/03/2001",
                                       kThreeRates + QStringList{line("Taxe", "2", "1,65", "D")})},
                              orderBlock(0, "200103002", "12/03/2001", kOrderLines));
    const QList<JournalLine> lines = journalLines(set, journalSettings());
    // 10 x 20 / 120 = 1,6667: each rate's VAT is rounded once, as the
    // invoice keeps it, and its part without tax is the rest.
    EXPECT_EQ(texts(lines),
              QStringList({"20010312\tVE\t12/03/2001\t411000\tFacture 200103001\t151,80\t",
                           "20010312\tVE\t12/03/2001\t706000\tFacture 200103001 HT 5,5 %\t\t100,00",
                           "20010312\tVE\t12/03/2001\t445710\tFacture 200103001 TVA 5,5 %\t\t5,50",
                           "20010312\tVE\t12/03/2001\t706000\tFacture 200103001 HT 10 %\t\t30,00",
                           "20010312\tVE\t12/03/2001\t445710\tFacture 200103001 TVA 10 %\t\t3,00",
                           "20010312\tVE\t12/03/2001\t706000\tFacture 200103001 HT 20 %\t\t8,33",
                           "20010312\tVE\t12/03/2001\t445710\tFacture 200103001 TVA 20 %\t\t1,67",
                           "20010312\tVE\t12/03/2001\t447100\tFacture 200103001\t\t3,30",
                           "20010312\tAC\t12/03/2001\t607000\tCommande 200103002 HT 5,5 %\t20,00\t",
                           "20010312\tAC\t12/03/2001\t445660\tCommande 200103002 TVA 5,5 %\t1,10\t",
                           "20010312\tAC\t12/03/2001\t607000\tCommande 200103002 HT 20 %\t50,00\t",
                           "20010312\tAC\t12/03/2001\t445660\tCommande 200103002 TVA 20 %\t10,00\t",
                           "20010312\tAC\t12/03/2001\t401000\tCommande 200103002\t\t81,10"}));
    EXPECT_EQ(fecBalanceError(lines, 2), QString());
    // The client and the supplier ride on their account's line only.
    QStringList aux;
    for (int i : {0, 1, 7, 8, 12})
        aux << QString::number(lines[i].entry) + "|" + lines[i].auxCode + "|" + lines[i].auxName;
    EXPECT_EQ(aux, QStringList(
                       {"1|10001|Martin Paul", "1||", "1||", "2||", "2|20007|Brasserie du Port"}));

    // Stored accounts are used trimmed, whatever their length; each rate's
    // accounts when set, the single account's otherwise.
    JournalSettings own = journalSettings();
    own.accounts[account::Clients] = " 41100000 ";
    own.accounts[account::Achat] = "6071";
    own.accounts[account::Revenus] = "706100";
    own.accounts[account::Revenus1 + 2] = "706300";
    own.accounts[account::TvaCollectee1] = "445711";
    own.accounts[account::TvaDeductible1 + 2] = "445663";
    const QList<JournalLine> mine = journalLines(set, own);
    QStringList accounts;
    for (const JournalLine &l : mine)
        accounts << l.account;
    EXPECT_EQ(accounts,
              QStringList({"41100000", "706100", "445711", "706100", "445710", "706300", "445710",
                           "447100", "6071", "445660", "6071", "445663", "401000"}));
    EXPECT_EQ(fecBalanceError(mine, 2), QString());
}

TEST(JournalEntries, TheMainCouranteSettlesTheClientsDayByDay)
{
    // Four nights sold in March, one on credit; the main courante takes
    // the rest by every means and pays an expense out of the till.
    const QStringList night = {line("Nuit", "1", "100", "2")};
    FileSet set = hotel({invoice(0, "1", "02/03/2026", night), invoice(1, "2", "02/03/2026", night),
                         invoice(2, "3", "03/03/2026", night), invoice(3, "4", "03/03/2026", night),
                         invoice(4, "5", "03/03/2026", night, false)},
                        orderBlock(0, "C1", "03/03/2026", kOrderLines));
    set.table(Table::Rooms) =
        tableOf(roomBlock(0, "1", "") + roomBlock(1, "2", "") + roomBlock(2, "3", ""));
    set.setCount(Table::Rooms, 3);
    set.table(Table::MainCourante) =
        tableOf({"202603022\tDurand\t1\t\t\t100,00\t\t", "202603021\tMartin\t1\t60,00\t\t\t\t12,50",
                 // The later line of a room replaces the earlier one, as the sheet reads them.
                 "202603021\tMartin\t1\t100,00\t\t\t\t12,50", "202603031\tPetit\t1\t\t100,00\t\t\t",
                 // A room the hotel has no card for, and a cell that is no amount, take no part.
                 "202603039\tInconnu\t1\t50,00\t\t\t\t", "202603033\tRoux\t1\t\t\t\tbon\t"},
                0);
    const QList<JournalLine> lines = journalLines(set, journalSettings());
    QStringList cashAndBank;
    for (const JournalLine &l : lines)
        if (l.code == "CA" || l.code == "BQ")
            cashAndBank << QString::number(l.entry) + " " + l.text(2);
    EXPECT_EQ(
        cashAndBank,
        QStringList({"3 20260302\tCA\t02/03/2026\t530000\tMain courante du 02/03/2026\t100,00\t",
                     "3 20260302\tCA\t02/03/2026\t411000\tMain courante du 02/03/2026\t\t100,00",
                     "3 20260302\tCA\t02/03/2026\t606000\tMain courante du 02/03/2026\t12,50\t",
                     "3 20260302\tCA\t02/03/2026\t530000\tMain courante du 02/03/2026\t\t12,50",
                     "4 20260302\tBQ\t02/03/2026\t512000\tMain courante du 02/03/2026\t100,00\t",
                     "4 20260302\tBQ\t02/03/2026\t411000\tMain courante du 02/03/2026\t\t100,00",
                     "8 20260303\tBQ\t03/03/2026\t512000\tMain courante du 03/03/2026\t100,00\t",
                     "8 20260303\tBQ\t03/03/2026\t411000\tMain courante du 03/03/2026\t\t100,00"}));
    // The day's entries come after its sales and purchases.
    EXPECT_EQ(lines.last().code, "BQ");
    EXPECT_EQ(lines[lines.size() - 3].code, "AC");
    EXPECT_EQ(fecBalanceError(lines, 2), QString());
    // What the guests still owe: the fourth night.
    qint64 clients = 0;
    for (const JournalLine &l : lines)
        if (l.account == "411000")
            clients += l.debit - l.credit;
    EXPECT_EQ(clients, 10000);

    // Printed journal by journal, each closed by its totals, then the
    // period's: debit and credit equal.
    const JournalPrint print = journalPrintSheet(lines, 2);
    QStringList totals;
    for (int r : print.totalRows)
        totals << print.sheet.rows[r].mid(4).join('|');
    EXPECT_EQ(totals,
              QStringList({"Total Ventes (VE)|400,00|400,00", "Total Achats (AC)|81,10|81,10",
                           "Total Caisse (CA)|112,50|112,50", "Total Banque (BQ)|200,00|200,00",
                           "Total de la période|793,60|793,60"}));
    EXPECT_EQ(print.sheet.rows.size(), lines.size() + 5);
    EXPECT_EQ(print.sheet.rows[print.totalRows[1] + 1][4], "Main courante du 02/03/2026");
}

TEST(JournalEntries, DraftsZeroLinesCreditNotesAndTheOrderOfEntries)
{
    JournalSettings s = journalSettings();
    s.vatRates = {0, 10, 20};
    const FileSet set =
        hotel({invoice(0, "1", "01/04/2001", {line("Nuit", "1", "80", "1")}, false),
               invoice(1, "2", "02/04/2001", {line("Nuit", "1", "80", "1")}),
               invoice(2, "3", "03/04/2001",
                       {line("Avoir", "-1", "22", "2"), "MEMOAvoir sur facture N° 2"}),
               invoice(3, "4", "pas de date", {line("Nuit", "1", "80", "1")})},
              orderBlock(0, "9", "01/04/2001", kOrderLines, false));
    // The draft invoice and order post nothing; no VAT line at 0 %; a
    // credit note credits the client under its own name; an invoice
    // without a date has no day.
    EXPECT_EQ(texts(journalLines(set, s)),
              QStringList({"20010402\tVE\t02/04/2001\t411000\tFacture 2\t80,00\t",
                           "20010402\tVE\t02/04/2001\t706000\tFacture 2 HT 0 %\t\t80,00",
                           "20010403\tVE\t03/04/2001\t411000\tAvoir 3 sur facture 2\t\t22,00",
                           "20010403\tVE\t03/04/2001\t706000\tAvoir 3 HT 10 %\t20,00\t",
                           "20010403\tVE\t03/04/2001\t445710\tAvoir 3 TVA 10 %\t2,00\t"}));

    // Entries go by day, then invoices before orders, then block.
    const QStringList one = {line("Nuit", "1", "100", "1")};
    // April's invoice comes first in the table: the day decides, not the block.
    const FileSet ordered =
        hotel({invoice(0, "A", "05/04/2001", one), invoice(1, "B", "10/03/2001", one),
               invoice(2, "C", "10/03/2001", one)},
              orderBlock(0, "D", "10/03/2001", kOrderLines) +
                  orderBlock(1, "E", "01/03/2001", kOrderLines));
    QStringList entries;
    for (const JournalLine &l : journalLines(ordered, journalSettings()))
        entries << QString::number(l.entry) + l.piece;
    entries.removeDuplicates();
    EXPECT_EQ(entries, QStringList({"1E", "2B", "3C", "4D", "5A"}));
}

TEST(JournalPeriod, DefaultsToTheFirstAndLastDayAndFiltersInclusively)
{
    const QStringList one = {line("Nuit", "1", "100", "1")};
    const FileSet set = hotel({invoice(0, "A", "31/12/2000", one), invoice(1, "B", "15/03/2001", one),
                               invoice(2, "C", "01/01/2002", one)});
    const QList<JournalLine> lines = journalLines(set, journalSettings());
    // The day keys read as days, not as day/month/year dates.
    const auto period = journalPeriod(lines);
    ASSERT_EQ(period, std::pair(QDate(2000, 12, 31), QDate(2002, 1, 1)));
    EXPECT_EQ(linesInPeriod(lines, period->first, period->second).size(), lines.size());
    EXPECT_FALSE(journalPeriod({}).has_value());

    const QList<JournalLine> march = linesInPeriod(lines, QDate(2001, 3, 15), QDate(2001, 3, 15));
    ASSERT_EQ(march.size(), 3);
    EXPECT_EQ(march[0].label, "Facture B");
    EXPECT_TRUE(linesInPeriod(lines, QDate(2002, 1, 1), QDate(2000, 12, 31)).isEmpty());
}

TEST(AccountField, CompletesShortNumbersKeepsLongOnesAndEmptyStaysEmpty)
{
    EXPECT_EQ(formatAccount(u"4"), "400000");
    EXPECT_EQ(formatAccount(u" 4457 "), "445700");
    EXPECT_EQ(formatAccount(u"41100000"), "41100000");
    EXPECT_EQ(formatAccount(u"   "), "");

    Accounts stored;
    stored[account::Revenus] = "7060";
    stored[account::Banque] = "512100";
    stored[account::Caisse] = "53";
    auto fields = accountFields(stored);
    auto pick = [](const Accounts &a, std::initializer_list<int> which) {
        QStringList out;
        for (int i : which)
            out << a[std::size_t(i)];
        return out;
    };
    // A never stored account shows its default, a stored one as it is; the
    // accounts added since follow theirs until set.
    EXPECT_EQ(
        pick(fields, {account::Clients, account::Taxe, account::Revenus, account::Revenus1 + 1,
                      account::TvaDeductible1, account::Divers, account::Depenses}),
        QStringList({"411000", "447100", "7060", "7060", "445660", "512100", "606000"}));
    fields[account::Clients] = "";
    fields[account::Achat] = "60700000";
    fields[account::TvaCollectee1 + 2] = "445713";
    storeAccountFields(stored, fields);
    // Left as shown they stay unset (the settings file gets no line for
    // them); one typed is kept.
    for (int i = account::Revenus1; i < account::Count; ++i)
        EXPECT_EQ(stored[std::size_t(i)], i == account::TvaCollectee1 + 2 ? "445713" : "") << i;
    // Put in shape, the cash account is its default: none is stored.
    EXPECT_EQ(pick(stored, {account::Clients, account::Revenus, account::Achat, account::Banque,
                            account::Caisse}),
              QStringList({"", "706000", "60700000", "512100", ""}));
    // An emptied account falls back on its default in the journal.
    EXPECT_EQ(accountNumber(stored, account::Clients), "411000");
}

TEST(Fec, NameHeaderLinesEncodingAndBalance)
{
    Company company;
    company.lines[4] = "123 456 789 00012";
    EXPECT_EQ(fecFileName(company, QDate(2001, 12, 31)), "123456789FEC20011231.txt");

    const FileSet set = hotel({invoice(0, "200103001", "12/03/2001", kThreeRates)},
                              orderBlock(0, "200103002", "13/03/2001", kOrderLines));
    const QList<JournalLine> lines = journalLines(set, journalSettings());
    const QList<QByteArray> rows = fecBytes(lines, 2).split('\n');
    ASSERT_EQ(rows.size(), 14); // header, twelve lines, nothing after the last CR LF
    EXPECT_EQ(rows[0], "JournalCode\tJournalLib\tEcritureNum\tEcritureDate\tCompteNum\tCompteLib\t"
                       "CompAuxNum\tCompAuxLib\tPieceRef\tPieceDate\tEcritureLib\tDebit\tCredit\t"
                       "EcritureLet\tDateLet\tValidDate\tMontantdevise\tIdevise\r");
    EXPECT_EQ(rows[1], "VE\tVentes\t1\t20010312\t411000\tClients divers\t10001\tMartin Paul\t"
                       "200103001\t20010312\tFacture 200103001\t148,50\t0,00\t\t\t20010312\t\t\r");
    EXPECT_EQ(rows[3],
              "VE\tVentes\t1\t20010312\t445710\tTVA collect\xe9"
              "e\t\t\t"
              "200103001\t20010312\tFacture 200103001 TVA 5,5 %\t0,00\t5,50\t\t\t20010312\t\t\r");
    EXPECT_EQ(rows[12], "AC\tAchats\t2\t20010313\t401000\tFournisseurs\t20007\tBrasserie du Port\t"
                        "200103002\t20010313\tCommande 200103002\t0,00\t81,10\t\t\t20010313\t\t\r");
    for (const QByteArray &r : rows.mid(0, 13))
        EXPECT_EQ(r.count('\t'), 17);

    // Without decimals the amounts still carry two; a period numbers its
    // entries from 1.
    const QList<JournalLine> whole = journalLines(set, [] {
        JournalSettings s = journalSettings();
        s.decimals = 0;
        return s;
    }());
    const QList<QByteArray> second = fecBytes(whole.mid(7), 0).split('\n');
    EXPECT_TRUE(second[1].startsWith("AC\tAchats\t1\t"));
    EXPECT_TRUE(second[1].contains("\t20,00\t0,00\t"));

    EXPECT_EQ(latin9(u"€ œ é ¤"), QByteArray("\xa4 \xbd \xe9 ?"));

    // A TAB or a line end inside a text would shift the columns.
    JournalLine odd = lines[0];
    odd.auxName = QStringLiteral(" Œuvre\tdu\r\nPort ");
    odd.label = QStringLiteral("Facture ☃");
    const QByteArray oddRow = fecBytes({odd}, 2).split('\n')[1];
    EXPECT_EQ(oddRow.count('\t'), 17);
    EXPECT_TRUE(oddRow.contains("\t\xbc" "uvre du  Port\t"));
    EXPECT_TRUE(oddRow.contains("\tFacture ?\t"));
    // An unbalanced entry is named with its two sides.
    QList<JournalLine> unbalanced = lines;
    unbalanced[2].credit += 1;
    const QString error = fecBalanceError(unbalanced, 2);
    EXPECT_TRUE(error.contains("Facture 200103001") && error.contains("148,50") &&
                error.contains("148,51"))
        << qPrintable(error);
}
