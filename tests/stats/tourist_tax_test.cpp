#include "stats_fixture.h"

#include "stats/journal.h"
#include "stats/tourist_tax.h"
#include "store/codec.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A validated invoice of a stay from `from` to `to`, for `name`.
QStringList stay(int n, const QString &number, const QString &date, const QString &from,
                 const QString &to, const QStringList &tagged, const QString &name = "Martin Paul",
                 bool validated = true)
{
    InvoiceFields f;
    f.number = number;
    f.date = date;
    f.address[0] = name;
    f.validated = validated ? "Y" : "N";
    QStringList block = invoiceBlock(n, tagged, f);
    block[invoiceline::StayFrom] = from;
    block[invoiceline::StayTo] = to;
    return block;
}

// A 100 € night at 10 % and the tax of `quantity` person-nights at 1,50 €.
QStringList nightAndTax(const QString &nights, const QString &quantity)
{
    return {line("Nuit", nights, "100", "2"), line("Taxe de séjour", quantity, "1,50", "D")};
}

const QDate kMarch1(2026, 3, 1), kMarch31(2026, 3, 31);

FileSet march()
{
    return setOf(
        stay(0, "202603001", "04/03/2026", "01/03/2026", "04/03/2026", nightAndTax("3", "6")) +
        // Without the tax, a draft, and one of April: not listed.
        stay(1, "202603002", "05/03/2026", "04/03/2026", "05/03/2026", {line("Nuit", "1", "100", "2")}) +
        stay(2, "202603003", "06/03/2026", "05/03/2026", "06/03/2026", nightAndTax("1", "1"), "Brouillon",
             false) +
        stay(3, "202604001", "02/04/2026", "01/04/2026", "02/04/2026", nightAndTax("1", "1")) +
        // A guest alone for two nights; a client name holding the separator.
        stay(4, "202603004", "12/03/2026", "10/03/2026", "12/03/2026", nightAndTax("2", "2"),
             "Durand; Fils") +
        // The credit note of the first invoice.
        stay(5, "202603005", "20/03/2026", "01/03/2026", "04/03/2026", nightAndTax("-3", "-6")));
}

// A row as "number|client|arrival|departure|nights|persons|person-nights|amount".
QString rowText(const TouristTaxRow &r)
{
    return QStringList{r.number,
                       r.client,
                       text::dateText(r.arrival),
                       text::dateText(r.departure),
                       QString::number(r.nights),
                       QString::number(r.persons()),
                       r.personNights.exact(),
                       r.amount.exact()}
        .join('|');
}

} // namespace

TEST(TouristTaxReport, OneRowPerValidatedInvoiceOfThePeriodCarryingTheTaxInGridAndCsv)
{
    const TouristTaxReport r = touristTaxReport(march(), passSettings(), kMarch1, kMarch31);
    // The credit note takes the stay back.
    QStringList rows;
    for (const TouristTaxRow &row : r.rows)
        rows << rowText(row);
    EXPECT_EQ(rows, QStringList({"202603001|Martin Paul|01/03/2026|04/03/2026|3|2|6|9",
                                 "202603004|Durand; Fils|10/03/2026|12/03/2026|2|1|2|3",
                                 "202603005|Martin Paul|01/03/2026|04/03/2026|-3|2|-6|-9"}));
    EXPECT_EQ(QStringList({QString::number(r.nights), r.personNights.exact(), r.amount.exact()}),
              QStringList({"2", "2", "3"}));
    // Four person-nights over a nine-night stay still name one person.
    TouristTaxRow shortened = r.rows[0];
    shortened.nights = 9;
    shortened.personNights = Money::whole(4);
    EXPECT_EQ(shortened.persons(), 1);

    // The period's ends are included.
    EXPECT_EQ(touristTaxReport(march(), passSettings(), QDate(2026, 3, 4), QDate(2026, 3, 4)).rows.size(), 1);
    EXPECT_TRUE(touristTaxReport(march(), passSettings(), kMarch31, kMarch1).rows.isEmpty());

    // The grid and the CSV carry the rows and their total.
    const GridSheet sheet = touristTaxSheet(r, 2);
    ASSERT_EQ(sheet.rows.size(), 4);
    EXPECT_EQ(sheet.rows[0].join('|'), "1|202603001|Martin Paul|01/03/2026|04/03/2026|3|2|6|9,00");
    EXPECT_EQ(sheet.rows[3].join('|'), "|Total||||2||2|3,00");
    // A period without tax still declares its total.
    EXPECT_EQ(rowsOf(touristTaxSheet(TouristTaxReport{}, 2)),
              QStringList{"\tTotal\t\t\t\t0\t\t0\t0,00"});

    const QByteArray csv = touristTaxCsv(r, 2);
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 6); // heading, three rows, total, and after the last CR LF
    EXPECT_EQ(lines[0], cp1252::encode(u"Facture;Client;Arrivée;Départ;Nuits;Personnes;Nuitées;Montant\r"));
    EXPECT_EQ(lines[2], "202603004;\"Durand; Fils\";10/03/2026;12/03/2026;2;1;2;3,00\r");
    EXPECT_EQ(lines[4], "Total;;;;2;;2;3,00\r");
    EXPECT_TRUE(lines[5].isEmpty());
}

