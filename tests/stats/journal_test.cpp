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
    const FileSet set = hotel({invoice(0, "200103001", "12/03/2001", kThreeRates)},
                              orderBlock(0, "200103002", "12/03/2001", kOrderLines));
    const QList<JournalLine> lines = journalLines(set, journalSettings());
    // VAT 5,50 + 3,00 + 1,6667 shows as 10,17; excluding VAT 148,50 - 10,17.
    EXPECT_EQ(texts(lines),
              QStringList({"20010312\tVE\t12/03/2001\t411000\tFacture 200103001\t148,50\t",
                           "20010312\tVE\t12/03/2001\t706000\tFacture 200103001\t\t138,33",
                           "20010312\tVE\t12/03/2001\t445710\tFacture 200103001\t\t10,17",
                           "20010312\tAC\t12/03/2001\t607000\tCommande 200103002\t70,00\t",
                           "20010312\tAC\t12/03/2001\t445660\tCommande 200103002\t11,10\t",
                           "20010312\tAC\t12/03/2001\t401000\tCommande 200103002\t\t81,10"}));
    EXPECT_EQ(fecBalanceError(lines, 2), QString());
    // The client and the supplier ride on their account's line only.
    EXPECT_EQ(lines[0].auxCode, "10001");
    EXPECT_EQ(lines[0].auxName, "Martin Paul");
    EXPECT_TRUE(lines[1].auxCode.isEmpty());
    EXPECT_EQ(lines[5].auxCode, "20007");
    EXPECT_EQ(lines[5].auxName, "Brasserie du Port");
    EXPECT_EQ(lines[0].entry, 1);
    EXPECT_EQ(lines[3].entry, 2);

    // Stored accounts are used trimmed, whatever their length.
    JournalSettings own = journalSettings();
    own.accounts[account::Clients] = " 41100000 ";
    own.accounts[account::Achat] = "6071";
    const QList<JournalLine> mine = journalLines(set, own);
    EXPECT_EQ(mine[0].account, "41100000");
    EXPECT_EQ(mine[3].account, "6071");
    EXPECT_EQ(mine[1].account, "706000");
}

TEST(JournalEntries, DraftsZeroLinesAndCreditNotes)
{
    JournalSettings s = journalSettings();
    s.vatRates = {0, 10, 20};
    const FileSet set =
        hotel({invoice(0, "1", "01/04/2001", {line("Nuit", "1", "80", "1")}, false),
               invoice(1, "2", "02/04/2001", {line("Nuit", "1", "80", "1")}),
               invoice(2, "3", "03/04/2001", {line("Avoir", "-1", "22", "2")}),
               invoice(3, "4", "pas de date", {line("Nuit", "1", "80", "1")})},
              orderBlock(0, "9", "01/04/2001", kOrderLines, false));
    // The draft invoice and order post nothing; no VAT line at 0 %; a
    // credit note credits the client; an invoice without a date has no day.
    EXPECT_EQ(texts(journalLines(set, s)),
              QStringList({"20010402\tVE\t02/04/2001\t411000\tFacture 2\t80,00\t",
                           "20010402\tVE\t02/04/2001\t706000\tFacture 2\t\t80,00",
                           "20010403\tVE\t03/04/2001\t411000\tFacture 3\t\t22,00",
                           "20010403\tVE\t03/04/2001\t706000\tFacture 3\t20,00\t",
                           "20010403\tVE\t03/04/2001\t445710\tFacture 3\t2,00\t"}));
}

