#include "billing_fixture.h"

#include "billing/invoice_printout.h"
#include "print/print_items.h"
#include "purchasing/order.h"
#include "stats/journal.h"
#include "stats/statistics.h"

#include <gtest/gtest.h>

namespace {

using namespace invoicecol;

// The figures a document gives, in the amount format: per code base with
// tax, without tax and tax, then the three totals.
struct Figures
{
    QStringList perCode; // "ttc/ht/tva" for each code used, in code order
    QString ht, tva, ttc;
    bool operator==(const Figures &) const = default;
};

void PrintTo(const Figures &f, std::ostream *os)
{
    *os << qPrintable(f.perCode.join(' ') + " HT " + f.ht + " TVA " + f.tva + " TTC " + f.ttc);
}

Figures figuresOf(const LineTotals &t, int decimals)
{
    Figures f;
    for (std::size_t k = 0; k < 3; ++k)
        if (t.used[k])
            f.perCode << t.inclusive[k].format(decimals) + u'/' + t.exclusive[k].format(decimals) +
                             u'/' + t.vat[k].format(decimals);
    f.ht = t.exclusiveText;
    f.tva = t.vatText;
    f.ttc = t.totalText;
    return f;
}

// HT + TVA = TTC per code and in total, the "D" lines beside them; the
// line amounts add up to the bases.
void expectConsistent(const LineTotals &t, const LineGrid &g, int decimals, int amountColumn,
                      int vatColumn, const char *what)
{
    Money lines, outside;
    for (int r = 1; r <= g.rows(); ++r) {
        const QString a = g.cell(r, amountColumn).trimmed();
        if (a.isEmpty())
            continue;
        const Money m = Money::parse(a).value();
        (g.cell(r, vatColumn).trimmed() == u"D" ? outside : lines) += m;
    }
    // The amounts shown add up to the bases: what the paper prints adds up.
    Money bases, computedBases;
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(t.exclusive[k] + t.vat[k], t.inclusive[k]) << what << " code " << k + 1;
        EXPECT_EQ(t.vat[k].rounded(decimals), t.vat[k]) << what;
        bases += t.inclusive[k];
        computedBases += amountColumn == Amount ? t.inclusive[k] : t.exclusive[k];
    }
    EXPECT_EQ(t.totalExclusive + t.totalVat + t.outsideVat, t.total) << what;
    EXPECT_EQ(t.outsideVat, outside) << what;
    EXPECT_EQ(t.total, bases + t.outsideVat) << what;
    if (amountColumn == Amount) {
        EXPECT_EQ(lines, computedBases) << what;
    }
}

} // namespace