TEST(TouristTaxJournal, TheTaxGoesToItsOwnAccountAndIsLeftOutOfTheTurnover)
{
    JournalSettings s;
    s.vatRates = {5.5, 10, 20};
    s.decimals = 2;
    // An invoice without the tax has no tax line; a stored account is used.
    s.accounts[account::Taxe] = "44711";
    int taxLines = 0;
    for (const JournalLine &l : journalLines(march(), s)) {
        if (l.piece == "202603002") {
            EXPECT_NE(l.accountIndex, account::Taxe);
        }
        if (l.accountIndex == account::Taxe) {
            EXPECT_EQ(l.account, "44711");
            ++taxLines;
        }
    }
    EXPECT_GT(taxLines, 0);

    // The occupancy's turnover leaves the tax out too.
    const FileSet one =
        setOf(stay(0, "1", "04/03/2026", "01/03/2026", "04/03/2026", nightAndTax("3", "6")));
    const QList<OccupancyMonth> months = occupancy(one, invoiceFigures(one, passSettings()));
    ASSERT_FALSE(months.isEmpty());
    // 309,00 shown, less 27,27 of VAT and 9,00 of tax.
    EXPECT_EQ(months.back().turnover.exact(), "272,73");
}

TEST(TouristTaxTool, PrintsThePeriodsRowsAndRefusesABadPeriod)
{
    const ToolSet set(
        stay(0, "202603001", "04/03/2026", "01/03/2026", "04/03/2026", nightAndTax("3", "6")) +
        stay(1, "202604001", "02/04/2026", "01/04/2026", "02/04/2026", nightAndTax("1", "1")));
    auto run = [&](const QStringList &args, QString *output) {
        return set.tool("taxe-sejour", args, output);
    };
    QString out;
    ASSERT_EQ(run({"--from", "01/03/2026", "--to", "31/03/2026"}, &out), 0) << qPrintable(out);
    EXPECT_EQ(out.split('\n', Qt::SkipEmptyParts),
              QStringList({"202603001\tMartin Paul\t01/03/2026\t04/03/2026\t3\t2\t6\t9,00",
                           "Total\t\t\t\t3\t\t6\t9,00"}));
    // A month without tax still declares its total.
    ASSERT_EQ(run({"--from", "01/05/2026", "--to", "31/05/2026"}, &out), 0) << qPrintable(out);
    EXPECT_EQ(out, "Total\t\t\t\t0\t\t0\t0,00\n");
    EXPECT_EQ(run({"--from", "31/02/2026", "--to", "31/03/2026"}, &out), 2);
    EXPECT_TRUE(out.contains("n'est pas une date correcte"));
    EXPECT_EQ(run({"--from", "01/03/2026"}, &out), 2);
}

// The demonstration hotel bills the taxe de séjour as the program does: "D"
// lines at the amount its settings give, for the nights between the stay's
// dates, so the month's report is not empty.
TEST(DemoHotel, TheMonthsTaxIsListedAtTheSettingsAmountForTheStaysNights)
{
    QTemporaryDir dir;
    ASSERT_EQ(QProcess::execute(QStringLiteral(CARVELLE_GENERATOR),
                                {"--small", "--date", "2026-12-07", dir.path(), "DEMO"}),
              0);
    ASSERT_EQ(QProcess::execute("bash",
                                {CARVELLE_TEST_DATA "/../../scripts/demo-settings.sh", dir.path()}),
              0);
    QString out;
    ASSERT_EQ(runTool(dir.path(),
                      {"taxe-sejour", "DEMO.htl", "--from", "01/11/2026", "--to", "30/11/2026"},
                      &out),
              0)
        << qPrintable(out);
    QStringList rows = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(rows.size(), 10) << qPrintable(out);
    ASSERT_TRUE(rows.takeLast().startsWith("Total"));
    for (const QString &row : std::as_const(rows)) {
        const QStringList f = row.split('\t');
        ASSERT_EQ(f.size(), 8) << qPrintable(row);
        const QDate arrival = QDate::fromString(f[2], "dd/MM/yyyy"),
                    departure = QDate::fromString(f[3], "dd/MM/yyyy");
        EXPECT_EQ(f[4].toLongLong(), arrival.daysTo(departure)) << qPrintable(row);
        // 1,10 per person and night.
        EXPECT_EQ(f[7], QString::number(f[6].toInt() * 110 / 100.0, 'f', 2).replace('.', ','))
            << qPrintable(row);
    }
}
