#include "billing/invoice_parameters.h"
#include "billing_fixture.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using namespace invoicecol;

// Types a text into the cell under the cursor as the grid's editor would.
void type(InvoicePage &page, const QString &keys)
{
    LineGrid &g = page.card().lines;
    for (QChar k : keys) {
        const QChar got = page.StringGrid5KeyPress(k);
        if (!got.isNull() && got != LineGrid::kEnter && got != LineGrid::kTab)
            g.setCell(g.cursorRow, g.cursorColumn, g.cell(g.cursorRow, g.cursorColumn) + got);
    }
}

TEST(GridKeys, FollowTheEditingRules)
{
    Billing b;
    LineGrid &g = b.grid();
    EXPECT_EQ(g.highest, 0);
    g.cursorRow = 3;
    g.cursorColumn = Date;
    type(b.invoices, "01.03");
    EXPECT_EQ(g.cell(3, Date), "01.03"); // the date column keeps its point
    EXPECT_EQ(g.highest, 3);
    EXPECT_TRUE(b.invoices.modified());
    EXPECT_TRUE(b.fiche.set().isDirty());

    g.cursorColumn = Code;
    type(b.invoices, QString(45, 'c'));
    EXPECT_EQ(g.cell(3, Code).size(), 41); // typing stops past 40 characters
    EXPECT_EQ(b.invoices.StringGrid5KeyPress(LineGrid::kBackspace), LineGrid::kBackspace);

    g.cursorColumn = Price;
    type(b.invoices, "12.5");
    g.cursorColumn = Quantity;
    type(b.invoices, "2");
    // Enter: T gets the default code, the row is computed, the cursor goes
    // to the next row's first column.
    EXPECT_EQ(b.invoices.StringGrid5KeyPress(LineGrid::kEnter), LineGrid::kEnter);
    EXPECT_EQ(rowText(g, 3), "|2|12,5||25,00|1");
    EXPECT_EQ(b.invoices.totals().totalText, "25,00");
    EXPECT_EQ(std::pair(g.cursorRow, g.cursorColumn), std::pair(4, 0));

    // A TAB in "T" acts as Enter.
    g.cursorColumn = Vat;
    EXPECT_EQ(b.invoices.StringGrid5KeyPress(LineGrid::kTab), LineGrid::kEnter);
    EXPECT_EQ(g.cursorRow, 5);
    // From row 20 on, Enter leaves the cursor on its row.
    g.cursorRow = 20;
    g.cursorColumn = Designation;
    b.invoices.StringGrid5KeyPress(LineGrid::kEnter);
    EXPECT_EQ(std::pair(g.cursorRow, g.highest), std::pair(20, 20));

    // Deleting a line needs the focus and stays within the edited rows.
    Billing d({invoiceBlock(0, {line("A", "1", "1"), line("B", "1", "2"), line("C", "1", "3")})});
    LineGrid &lines = d.grid();
    EXPECT_EQ(lines.highest, 4);
    lines.cursorRow = 2;
    d.invoices.SupLigne1();
    EXPECT_EQ(lines.cell(2, Designation), "B"); // no focus: nothing
    d.invoices.gridFocus = true;
    d.invoices.SupLigne1();
    EXPECT_EQ(lines.cell(2, Designation) + "|" + lines.cell(3, Designation), "C|");
    EXPECT_EQ(lines.highest, 3);
    EXPECT_TRUE(d.invoices.modified());
    lines.cursorRow = 4;
    d.invoices.SupLigne1();
    EXPECT_EQ(lines.highest, 3);
    d.invoices.EcritFact();
    EXPECT_EQ(d.lines().filter(QRegularExpression("^FACT")).size(), 2);

    // Picks fill a line from the article and the header from the client.
    Billing p({}, clientBlock(0, "10007", "Leroy Anne"), {},
              QStringList{"<BLOC0000>", "42", "</BLOC0000>"} +
                  articleBlock(1, "42", "Verre", "4,50") +
                  articleBlock(2, "42", "Verrine", "9,00") + articleBlock(3, "7", "Sirop", "3,00"));
    LineGrid &picked = p.grid();
    p.card().date = QDate(2026, 3, 4);
    picked.cursorRow = 1;
    picked.cursorColumn = Designation;
    EXPECT_TRUE(p.invoices.wantsArticlePicker());
    p.invoices.StringGrid5Click("42");
    // The short block 0 is passed over; the first whole block is taken,
    // with its VAT code.
    EXPECT_EQ(picked.row(1), (QStringList{"04/03/2026", "42", "Verre", "", "4,50", "", "", "1"}));
    EXPECT_EQ(picked.cursorColumn, Quantity);

    // A code typed in "Code" wins over the picker; a price typed stays.
    picked.cursorRow = 2;
    picked.cursorColumn = Designation;
    picked.setCell(2, Code, " 7 ");
    picked.setCell(2, Price, "2,00");
    EXPECT_FALSE(p.invoices.wantsArticlePicker());
    p.invoices.StringGrid5Click("42");
    EXPECT_EQ(rowText(picked, 2), "Sirop||2,00|||1");

    p.invoices.pickClient("10007");
    EXPECT_EQ(p.card().client, "10007");
    EXPECT_EQ(p.card().address,
              (std::array<QString, 4>{"Leroy Anne", "3 place Verte", "Bât. B", "69001 LYON"}));
    EXPECT_EQ(p.card().room, "  12");
}

TEST(ParF, KeepsThePaymentModesBeyondTheFifthAndRefusesABadRate)
{
    Settings settings;
    settings.vatRates = {5.5, 10, 20};
    Lists lists;
    lists.paymentModes = {"Espèces", "Chèque", "Carte", "Virement", "Avoir", "Bon", "Compte"};
    InvoiceParameters p = invoiceParameters(settings, lists);
    EXPECT_EQ(p.rates[0] + "|" + p.payments[4], "5,50|Avoir");

    p.rates[1] = "19,x";
    p.decimals = 0;
    QString error;
    EXPECT_FALSE(applyInvoiceParameters(settings, lists, p, &error));
    EXPECT_EQ(error, "Taux 2 : '19,x' n'est pas une valeur en virgule flottante correcte");
    EXPECT_EQ(std::pair(settings.vatRates[1], settings.decimals), std::pair(10.0, 2));
    // A rate no invoice can be computed with is refused too.
    for (const char *rate : {"150", "-1", "5,55555"}) {
        p.rates[1] = rate;
        EXPECT_FALSE(applyInvoiceParameters(settings, lists, p, &error)) << rate;
        EXPECT_TRUE(error.startsWith("Taux 2 : ")) << qPrintable(error);
    }
    EXPECT_EQ(settings.vatRates[1], 10);

    p.rates[1] = "19,6";
    p.payments[1] = "";
    p.currency = 1;
    p.currencyName = "CHF";
    ASSERT_TRUE(applyInvoiceParameters(settings, lists, p, &error));
    EXPECT_EQ(settings.vatRates[1], 19.6);
    EXPECT_EQ(lists.paymentModes,
              (QStringList{"Espèces", "Carte", "Virement", "Avoir", "Bon", "Compte"}));
    EXPECT_EQ(settings.otherCurrency, "CHF");
    afterInvoiceParameters(settings);
    EXPECT_EQ(settings.amountFormat, "#");
}

} // namespace
