#include "billing_fixture.h"

#include "billing/tourist_tax_line.h"
#include "purchasing/order.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace invoicecol;

Settings collecting(double amount, int age)
{
    Settings s;
    s.vatRates = {5.5, 10, 20};
    s.accounts[4] = "447100";
    s.touristTax = amount;
    s.touristTaxExemptAge = age;
    return s;
}

} // namespace

TEST(TouristTaxSettings, KeptAfterTheTwentySevenLinesOnlyWhenCollectedAndReadSafely)
{
    const Settings plain = collecting(0, 18);
    const QByteArray before = settingsBytes(plain);
    EXPECT_EQ(before.count("\r\n"), kSettingsLines);

    const Settings taxed = collecting(1.5, 13);
    const QByteArray after = settingsBytes(taxed);
    EXPECT_EQ(after.count("\r\n"), kSettingsLines + kTouristTaxLines);
    // An older reader finds its 27 lines exactly as before.
    EXPECT_TRUE(after.startsWith(before));

    Settings read;
    readSettings(read, after);
    EXPECT_EQ(std::pair(read.touristTax, read.touristTaxExemptAge), std::pair(1.5, 13));
    EXPECT_EQ(settingsBytes(read), after);

    // An exemption age changed alone is kept too.
    EXPECT_EQ(settingsBytes(collecting(0, 16)).count("\r\n"), kSettingsLines + kTouristTaxLines);

    // A file without the lines, or with bad ones, reads as not collected.
    QTemporaryDir dir;
    // A 27-line file read over settings that collected the tax.
    writeFile(dir.filePath("Carvelle.ini"), settingsBytes(collecting(0, 18)));
    Settings s = collecting(2, 10);
    ASSERT_TRUE(ChargeIni(s, dir.path(), dir.path()));
    EXPECT_EQ(std::pair(s.touristTax, s.touristTaxExemptAge), std::pair(0.0, kDefaultExemptAge));

    for (const QByteArray &tail : {QByteArray("abc\r\nx\r\n"), QByteArray("-1.5\r\n-3\r\n")}) {
        Settings t;
        readSettings(t, settingsBytes(collecting(0, 18)) + tail);
        EXPECT_EQ(std::pair(t.touristTax, t.touristTaxExemptAge), std::pair(0.0, kDefaultExemptAge))
            << tail.constData();
    }

    // Every fixture set was written before the tax: their settings, once
    // saved, are the 27 lines.
    QString error;
    ASSERT_TRUE(SauveIni(s, dir.path(), &error)) << error.toStdString();
    EXPECT_EQ(readFile(dir.filePath("Carvelle.ini")).count("\r\n"), kSettingsLines);
}

TEST(OutsideVatCode, AddsToTheTotalAndToNoVatBaseAndOrdersDoNotReadIt)
{
    // A 100 € night at 10 % and two persons' three nights at 1,50 €.
    Billing b({invoiceBlock(0, {line("Nuit", "1", "100", "2"), line("Taxe de séjour", "6", "1,5", "d")})});
    b.show(0);
    const InvoiceTotals &t = b.invoices.totals();
    EXPECT_EQ(QStringList({t.totalText, t.vatText, t.outsideVatText}),
              QStringList({"109,00", "9,09", "9,00"}));
    EXPECT_EQ(t.inclusive[1], Money::whole(100));
    EXPECT_EQ(t.inclusive[0] + t.inclusive[2], Money());
    EXPECT_EQ(t.totalExclusive + t.totalVat + t.outsideVat, t.total);
    EXPECT_TRUE(t.bad.isEmpty());
    EXPECT_EQ(rowText(b.grid(), 2), "Taxe de séjour|6|1,5||9,00|D");

    // The same totals from the stored block, as the statistics read them.
    b.rewriteAndRead();
    const RecordTable &table = b.fiche.set().table(Table::Invoices);
    const InvoiceTotals stored = blockTotals(table, 0, table.size() - 1, {5.5, 10, 20}, 2);
    EXPECT_EQ(QStringList({stored.totalText, stored.outsideVatText}),
              QStringList({"109,00", "9,00"}));

    // Orders do not read the code.
    LineGrid grid(ordercol::Count, OrderCard::kRows);
    QStringList cells(ordercol::Count);
    cells[ordercol::Quantity] = "2";
    cells[ordercol::Price] = "10";
    cells[ordercol::Vat] = "D";
    grid.appendRead(cells);
    grid.highest = 1;
    const LineTotals order = lineTotals(grid, kOrderColumns, exactRates({5.5, 10, 20}), 2, false);
    EXPECT_TRUE(order.outsideVat.isZero());
    ASSERT_EQ(order.bad.size(), 1);
    EXPECT_EQ(order.bad[0].column, ordercol::Vat);
}