TEST(JournalEntries, DayKeyThenInvoicesBeforeOrdersThenBlock)
{
    const QStringList one = {line("Nuit", "1", "100", "1")};
    // April's invoice comes first in the table: the day decides, not the block.
    const FileSet set = hotel({invoice(0, "A", "05/04/2001", one), invoice(1, "B", "10/03/2001", one),
                               invoice(2, "C", "10/03/2001", one)},
                              orderBlock(0, "D", "10/03/2001", kOrderLines) +
                                  orderBlock(1, "E", "01/03/2001", kOrderLines));
    QStringList labels;
    QList<int> entries;
    for (const JournalLine &l : journalLines(set, journalSettings())) {
        if (labels.isEmpty() || labels.last() != l.label)
            labels << l.label, entries << l.entry;
    }
    EXPECT_EQ(labels, QStringList({"Commande E", "Facture B", "Facture C", "Commande D", "Facture A"}));
    EXPECT_EQ(entries, QList<int>({1, 2, 3, 4, 5}));
}

TEST(JournalPeriod, DefaultsToTheFirstAndLastDayAndFiltersInclusively)
{
    const QStringList one = {line("Nuit", "1", "100", "1")};
    const FileSet set = hotel({invoice(0, "A", "31/12/2000", one), invoice(1, "B", "15/03/2001", one),
                               invoice(2, "C", "01/01/2002", one)});
    const QList<JournalLine> lines = journalLines(set, journalSettings());
    // The day keys read as days, not as day/month/year dates.
    const auto period = journalPeriod(lines);
    ASSERT_TRUE(period.has_value());
    EXPECT_EQ(period->first, QDate(2000, 12, 31));
    EXPECT_EQ(period->second, QDate(2002, 1, 1));
    EXPECT_EQ(linesInPeriod(lines, period->first, period->second).size(), lines.size());
    EXPECT_FALSE(journalPeriod({}).has_value());

    const QList<JournalLine> march = linesInPeriod(lines, QDate(2001, 3, 15), QDate(2001, 3, 15));
    ASSERT_EQ(march.size(), 3);
    EXPECT_EQ(march[0].label, "Facture B");
    EXPECT_TRUE(linesInPeriod(lines, QDate(2002, 1, 1), QDate(2000, 12, 31)).isEmpty());
}

TEST(JournalWindowSheet, HundredEntriesAllShownWithRunningNumbers)
{
    QStringList invoices;
    for (int i = 0; i < 100; ++i)
        invoices += invoice(i, QString::number(i), "01/05/2001", {line("Nuit", "1", "110", "2")});
    const QList<JournalLine> lines = journalLines(hotel({invoices}), journalSettings());
    const GridSheet sheet = journalSheet(lines, 2);
    ASSERT_EQ(sheet.rows.size(), 300);
    EXPECT_EQ(sheet.rows.last()[0], "300");
    EXPECT_EQ(sheet.rows.last()[4], "Facture 99");
    EXPECT_EQ(sheet.rows.last()[6], "10,00");
    EXPECT_TRUE(sheet.rows.last()[5].isEmpty());
    EXPECT_EQ(sheet.columns[5].heading, "Débit");
    EXPECT_TRUE(sheet.columns[5].right && sheet.columns[6].right);
}

TEST(JournalExport, WritesTheLinesListedOnly)
{
    const FileSet set = hotel({invoice(0, "200103001", "12/03/2001", kThreeRates)});
    const QList<JournalLine> lines = journalLines(set, journalSettings());
    EXPECT_EQ(journalExport(lines.mid(0, 2), 2),
              QByteArray("12/03/2001\t411000\tFacture 200103001\tVE\t\t148,50\t\r\n"
                         "12/03/2001\t706000\tFacture 200103001\tVE\t\t\t138,33\r\n"));
    // No grid rows beyond the lines: an empty journal is an empty file.
    EXPECT_TRUE(journalExport({}, 2).isEmpty());
}

