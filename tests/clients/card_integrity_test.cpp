// What a person types, imports or leaves empty never breaks the table at the
// next open.

#include "clients/client_exchange.h"
#include "clients_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CardIntegrity, NewCardsLeftEmptyLeaveNoHole)
{
    QTemporaryDir dir;
    ClientTable c(clientBlock(0, {.code = "10001", .name = "DUPONT"}));
    // "Nouvelle fiche" twice, then leaving the empty card for another one.
    c.fiche.Ajout();
    c.page.card().name = "MARTIN";
    c.page.touch();
    c.fiche.Ajout();
    c.fiche.Ajout(); // the empty card gives its number back
    EXPECT_EQ(c.set().count(Table::Clients), 2);
    c.fiche.Premier();
    c.fiche.Ajout();
    c.fiche.Suivant();
    EXPECT_EQ(c.set().count(Table::Clients), 2);
    // Deleting an empty new card deletes no other card.
    c.fiche.Ajout();
    c.fiche.Supprimer();
    EXPECT_EQ(c.set().count(Table::Clients), 2);
    EXPECT_EQ(c.page.card().name, "MARTIN");

    ASSERT_TRUE(c.fiche.Sauve(dir.filePath("LION.htl")));
    ClientTable reopened;
    ASSERT_TRUE(reopened.fiche.Charge(dir.filePath("LION.htl")));
    EXPECT_TRUE(reopened.ui.shown.isEmpty()) << qPrintable(reopened.ui.shown.join('|'));
    EXPECT_EQ(reopened.set().count(Table::Clients), 2);
    for (int n = 0; n < 2; ++n)
        EXPECT_GE(reopened.table().blockStart(n), 0);
    // The next new card is a third card, not a card written over.
    reopened.fiche.selectPage(PageId::Clients);
    reopened.fiche.Ajout();
    reopened.page.card().name = "NOUVEAU";
    reopened.page.touch();
    reopened.fiche.Premier();
    EXPECT_EQ(reopened.set().count(Table::Clients), 3);
    EXPECT_EQ(reopened.page.card().name, "DUPONT");
}

TEST(CardIntegrity, ChoosingThePageShownAgainKeepsItsEdits)
{
    ClientTable c(clientBlock(0, {.code = "10001", .name = "DUPONT"}));
    c.fiche.selectPage(PageId::Clients);
    c.page.card().name = "DURAND";
    c.page.touch();
    c.fiche.selectPage(PageId::Clients);
    EXPECT_EQ(c.page.card().name, "DURAND");
    EXPECT_TRUE(c.set().TestModif());
}

TEST(CardIntegrity, TextThatLooksLikeAMarkerIsKeptAsText)
{
    QTemporaryDir dir;
    ClientTable c(clientBlock(0, {.code = "10001", .name = "DUPONT"}));
    c.fiche.Ajout();
    c.page.card().name = "<BLOC00000>";
    c.page.card().town = "</BLOC00001>";
    c.page.touch();
    ASSERT_TRUE(c.fiche.Sauve(dir.filePath("LION.htl")));

    // Imported fields are kept with one blank before them, and counted.
    writeFile(dir.filePath("adresses.txt"), "<BLOC00000>\t</BLOC\tx\r\n\r\nMARTIN\t\t\r\n");
    ClientTable imported(clientBlock(0, {.code = "10001", .name = "DUPONT"}));
    ASSERT_TRUE(Importer(imported.page, dir.filePath("adresses.txt")));
    EXPECT_TRUE(imported.ui.shown.contains(
        "2 champs importés commençaient par « <BLOC » ou « </BLOC » : une espace a été ajoutée devant."))
        << qPrintable(imported.ui.shown.join('|'));

    ClientTable reopened;
    ASSERT_TRUE(reopened.fiche.Charge(dir.filePath("LION.htl")));
    EXPECT_TRUE(reopened.ui.shown.isEmpty()) << qPrintable(reopened.ui.shown.join('|'));
    reopened.fiche.selectPage(PageId::Clients);
    EXPECT_EQ(reopened.page.card().name, "DUPONT");
    reopened.fiche.Suivant();
    EXPECT_EQ(reopened.page.card().name, " <BLOC00000>");
    EXPECT_EQ(reopened.page.card().town, " </BLOC00001>");
}
