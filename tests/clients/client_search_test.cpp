#include "clients/client_search.h"
#include "clients_fixture.h"

#include <gtest/gtest.h>

namespace {

using Search = bool (*)(ClientPage &, const QString &);

// Runs each search in turn: the position it shows, or -1 when it finds none.
QList<int> found(ClientTable &c, std::initializer_list<std::pair<Search, QString>> searches)
{
    QList<int> out;
    for (const auto &[search, text] : searches)
        out << (search(c.page, text) ? c.position() : -1);
    return out;
}

} // namespace

TEST(ClientSelection, PostalCodeWalksInBlockNumberOrderWhateverTheListOrder)
{
    QStringList lines;
    for (const auto &[n, cp] : QList<std::pair<int, QString>>{
             {3, "75011"}, {0, "75002"}, {4, "69000"}, {2, "1750"}, {1, "75000"}})
        lines += clientBlock(n, {.code = QString::number(10001 + n), .postalCode = cp});
    ClientTable c(lines, 2);
    SetSel(c.page, 2, QString("75"));
    QList<int> walk;
    c.fiche.Premier();
    for (int i = 0; i < 4; ++i, c.fiche.Suivant())
        walk << c.position();
    EXPECT_EQ(walk, QList<int>({0, 1, 3, 3}));
    c.fiche.Precedent();
    EXPECT_EQ(c.position(), 1);
    c.fiche.Dernier();
    EXPECT_EQ(c.position(), 3);

    // An empty selection lets every client through.
    SetSel(c.page, 2, QString());
    c.fiche.Precedent();
    EXPECT_EQ(c.position(), 2);
}

TEST(ClientSelection, PresentGuestsOnlyAndNoneLeavesThePosition)
{
    QStringList lines;
    for (int n = 0; n < 3; ++n)
        lines +=
            clientBlock(n, {.code = QString::number(10001 + n), .situation = n == 1 ? " 0" : "3"});
    ClientTable c(lines, 2);
    SetSel(c.page, 5);
    c.fiche.Premier();
    EXPECT_EQ(c.position(), 2); // " 0" is not "0"

    // A present guest past the departure date is present all the same.
    const QDate overdue = QDate::currentDate().addDays(-3);
    c.table().setLine(c.table().blockStart(0) + 24, "0");
    c.table().setLine(c.table().blockStart(0) + 17, overdue.toString("dd/MM/yyyy").toLatin1());
    c.fiche.Dernier();
    EXPECT_EQ(c.position(), 0);
    EXPECT_EQ(c.page.card().leaving, overdue);
}

TEST(ClientSearch, TelephoneIgnoresBlanksDotsAndDashesOnBothSides)
{
    QStringList lines = clientBlock(0, {.code = "10001"}) + clientBlock(1, {.code = "10002"}) +
                        clientBlock(2, {.code = "10003"});
    lines[10] = "03 83 00 11 22";
    lines[10 + 26] = "04-91.55 00 00";
    lines[10 + 52] = "0383001199";
    ClientTable c(lines, 1);
    // The digits must all be there: a number cut short is no match; layout
    // alone is no number to look for, and nothing is said.
    EXPECT_EQ(found(c, {{RechTel, "0383001122"},
                        {RechTel, "04 91-5"},
                        {RechTel, "03.83.00.11.9"},
                        {RechTel, "03 83 00 11 22 3"},
                        {RechTel, " .-"}}),
              QList<int>({0, 1, 2, -1, -1}));
    EXPECT_EQ(c.ui.shown, QStringList({"Fiche 03 83 00 11 22 3 non trouvée"}));
    EXPECT_EQ(c.position(), 2);
}

TEST(ClientSort, ByCodeRenumbersAndKeepsTheClientShown)
{
    QStringList lines = {"stray line"};
    const QStringList codes = {"10100", "10010", "10002", "10001"};
    for (int n = 0; n < 4; ++n)
        lines += clientBlock(n, {.code = codes[n], .name = "N" + codes[n]});
    ClientTable c(lines, 1);
    c.page.card().name = "Modifié";
    c.page.touch();
    Trier(c.page, SortKey::Code);
    QStringList sorted;
    for (int n = 0; n < 4; ++n) {
        const qsizetype start = c.table().blockStart(n);
        ASSERT_GE(start, 0);
        sorted << c.table().text(start + 1);
        EXPECT_EQ(c.table().text(start + 25), "</BLOC" + RecordTable::numberText(n, 5) + ">");
    }
    EXPECT_EQ(sorted, QStringList({"10001", "10002", "10010", "10100"}));
    EXPECT_EQ(c.table().size(), 4 * 26);
    // Block 1 (10010) was shown: it still is, as block 2.
    EXPECT_EQ(c.position(), 2);
    EXPECT_EQ(c.page.card().code, "10010");
    EXPECT_EQ(c.page.card().name, "Modifié");
    EXPECT_TRUE(c.set().isDirty());
}

TEST(ClientSort, FrenchCollationTiesByOtherLinesAndLongBlocksKeptWhole)
{
    QString longRow = "DATA01/01/2020";
    while (longRow.size() < 3000)
        longRow += "\tNuit\t  10,00";
    longRow.truncate(3000);
    QStringList lines =
        clientBlock(0, {.code = "10004", .town = "Lyon"}) +
        clientBlock(1, {.code = "10002", .town = "Évreux", .tagged = {longRow, "MEMO\tnote"}}) +
        clientBlock(2, {.code = "10003", .town = "abbeville"}) +
        clientBlock(3, {.code = "10001", .town = "LYON"}) +
        clientBlock(4, {.code = "10005", .town = "Bordeaux"});
    lines.insert(lines.indexOf("</BLOC00001>"), "DATAsans fin"); // one more line in block 1
    lines.removeAt(lines.indexOf("</BLOC00002>"));               // block 2 has lost its end
    ClientTable c(lines);
    Trier(c.page, SortKey::Town);
    QStringList order;
    for (int n = 0; n < 5; ++n)
        order << c.table().text(c.table().blockStart(n) + 1);
    EXPECT_EQ(order, QStringList({"10003", "10005", "10002", "10001", "10004"}));
    const qsizetype evreux = c.table().blockStart(2);
    EXPECT_EQ(c.table().text(evreux + 25), longRow);
    EXPECT_EQ(c.table().text(evreux + 26), "MEMO\tnote");
    EXPECT_EQ(c.table().text(evreux + 27), "DATAsans fin");
    EXPECT_EQ(c.table().text(evreux + 28), "</BLOC00002>");
    EXPECT_EQ(c.table().text(c.table().blockStart(1) - 1), "</BLOC00000>");
}