TEST(AccountField, CompletesShortNumbersKeepsLongOnesAndEmptyStaysEmpty)
{
    EXPECT_EQ(formatAccount(u"4"), "400000");
    EXPECT_EQ(formatAccount(u" 4457 "), "445700");
    EXPECT_EQ(formatAccount(u"41100000"), "41100000");
    EXPECT_EQ(formatAccount(u"   "), "");

    Accounts stored;
    stored[account::Revenus] = "7060";
    stored[7] = "huit";
    stored[8] = "neuf";
    auto fields = accountFields(stored);
    // A never stored account shows its default; a stored one as it is.
    EXPECT_EQ(fields[account::Clients], "411000");
    EXPECT_EQ(fields[account::Taxe], "447100");
    EXPECT_EQ(fields[account::Revenus], "7060");
    fields[account::Clients] = "";
    fields[account::Achat] = "60700000";
    storeAccountFields(stored, fields);
    EXPECT_EQ(stored[account::Clients], "");
    EXPECT_EQ(stored[account::Revenus], "706000");
    EXPECT_EQ(stored[account::Achat], "60700000");
    EXPECT_EQ(stored[7], "huit");
    EXPECT_EQ(stored[8], "neuf");
    // An emptied account falls back on its default in the journal.
    EXPECT_EQ(accountNumber(stored, account::Clients), "411000");
}

TEST(Fec, NameHeaderLinesAndEncoding)
{
    Company company;
    company.lines[4] = "123 456 789 00012";
    EXPECT_EQ(fecFileName(company, QDate(2001, 12, 31)), "123456789FEC20011231.txt");

    const FileSet set = hotel({invoice(0, "200103001", "12/03/2001", kThreeRates)},
                              orderBlock(0, "200103002", "13/03/2001", kOrderLines));
    const QList<JournalLine> lines = journalLines(set, journalSettings());
    const QList<QByteArray> rows = fecBytes(lines, 2).split('\n');
    ASSERT_EQ(rows.size(), 8); // header, six lines, nothing after the last CR LF
    EXPECT_EQ(rows[0], "JournalCode\tJournalLib\tEcritureNum\tEcritureDate\tCompteNum\tCompteLib\t"
                       "CompAuxNum\tCompAuxLib\tPieceRef\tPieceDate\tEcritureLib\tDebit\tCredit\t"
                       "EcritureLet\tDateLet\tValidDate\tMontantdevise\tIdevise\r");
    EXPECT_EQ(rows[1], "VE\tVentes\t1\t20010312\t411000\tClients divers\t10001\tMartin Paul\t"
                       "200103001\t20010312\tFacture 200103001\t148,50\t0,00\t\t\t20010312\t\t\r");
    EXPECT_EQ(rows[3], "VE\tVentes\t1\t20010312\t445710\tTVA collect\xe9" "e\t\t\t"
                       "200103001\t20010312\tFacture 200103001\t0,00\t10,17\t\t\t20010312\t\t\r");
    EXPECT_EQ(rows[6], "AC\tAchats\t2\t20010313\t401000\tFournisseurs\t20007\tBrasserie du Port\t"
                       "200103002\t20010313\tCommande 200103002\t0,00\t81,10\t\t\t20010313\t\t\r");
    for (const QByteArray &r : rows.mid(0, 7))
        EXPECT_EQ(r.count('\t'), 17);

    // Without decimals the amounts still carry two; a period numbers its
    // entries from 1.
    const QList<JournalLine> whole = journalLines(set, [] {
        JournalSettings s = journalSettings();
        s.decimals = 0;
        return s;
    }());
    const QList<QByteArray> second = fecBytes(whole.mid(3), 0).split('\n');
    EXPECT_TRUE(second[1].startsWith("AC\tAchats\t1\t"));
    EXPECT_TRUE(second[1].contains("\t70,00\t0,00\t"));

    EXPECT_EQ(latin9(u"€ œ é ¤"), QByteArray("\xa4 \xbd \xe9 ?"));
}

TEST(Fec, AnUnbalancedEntryIsNamed)
{
    const FileSet set = hotel({invoice(0, "200103001", "12/03/2001", kThreeRates)});
    QList<JournalLine> lines = journalLines(set, journalSettings());
    lines[2].credit += 1;
    const QString error = fecBalanceError(lines, 2);
    EXPECT_TRUE(error.contains("Facture 200103001"));
    EXPECT_TRUE(error.contains("148,50"));
    EXPECT_TRUE(error.contains("148,51"));
}
