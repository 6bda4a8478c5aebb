#include "clients/client_printouts.h"
#include "clients_fixture.h"

#include <gtest/gtest.h>

namespace {

using Clients = ClientTable;

QStringList block(int n, const QString &code, const QString &name, const QStringList &tagged = {},
                  const QString &nationality = "FRANÇAISE")
{
    const QString num = RecordTable::numberText(n, 5);
    const QStringList fields = {code,          "N",          "Y",          name,
                                "1 rue Haute", "",           "75011",      "PARIS",
                                "FRANCE",      "0143000000", "",           "",
                                "04/03/2026",  "CNI 123",    "01/12/2026", "  12",
                                "05/12/2026",  "3",          "12/05/1970", "Couple",
                                "   120,00",   nationality,  "Notaire",    "0"};
    return QStringList{"<BLOC" + num + ">"} + fields + tagged + QStringList{"</BLOC" + num + ">"};
}

} // namespace

TEST(ClientCard, ReadThenWriteGivesTheSameBlock)
{
    const QStringList b =
        block(0, "10001", "DUPONT Jean",
              {"MEMOClient fidèle", "MEMO", "DATA01/11/2025\tFacture 12\t   245,50",
               "ENTR552 100 554\t\tVoyages Azur SAS"});
    Clients c(b);
    const ClientCard &card = c.page.card();
    EXPECT_EQ(card.name, "DUPONT Jean");
    EXPECT_TRUE(card.marked);
    EXPECT_FALSE(card.npai);
    EXPECT_EQ(card.created, QDate(2026, 3, 4));
    EXPECT_EQ(card.stays, 3);
    EXPECT_EQ(card.situation, 0);
    EXPECT_EQ(card.note, QStringList({"Client fidèle", ""}));
    EXPECT_EQ(card.history[0].label, "Facture 12");
    EXPECT_EQ(card.history[0].amount.trimmed(), "245,50");
    EXPECT_EQ(card.business, (ClientBusiness{"552 100 554", "", "Voyages Azur SAS"}));
    EXPECT_FALSE(c.page.modified());
    c.page.touch();
    c.page.EcritFiche();
    // The amount comes back right-aligned for its column, as shown.
    QStringList expected = b;
    expected[27] = "DATA01/11/2025\tFacture 12\t" + card.history[0].amount;
    EXPECT_EQ(c.lines(), expected);
    EXPECT_TRUE(c.fiche.set().isDirty());
}

TEST(ClientCard, TaggedTextsAreReadOnlyAfterTheFieldsAndUpToTheEnd)
{
    // A nationality beginning with MEMO or DATA stays a nationality; tags
    // past line 300 and rows beyond the grid are kept.
    QStringList tagged;
    for (int i = 0; i < 300; ++i)
        tagged << QStringLiteral("DATA%1/01/2020\tNuit\t10,00")
                      .arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
    tagged << "MEMOtout à la fin";
    Clients c(block(0, "10001", "MARTIN", tagged, "MEMOrable"));
    c.page.touch();
    c.page.EcritFiche();
    Clients again(c.lines());
    const ClientCard &card = again.page.card();
    EXPECT_EQ(card.nationality, "MEMOrable");
    EXPECT_EQ(card.note, QStringList({"tout à la fin"}));
    EXPECT_EQ(card.moreHistory.size(), 45);
    EXPECT_EQ(c.lines().size(), block(0, "10001", "MARTIN", tagged, "MEMOrable").size());
    again.page.touch();
    again.page.EcritFiche();
    EXPECT_EQ(again.lines(), c.lines()); // nothing grows at each save
}

TEST(ClientCard, NumberingSkipsCodesThatAreNotNumbers)
{
    Clients c(block(0, "10007", "A") + block(1, "abc", "B") + block(2, "10003", "C"));
    EXPECT_EQ(c.page.numerom(), 10008);
    // A card written follows the numbering without a new count of every
    // code; giving up the largest code counts them again.
    c.page.card().code = "20000";
    c.page.touch();
    c.page.EcritFiche();
    EXPECT_EQ(c.page.numerom(), 20001);
    c.page.card().code = "10002";
    c.page.touch();
    c.page.EcritFiche();
    EXPECT_EQ(c.page.numerom(), 10004);
    c.page.card().code = "10007";
    c.page.touch();
    c.page.EcritFiche();
    // After deleting the client with the largest code, the code is reused.
    c.page.remove();
    EXPECT_EQ(c.page.numerom(), 10004);
}

// The printed list reads the table: the card on screen is written first.
TEST(ClientList, PrintedListHoldsTheEditsOfTheCardShown)
{
    Clients c(block(0, "10001", "DUPONT") + block(1, "10002", "MARTIN"));
    c.page.card().name = "DURAND";
    c.page.touch();
    const PrintJob job = ImpCliJob(c.page);
    QStringList printed;
    const PrintDocument doc = job.layout(a4Metrics(300, true), *job.range);
    for (const PrintPage &page : doc.pages())
        for (const PrintItem &item : page)
            printed << item.text;
    EXPECT_TRUE(printed.contains("DURAND"));
    EXPECT_FALSE(printed.contains("DUPONT"));
}
