#include "billing_fixture.h"

#include <gtest/gtest.h>

namespace {

using namespace invoicecol;

// A grid holding the given FACT lines, computed as LitFact computes it.
struct Computed
{
    LineGrid grid{Count, InvoiceCard::kRows};
    InvoiceTotals totals;

    Computed(const QStringList &facts, const std::array<double, 3> &rates = {5.5, 10, 20},
             int decimals = 2)
    {
        for (const QString &f : facts)
            grid.appendRead(grid.splitCells(f.mid(4)));
        totals = Calculef(grid, rates, decimals);
    }
    QString cell(int row, int column) const { return grid.cell(row, column).trimmed(); }
};

TEST(Calculef, ReadsEachRowAsTheGridShowsIt)
{
    const Computed c({line("Vin", "3 kg", "2,5"), line("Pain", "2", "1,10", ""),
                      line("Eau", "1", "4", "7"), line("Menu", "2", "25", "1", "10")});
    // "3 kg" counts the number alone; an empty T is computed under code 1
    // and then shows "1"; a T of 7 counts under code 1 and shows as computed.
    EXPECT_EQ(rowsText(c.grid, 4), QStringList({"Vin|3 kg|2,5||7,50|1", "Pain|2|1,10||2,20|1",
                                                "Eau|1|4||4,00|1", "Menu|2|25|10|45,00|1"}));
    EXPECT_EQ(c.totals.inclusive[0], money("58,70"));
    EXPECT_EQ(c.totals.totalText, "58,70");
    EXPECT_TRUE(c.totals.bad.isEmpty());
    // Cells are stored aligned: the quantity for 60 pixels, amounts for 90.
    EXPECT_EQ(c.grid.cell(1, Quantity), text::Rset(u"3 kg", 60));
    // The price stays as typed: only aligned.
    EXPECT_EQ(c.grid.cell(1, Price), text::Rset(u"2,5", 90));

    // A zero is hidden without decimals, and never shown as minus zero.
    const Computed zero({line("Offert", "1", "0")}, {0, 0, 0}, 0);
    EXPECT_EQ(zero.totals.totalText + zero.totals.vatText + zero.cell(1, Amount), "");
    const Computed nothing({line("Offert", "1", "5"), line("Retour", "-1", "5")});
    EXPECT_EQ(nothing.totals.totalText, "0,00"); // never "-0,00"
}

// The rounding itself, code by code, is MoneyRules' table.
TEST(Calculef, ACellThatDoesNotReadEndsItsRowAndIsReported)
{
    const Computed c({line("Vin", "2", "abc"), line("Café", "x", "3"), line("Thé", "2", "3", "9z"),
                      line("Menu", "2", "10", "1", "dix"), line("Bière", "1", "5")});
    EXPECT_EQ(c.totals.bad, (QList<BadCell>{{1, Price}, {2, Quantity}, {3, Vat}, {4, Discount}}));
    // Row 1: the price did not read, the amount is 0 and counts under no
    // code; row 4: what was read before the discount counts.
    EXPECT_EQ(rowText(c.grid, 1), "Vin|2|abc||0,00|1");
    EXPECT_EQ(c.cell(4, Amount), "20,00");
    EXPECT_EQ(c.totals.total, money("25"));
    EXPECT_EQ(badCellMessage(c.grid, c.totals.bad[0]),
              "Ligne 1 : 'abc' n'est pas une valeur en virgule flottante correcte");
    EXPECT_EQ(badCellMessage(c.grid, c.totals.bad[2]),
              "Ligne 3 : '9z' n'est pas une valeur entière correcte");
}

// The tool reads the table's lines without building a card: it must give
// what the page shows, whatever the cells hold.
TEST(Calculef, ThePassOverTheTableGivesWhatThePageShows)
{
    const QStringList facts = {
        line("Vin", " 3 kg", " 2,5"),
        line("Eau", "1", "4", "7"),
        line("Thé", "2", "3", "9z"),
        line("Menu", QChar(0xA0) + QString("2"), "25" + QString(QChar(0xA0)), "", "10"),
        fact({"", "", "Court", "1", "3"}),
        fact({"", "", "Tabs", "1", "2", "", "", "2\textra"}),
        line("Gros", "1e3", "+1,5", "3"),
        line("Vide", "", "9")};
    QStringList tagged = facts;
    for (int i = 0; i < 70; ++i)
        tagged << line("Nuit", "1", QString::number(80 + i), QString::number(1 + i % 3));
    Billing b({invoiceBlock(0, tagged)});
    const InvoiceTotals &page = b.invoices.totals();
    const RecordTable &t = b.fiche.set().table(Table::Invoices);
    const InvoiceTotals pass = blockTotals(t, 0, t.size() - 1, {5.5, 10, 20}, 2);
    EXPECT_EQ(std::tuple(pass.inclusive, pass.exclusive, pass.totalText, pass.vatText, pass.bad),
              std::tuple(page.inclusive, page.exclusive, page.totalText, page.vatText, page.bad));
    // An exponent is no way to write an amount: "1e3" is no quantity.
    EXPECT_EQ(page.bad, (QList<BadCell>{{3, Vat}, {6, Vat}, {7, Quantity}}));
}

} // namespace