// The rules on awkward values: each line rounded once from its exact
// value, each code's VAT taken once from its rounded base.
TEST(MoneyRules, InvoicesAreExactToTheUnitOfTheAmountFormat)
{
    struct Case
    {
        const char *what;
        QStringList facts;
        int decimals;
        QStringList amounts; // the line amounts shown
        Figures expected;
    };
    const QList<Case> cases = {
        {"1 x 1,65 at -10 %: 1,485 is 1,49", {line("Café", "1", "1,65", "2", "10")}, 2, {"1,49"},
         {{"1,49/1,35/0,14"}, "1,35", "0,14", "1,49"}},
        {"1000 x 0,125", {line("Savon", "1000", "0,125", "2")}, 2, {"125,00"},
         {{"125,00/113,64/11,36"}, "113,64", "11,36", "125,00"}},
        {"two lines of 0,15 at -50 % add up on paper",
         {line("A", "1", "0,15", "2", "50"), line("B", "1", "0,15", "2", "50")}, 2, {"0,08", "0,08"},
         {{"0,16/0,15/0,01"}, "0,15", "0,01", "0,16"}},
        {"no decimals: 2 x 10,5", {line("Nuit", "2", "10,5", "2")}, 0, {"21"}, {{"21/19/2"}, "19", "2", "21"}},
        {"one decimal", {line("Thé", "3", "0,35", "3")}, 1, {"1,1"}, {{"1,1/0,9/0,2"}, "0,9", "0,2", "1,1"}},
        {"a credit note", {line("Café", "-1", "1,65", "2", "10"), line("Nuit", "-2", "80", "2")}, 2,
         {"-1,49", "-160,00"}, {{"-161,49/-146,81/-14,68"}, "-146,81", "-14,68", "-161,49"}},
        {"three rates and a D line",
         {line("Livre", "1", "12,99", "1"), line("Nuit", "2", "84,5", "2"), line("Parking", "3", "8,333", "3"),
          line("Taxe de séjour", "4", "0,83", "D")},
         2,
         {"12,99", "169,00", "25,00", "3,32"},
         {{"12,99/12,31/0,68", "169,00/153,64/15,36", "25,00/20,83/4,17"}, "186,78", "20,21", "210,31"}},
    };
    for (const Case &c : cases) {
        LineGrid g{Count, InvoiceCard::kRows};
        for (const QString &f : c.facts)
            g.appendRead(g.splitCells(f.mid(4)));
        const LineTotals t = Calculef(g, {5.5, 10, 20}, c.decimals);
        QStringList amounts;
        for (int r = 1; r <= c.facts.size(); ++r)
            amounts << g.cell(r, Amount).trimmed();
        EXPECT_EQ(amounts, c.amounts) << c.what;
        EXPECT_EQ(figuresOf(t, c.decimals), c.expected) << c.what;
        expectConsistent(t, g, c.decimals, Amount, Vat, c.what);
    }
}

TEST(MoneyRules, OrdersWithAndWithoutTax)
{
    struct Case
    {
        const char *what;
        bool withTax;
        const char *ht, *tva, *ttc;
    };
    // 3 x 13,333 (40,00) at 20 %, 7 x 2,49 (17,43) at 5,5 % and 1 x 99,99 at 10 %.
    const QList<Case> cases = {
        {"without tax: the tax added per code", false, "157,42", "18,96", "176,38"},
        {"with tax: the tax taken out per code", true, "140,75", "16,67", "157,42"},
    };
    for (const Case &c : cases) {
        LineGrid g{ordercol::Count, OrderCard::kRows};
        g.appendRead({"R1", "Vin", "3", "13,333", "", "", "1"});
        g.appendRead({"R2", "Pain", "7", "2,49", "", "", "3"});
        g.appendRead({"R3", "Linge", "1", "99,99", "", "", "2"});
        const LineTotals t = Calculec(g, c.withTax, {20, 10, 5.5}, 2);
        EXPECT_EQ(QStringList({t.exclusiveText, t.vatText, t.totalText}),
                  QStringList({c.ht, c.tva, c.ttc}))
            << c.what;
        const std::array<Money, 3> bases = c.withTax ? t.inclusive : t.exclusive;
        EXPECT_EQ(bases[0] + bases[1] + bases[2], money("157,42")) << c.what;
        expectConsistent(t, g, 2, ordercol::Amount, ordercol::Vat, c.what);
    }
}

// Enter computes from the price as typed, however often it is pressed.
TEST(MoneyRules, EnterKeepsTheTypedPriceAndGivesTheSameAmountEachTime)
{
    for (const auto &[decimals, quantity, price, amount, total] :
         {std::tuple{2, "1000", "0,125", "125,00", "125,00"},
          std::tuple{0, "2", "10,5", "21", "21"}}) {
        Billing b;
        b.fiche.settings().decimals = decimals;
        b.card().client = "10001";
        LineGrid &g = b.grid();
        g.setCell(1, Designation, "Savon");
        g.setCell(1, Quantity, quantity);
        g.setCell(1, Price, price);
        for (int press = 0; press < 3; ++press) {
            g.cursorRow = 1;
            g.cursorColumn = Price;
            b.invoices.StringGrid5KeyPress(LineGrid::kEnter);
            EXPECT_EQ(g.cell(1, Price).trimmed(), price) << press;
            EXPECT_EQ(g.cell(1, Amount).trimmed(), amount) << price << " press " << press;
            EXPECT_EQ(b.invoices.totals().totalText, total) << price << " press " << press;
        }
    }
}