TEST(TouristTaxLine, NouvFactAddsTheNightsOfThePersonsLiable)
{
    for (const auto &[family, persons] : {std::pair("Célibataire", 1), std::pair("Couple", 2), std::pair(" couple ", 2),
                                          std::pair("3 enfants", 2), std::pair("> 3 enfants", 2), std::pair("", 1)})
        EXPECT_EQ(liablePersons(family), persons) << family;

    // A couple's three nights.
    Billing b({invoiceBlock(0, {line("Vin", "2", "12")})}, clientBlock(0, "10001", "Dupont Jean"),
              roomBlock(0, "12", "Dupont Jean"));
    b.fiche.settings().touristTax = 1.5;
    b.fiche.selectPage(PageId::Clients);
    b.clients.card().family = "Couple";
    b.clients.card().since = QDate(2026, 3, 1);
    b.clients.card().leaving = QDate(2026, 3, 4);
    b.invoices.NouvFact();
    EXPECT_EQ(rowText(b.grid(), 1), "Taxe de séjour|6|1,50||9,00|D");
    EXPECT_EQ(b.invoices.totals().totalText, "9,00");
    EXPECT_EQ(b.invoices.totals().vatText, "0,00");

    // The receptionist changes the quantity: the line is an ordinary one.
    b.grid().setCell(1, Quantity, "3");
    b.invoices.Calculef();
    EXPECT_EQ(b.invoices.totals().totalText, "4,50");
    b.rewriteAndRead();
    EXPECT_EQ(b.grid().cell(1, Vat), "D");
}

TEST(TouristTaxLine, NoneWithoutTheTaxOrWithoutANight)
{
    InvoiceCard card;
    const QDate from(2026, 3, 1);
    EXPECT_FALSE(addTouristTaxLine(card, 0, "Couple", from, from.addDays(3), from, 2));
    EXPECT_FALSE(addTouristTaxLine(card, 1.5, "Couple", from, from, from, 2));
    EXPECT_FALSE(addTouristTaxLine(card, 1.5, "Couple", from, QDate(), from, 2));
    EXPECT_EQ(card.lines.highest, 0);

    // The amount is the price as set, never rounded to the amount format.
    InvoiceCard wholeEuros;
    ASSERT_TRUE(addTouristTaxLine(wholeEuros, 0.83, "Seul", from, from.addDays(2), from, 0));
    EXPECT_EQ(wholeEuros.lines.cell(1, Price), "0,83");

    // It goes after the lines in use, never over one.
    card.lines.setCell(1, Designation, "Nuit");
    card.lines.setCell(2, Designation, "Vin");
    card.lines.highest = 1;
    ASSERT_TRUE(addTouristTaxLine(card, 2, "Célibataire", from, from.addDays(2), from, 2));
    EXPECT_EQ(card.lines.cell(2, Designation), "Vin");
    EXPECT_EQ(card.lines.cell(3, Quantity), "2");
    EXPECT_EQ(card.lines.highest, 3);
}
