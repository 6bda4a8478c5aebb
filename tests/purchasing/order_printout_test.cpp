#include "print/print_items.h"
#include "purchasing/order_printout.h"

#include <gtest/gtest.h>

namespace {

// An order of `n` lines of 2 x 10,00 (code 1), prices without tax.
OrderCard order(int n, bool pricesWithTax = false)
{
    OrderCard c;
    c.number = "202405001";
    c.date = QDate(2024, 5, 15);
    c.supplier = "10003";
    c.payment = "A réception";
    c.address = {"Fromagerie", "Route 1", "", "35000 RENNES"};
    c.pricesWithTax = pricesWithTax;
    for (int r = 1; r <= n; ++r)
        c.lines.appendRead({"R" + QString::number(r), "Article", "2", "10", "", "", "1"});
    c.lines.highest = n;
    return c;
}

PrintDocument print(OrderCard &c, int paperType = 0)
{
    const LineTotals totals = Calculec(c.lines, c.pricesWithTax, {20, 10, 5.5}, 2);
    InvoicePaper paper{paperType, {}, "Euros"};
    paper.company.lines = {"Hôtel de la Plage", "", "", "", "", "", ""};
    return ImpCmd(c, totals, paper, kPortrait);
}

} // namespace

TEST(OrderPrintout, HeadingLinesAndTheThreeTotals)
{
    OrderCard c = order(2);
    const PrintDocument doc = print(c);
    ASSERT_EQ(doc.pages().size(), 1);
    const PrintPage &p = doc.pages()[0];
    EXPECT_EQ(textAt(p, 166, 92), "Montant H.T.");
    EXPECT_EQ(textAt(p, 15, 84), "Commande N° 202405001");
    EXPECT_EQ(textAt(p, 15, 79), "Code fournisseur : 10003");
    EXPECT_EQ(textAt(p, 116, 75), "35000 RENNES");
    EXPECT_EQ(textAt(p, 17, 110), "R2");
    EXPECT_EQ(textAt(p, 188, 105), "20,00");
    EXPECT_EQ(textAt(p, 108, 261), "TOTAL TTC");
    EXPECT_EQ(textAt(p, 193, 247), "40,00");
    EXPECT_EQ(textAt(p, 193, 254), "8,00");
    EXPECT_EQ(textAt(p, 193, 261), "48,00 Euros");
    EXPECT_EQ(textAt(p, 15, 0), "Hôtel de la Plage");

    OrderCard withTax = order(1, true);
    const PrintDocument plain = print(withTax, 2);
    const PrintPage &t = plain.pages()[0];
    // No frame on this paper: neither headings nor captions, the totals stay.
    EXPECT_EQ(textAt(t, 166, 92), "<none>");
    EXPECT_EQ(textAt(t, 108, 261), "<none>");
    EXPECT_EQ(textAt(t, 193, 261), "20,00 Euros");
}