// The paper says what the page shows now, not what the last Enter computed.
TEST(MoneyRules, PrintingComputesFirst)
{
    Billing b({invoiceBlock(0, {line("Nuit", "2", "10")})});
    b.show(0);
    ASSERT_EQ(b.invoices.totals().totalText, "20,00");
    b.grid().setCell(1, Quantity, "3"); // typed, no Enter
    const PrintJob job = ImpFactJob(b.invoices, b.fiche);
    const PrintDocument doc = job.layout(kPortrait, {});
    EXPECT_EQ(textAt(doc.pages().last(), 189, 262), "30,00 Euros");
    EXPECT_EQ(b.invoices.totals().totalText, "30,00");
}

// A validated invoice keeps its rates and figures: a rate changed later
// changes no reader's figure; an earlier file without them is computed with
// today's rates; a draft always is.
TEST(MoneyRules, AValidatedInvoiceNeverChanges)
{
    InvoiceFields earlier;
    earlier.number = "202603002";
    earlier.validated = "Y"; // an earlier file: no kept figures
    Billing b(
        invoiceBlock(0, {line("Nuit", "1", "110", "2"), line("Taxe de séjour", "2", "0,83", "D")}) +
            invoiceBlock(1, {line("Nuit", "1", "110", "2")}, earlier),
        clientBlock(0, "10001", "Martin Paul"));
    b.show(0);
    ASSERT_TRUE(b.invoices.Valider());
    const QStringList validated = b.lines();
    ASSERT_TRUE(validated.contains("TOTV5,5\t10\t20\t0\t0\t0\t110\t100\t10\t0\t0\t0\t1,66\t111,66"))
        << validated.join("\n").toStdString();

    b.fiche.settings().vatRates = {5.5, 20, 20};
    b.show(0);
    EXPECT_EQ(b.invoices.totals().vatText + "/" + b.invoices.totals().exclusiveText,
              "10,00/100,00");
    EXPECT_TRUE(b.invoices.totals().kept);
    const RecordTable &t = b.fiche.set().table(Table::Invoices);
    const qsizetype start = t.blockStart(0);
    const InvoiceTotals pass =
        blockTotals(t, start, t.blockStop(start, 0), b.fiche.settings().vatRates, 2);
    EXPECT_EQ(pass.vatText + "/" + pass.totalText, "10,00/111,66");
    // Written again (a header field changed), the block keeps them as they were.
    b.card().payment = "Chèque";
    b.rewriteAndRead();
    EXPECT_EQ(b.invoices.totals().vatText, "10,00");

    // The earlier file follows today's rates: 110 at 20 %.
    b.show(1);
    EXPECT_FALSE(b.invoices.totals().kept);
    EXPECT_EQ(b.invoices.totals().vatText, "18,33");

    JournalSettings js;
    js.vatRates = b.fiche.settings().vatRates;
    QList<JournalLine> journal = journalLines(b.fiche.set(), js);
    qint64 vatCredited = 0;
    for (const JournalLine &l : journal)
        if (l.piece == u"202603001" && l.accountIndex == account::TvaCollectee)
            vatCredited += l.credit;
    EXPECT_EQ(vatCredited, 1000);
}

