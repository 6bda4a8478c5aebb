#include "billing_fixture.h"

#include "billing/credit_note.h"
#include "stats/statistics.h"

#include <gtest/gtest.h>

namespace {

using namespace invoicecol;

// Invoice 202603001 of client 10001, validated: two nights, a bottle with
// a 10 % discount at 20 %, a comment line without quantity, a memo.
QStringList validatedInvoice(int n)
{
    return invoiceBlock(n,
                        {line("Nuit", "2", "45,5"), line("Vin", "1 bouteille", "12", "3", "10"),
                         fact({"", "", "Merci de votre visite", "", "", "", "", ""}),
                         "MEMOSéjour d'affaires"},
                        {.validated = "Y"});
}

TEST(CreditNote, AValidatedInvoiceIsRefusedForDeletionADraftIsDeleted)
{
    Billing b(validatedInvoice(0) +
              invoiceBlock(1, {line("Vin", "1", "5")}, {.number = "202603002"}));
    const QStringList before = b.lines();
    b.invoices.SupFact();
    b.fiche.Supprimer(); // the record window's "Supprimer fiche"
    EXPECT_EQ(b.lines(), before);
    EXPECT_EQ(b.ui.shown,
              QStringList(2, "Une facture validée ne se supprime pas : établissez un avoir."));

    b.show(1);
    b.invoices.SupFact();
    EXPECT_EQ(b.count(), 1);
    EXPECT_EQ(b.lines().indexOf("NUMF202603002"), -1);
}

TEST(CreditNote, NegatesEveryLineTakesTheNextNumberAndPostsToTheHistory)
{
    Billing b(validatedInvoice(0), clientBlock(0, "10001", "Dupont"));
    const InvoiceCard original = b.card();
    const qint64 next = b.invoices.Numerof();

    ASSERT_TRUE(EtablirAvoir(b.fiche, b.invoices));
    EXPECT_EQ(b.position(), 1);
    b.show(1); // as stored
    const InvoiceCard &c = b.card();
    EXPECT_EQ(c.number, QString::number(next));
    EXPECT_EQ(b.invoices.statusText(), "Avoir validé");
    EXPECT_EQ(c.memo, QStringList{"Avoir sur facture N° 202603001"});
    EXPECT_EQ(c.date, QDate::currentDate());
    EXPECT_TRUE(c.client == original.client && c.room == original.room &&
                c.payment == original.payment && c.stayFrom == original.stayFrom &&
                c.stayTo == original.stayTo && c.address == original.address);
    EXPECT_EQ(rowsText(c.lines, 3),
              QStringList({"Nuit|-2|45,5||-91,00|1", "Vin|-1 bouteille|12|10|-10,80|3",
                           "Merci de votre visite|||||"}));
    EXPECT_EQ(b.invoices.totals().totalText, "-101,80");

    const QString posted = "DATA" + text::dateText(QDate::currentDate()) + "\tAvoir " +
                           QString::number(next) + "\t" + text::Rset(u"-101,80", 95);
    EXPECT_EQ(b.lines(Table::Clients).count(posted), 1);

    // The invoice it cancels is untouched.
    b.show(0);
    EXPECT_EQ(b.invoices.totals().totalText, "101,80");
    EXPECT_EQ(b.card().memo, original.memo);

    // A quantity changes sign and keeps its unit.
    QStringList negated;
    for (const char *q : {"2 nuits", "   3", "-1,5", "+4", "0", "  "})
        negated << creditnote::negatedQuantity(q);
    EXPECT_EQ(negated, QStringList({"-2 nuits", "-3", "1,5", "-4", "0", "  "}));
}

TEST(CreditNote, OnePerInvoiceFoundAgainAfterTheBlocksMove)
{
    // A draft before the invoice: deleting it moves every block down.
    Billing b(invoiceBlock(0, {line("Vin", "1", "5")}, {.number = "202603000"}) +
                  validatedInvoice(1),
              clientBlock(0, "10001", "Dupont"));
    b.show(1);
    ASSERT_TRUE(EtablirAvoir(b.fiche, b.invoices));
    const QString creditNumber = b.card().number;
    b.show(0);
    b.invoices.SupFact();

    b.show(0);
    ASSERT_EQ(b.card().number, "202603001");
    ASSERT_TRUE(EtablirAvoir(b.fiche, b.invoices));
    EXPECT_EQ(b.count(), 2);
    EXPECT_EQ(b.card().number, creditNumber);
    EXPECT_EQ(b.lines(Table::Clients).filter("\tAvoir ").size(), 1);

    // Neither a credit note nor a draft gets one.
    b.ui.shown.clear();
    EXPECT_FALSE(EtablirAvoir(b.fiche, b.invoices));
    EXPECT_EQ(b.ui.shown, QStringList{"Cette facture est déjà un avoir."});
    Billing draft({invoiceBlock(0, {line("Vin", "1", "5")})});
    EXPECT_FALSE(EtablirAvoir(draft.fiche, draft.invoices));
    EXPECT_EQ(draft.count(), 1);
    // The same text in another invoice's address links nothing.
    Billing lookalike(
        invoiceBlock(0, {}, {.address = {"MEMOAvoir sur facture N° 202603001", "", "", ""}}) +
        validatedInvoice(1));
    EXPECT_EQ(creditnote::blockFor(lookalike.fiche.set(), "202603001"), -1);
}

TEST(CreditNote, StatisticsCarryItAsANegativeInvoice)
{
    Billing b(validatedInvoice(0), clientBlock(0, "10001", "Dupont"));
    ASSERT_TRUE(EtablirAvoir(b.fiche, b.invoices));

    InvoicePassSettings pass;
    pass.vatRates = b.fiche.settings().vatRates;
    const StatTable clients = computeStatistic(StatKind::Clients, b.fiche.set(), pass);
    ASSERT_EQ(clients.sheet.rows.size(), 1);
    EXPECT_EQ(clients.sheet.rows[0].last().trimmed(), "0,00");
}

} // namespace
