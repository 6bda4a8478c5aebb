#include "billing_fixture.h"

#include "billing/invoice_printout.h"
#include "print/print_items.h"

#include <gtest/gtest.h>

namespace {

// The invoice of block 0 as the page reads it, printed; n lines of 10,00
// after `tagged`, then `memo` memo lines.
PrintDocument print(QStringList tagged, int n = 0, int memo = 0, int paperType = 0,
                    const InvoiceFields &f = {})
{
    for (int k = 1; k <= n; ++k)
        tagged << line("Article " + QString::number(k), "1", "10");
    for (int k = 1; k <= memo; ++k)
        tagged << "MEMONote " + QString::number(k);
    Billing b(invoiceBlock(0, tagged, f));
    b.show(0);
    InvoicePaper paper{paperType, {}, "Euros"};
    paper.company.lines = {"Hôtel de la Plage", "12 rue Haute", "", "17000 La Rochelle", "", "",
                           "APE 5510Z"};
    return ImpFact(b.card(), b.invoices.totals(), paper, kPortrait);
}

const PrintItem *find(const PrintPage &page, const QString &text)
{
    for (const PrintItem &i : page)
        if (i.kind == PrintItem::Kind::Text && i.text == text)
            return &i;
    return nullptr;
}

// The y of every text at x on a page below the headings.
QList<double> ys(const PrintPage &page, double x)
{
    QList<double> out;
    for (const PrintItem &i : page)
        if (i.kind == PrintItem::Kind::Text && i.x == x && i.y > 92)
            out << i.y;
    return out;
}

TEST(InvoicePrintout, LaysOutFrameHeadingsLinesAndTotals)
{
    const PrintDocument doc =
        print({line("Nuitée", "2", "55"), line("Vin", "1", "24,5", "3", "10")}, 0, 0, 0,
              {.vatShown = "Y"});
    ASSERT_EQ(doc.pages().size(), 1);
    const PrintPage &p = doc.pages()[0];
    EXPECT_EQ(textAt(p, 15, 69), "Séjour du 28/02/2026 au 01/03/2026");
    EXPECT_EQ(textAt(p, 153, 110), "24,50"); // the price as typed, with the format's decimals
    EXPECT_EQ(textAt(p, 188, 110), "22,05");
    EXPECT_EQ(textAt(p, 189, 262), "132,05 Euros");
    EXPECT_EQ(textAt(p, 189, 251), "9,41");
    EXPECT_EQ(textAt(p, 189, 246), "122,64");

    // Letterhead: the frame without the company; any other paper: neither.
    const PrintPage letterhead = print({}, 1, 0, 1).pages()[0];
    EXPECT_TRUE(find(letterhead, "Total TTC"));
    EXPECT_FALSE(find(letterhead, "Hôtel de la Plage"));
    const PrintPage other = print({}, 1, 0, 2).pages()[0];
    EXPECT_FALSE(find(other, "Total TTC"));
    EXPECT_EQ(std::count_if(other.begin(), other.end(),
                            [](const PrintItem &i) { return i.kind != PrintItem::Kind::Text; }),
              0);
    EXPECT_EQ(textAt(other, 189, 262), "10,00 Euros");
}

TEST(InvoicePrintout, LongInvoiceAndMemoContinueOnFurtherPages)
{
    // 28 lines fill one page: the empty row after them adds none.
    EXPECT_EQ(print({}, 28).pages().size(), 1);

    const PrintDocument doc = print({}, 30);
    ASSERT_EQ(doc.pages().size(), 2);
    const PrintPage &first = doc.pages()[0], &second = doc.pages()[1];
    EXPECT_EQ(ys(first, 62).size(), 28);
    EXPECT_FALSE(find(first, "Total TTC"));
    EXPECT_FALSE(find(first, "300,00 Euros"));
    EXPECT_EQ(textAt(first, 195, 274), "Page 1/2");
    // The invoice heading again, then the rest.
    EXPECT_EQ(textAt(second, 15, 84), "Facture N° 202603001");
    EXPECT_EQ(column(second, 62, 100), (QStringList{"Article 29", "Article 30"}));
    EXPECT_EQ(textAt(second, 189, 262), "300,00 Euros");
    EXPECT_EQ(textAt(second, 195, 274), "Page 2/2");

    // Lines kept beyond the grid's 63 rows print and count too.
    const PrintDocument more = print({}, 65);
    ASSERT_EQ(more.pages().size(), 3);
    EXPECT_EQ(textAt(more.pages()[2], 62, 145), "Article 65");
    EXPECT_EQ(textAt(more.pages()[2], 189, 262), "650,00 Euros");

    // The memo stands above the totals and never over the lines.
    EXPECT_EQ(ys(print({}, 2, 3).pages()[0], 22), (QList<double>{205, 210, 215}));
    // Twenty lines leave no room for six memo lines above y 220: they follow.
    EXPECT_EQ(ys(print({}, 20, 6).pages()[0], 22), (QList<double>{205, 210, 215, 220, 225, 230}));
    // What the frame cannot hold goes on to the next page, with the totals.
    const PrintDocument memo = print({}, 25, 5);
    ASSERT_EQ(memo.pages().size(), 2);
    EXPECT_EQ(ys(memo.pages()[0], 22), (QList<double>{230, 235, 240}));
    EXPECT_EQ(ys(memo.pages()[1], 22), (QList<double>{105, 110}));
    EXPECT_TRUE(ys(memo.pages()[1], 62).isEmpty());
    EXPECT_EQ(textAt(memo.pages()[1], 189, 262), "250,00 Euros");
}

// Whatever the screen's VAT switch: the VAT of each rate used keyed to the
// lines' code, the taxe de séjour apart, totals that add up, and the
// company's numbers with their labels.
TEST(InvoicePrintout, ShowsTheVatOfEachRateAndTheTaxeDeSejourApart)
{
    InvoiceFields f;
    f.vatShown = "N";
    Billing b(invoiceBlock(0, {line("Livre", "1", "12,99", "1"), line("Nuit", "2", "84,5", "2"),
                               line("Parking", "3", "8,333", "3"),
                               line("Taxe de séjour", "4", "0,83", "D")},
                           f));
    b.show(0);
    InvoicePaper paper{0, {}, "Euros"};
    paper.company.lines = {"Hôtel", "", "", "", "123 456 789 00012", "FR12123456789", "APE 5510Z"};
    const PrintPage p = ImpFact(b.card(), b.invoices.totals(), paper, kPortrait).pages()[0];
    EXPECT_EQ(column(p, 18, 246), (QStringList{"T", "1", "2", "3", "D"}));
    EXPECT_EQ(column(p, 24, 246),
              (QStringList{"Taux", "5,5 %", "10 %", "20 %", "Taxe de séjour (hors TVA)"}));
    EXPECT_EQ(column(p, 63, 246), (QStringList{"Base HT", "12,31", "153,64", "20,83"}));
    EXPECT_EQ(column(p, 83, 246), (QStringList{"TVA", "0,68", "15,36", "4,17"}));
    EXPECT_EQ(column(p, 104, 246), (QStringList{"TTC", "12,99", "169,00", "25,00", "3,32"}));
    EXPECT_EQ(column(p, 108, 246),
              (QStringList{"Total HT", "Total TVA", "Taxe de séjour", "Total TTC"}));
    EXPECT_EQ(column(p, 189, 246), (QStringList{"186,78", "20,21", "3,32", "210,31 Euros"}));
    EXPECT_TRUE(find(p, "SIRET : 123 456 789 00012"));
    EXPECT_TRUE(find(p, "N° TVA : FR12123456789"));
    EXPECT_TRUE(find(p, "APE 5510Z"));
    EXPECT_EQ(textAt(p, 116, 80), "<none>"); // a private guest: no identifiers, no terms
    EXPECT_EQ(textAt(p, 15, 276), "<none>");

    // A business client: its name and identifiers by its address, the due
    // date and the late-payment terms at the foot.
    paper.buyer = {"552 100 554 00012", "FR40552100554", "Voyages Azur SAS"};
    const PrintPage business = ImpFact(b.card(), b.invoices.totals(), paper, kPortrait).pages()[0];
    EXPECT_EQ(textAt(business, 116, 55), "Voyages Azur SAS");
    EXPECT_EQ(textAt(business, 116, 80),
              "SIREN/SIRET : 552 100 554 00012   N° TVA : FR40552100554");
    EXPECT_TRUE(textAt(business, 15, 272).startsWith("Échéance : 31/03/2026, paiement à 30 jours"));
    EXPECT_TRUE(textAt(business, 15, 276).contains("indemnité forfaitaire pour frais de recouvrement : 40 €"));
}

} // namespace