TEST(MoneyRules, KeptFiguresThatDoNotAddUpAreNotTaken)
{
    EXPECT_TRUE(readKeptFigures("TOTV5,5\t10\t20\t0\t0\t0\t110\t100\t10\t0\t0\t0\t0\t110", 2));
    EXPECT_FALSE(readKeptFigures("TOTV5,5\t10\t20\t0\t0\t0\t110\t100\t11\t0\t0\t0\t0\t110", 2));
    EXPECT_FALSE(readKeptFigures("TOTV5,5\t10\t20\t0\t0\t0\t110\t100\t10\t0\t0\t0\t0\t111", 2));
    EXPECT_FALSE(readKeptFigures("TOTV5,5\t10\t20", 2));
    EXPECT_FALSE(readKeptFigures("TOTVx\t10\t20\t0\t0\t0\t110\t100\t10\t0\t0\t0\t0\t110", 2));
}

// Picking an article bills it at its own VAT code.
TEST(MoneyRules, PickingAnArticleTakesItsVatCode)
{
    Billing b({}, {}, {},
              articleBlock(0, "10001", "Parking", "8,00", "3") +
                  articleBlock(1, "10002", "Livre", "12,99", "  1") +
                  articleBlock(2, "10003", "Sans code", "5,00", "20%"));
    b.invoices.Creer();
    LineGrid &g = b.grid();
    for (const auto &[row, code, vat] :
         {std::tuple{1, "10001", "3"}, std::tuple{2, "10002", "1"}, std::tuple{3, "10003", ""}}) {
        g.cursorRow = row;
        g.cursorColumn = Code;
        g.setCell(row, Code, code);
        g.cursorColumn = Designation;
        b.invoices.StringGrid5Click();
        EXPECT_EQ(g.cell(row, Vat), vat) << code;
    }
}

// Out of the sane range: refused with a message, never overflowing.
TEST(MoneyRules, ValuesOutOfRangeAreRefusedWithAMessage)
{
    LineGrid g{Count, InvoiceCard::kRows};
    g.appendRead(g.splitCells(line("A", "99999999999999999999", "1").mid(4)));
    g.appendRead(g.splitCells(line("B", "1", "1,23456").mid(4)));
    g.appendRead(g.splitCells(line("C", "1", "10", "1", "150").mid(4)));
    g.appendRead(g.splitCells(line("D", "1000000", "1000000000").mid(4)));
    g.appendRead(g.splitCells(line("E", "1", "10").mid(4)));
    const LineTotals t = Calculef(g, {5.5, 10, 20}, 2);
    EXPECT_EQ(t.bad,
              (QList<BadCell>{
                  {1, Quantity, true}, {2, Price, true}, {3, Discount, true}, {4, Amount, true}}));
    EXPECT_EQ(t.totalText, "20,00"); // row C counts without its discount, as before
    EXPECT_EQ(badCellMessage(g, t.bad[1]),
              "Ligne 2 : '1,23456' : le prix va de -1 000 000 000 à 1 000 000 000, avec quatre "
              "décimales au plus");
    // A rate no invoice can hold counts as none rather than overflowing.
    const LineTotals huge = Calculef(g, {1e20, 10, 20}, 2);
    EXPECT_EQ(huge.vatText, "0,00");
}

// Leaving an invoice that holds lines but no client code asks first.
TEST(MoneyRules, AnIncompleteInvoiceIsNotDroppedWithoutAWord)
{
    Billing b({invoiceBlock(0, {line("Nuit", "1", "80")})});
    b.show(0);
    b.invoices.Creer();
    b.grid().setCell(1, Designation, "Nuit");
    b.grid().setCell(1, Quantity, "1");
    b.grid().highest = 1;
    b.invoices.touch();
    b.ui.okCancel = {false};
    b.invoices.first();
    EXPECT_EQ(b.ui.shown.size(), 1);
    EXPECT_EQ(b.grid().cell(1, Designation), "Nuit") << "kept on the page";
    // Another page and back: still there.
    b.fiche.selectPage(PageId::Clients);
    b.fiche.selectPage(PageId::Invoices);
    EXPECT_EQ(b.grid().cell(1, Designation), "Nuit");
    b.ui.okCancel = {true};
    b.invoices.first();
    EXPECT_EQ(b.card().number, "202603001");
}
