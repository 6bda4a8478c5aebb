#include "clients/client_page.h"
#include "rooms/room_page.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"

#include <gtest/gtest.h>

namespace {

QString num(int n)
{
    return RecordTable::numberText(n, 5);
}

QStringList room(int n, const QString &number, const QString &category = "Double",
                 const QString &beds = "2", const QString &occupant = "",
                 const QStringList &tagged = {}, const QString &reason = "")
{
    return QStringList{"<BLOC" + num(n) + ">",
                       number,
                       category,
                       "Vue jardin",
                       beds,
                       "89,00",
                       "1",
                       "Sud",
                       occupant,
                       "Y",
                       "N",
                       "Y",
                       "N",
                       "N",
                       "Y",
                       "01/03/2026",
                       "05/03/2026",
                       reason} +
           tagged + QStringList{"</BLOC" + num(n) + ">"};
}

// A record window holding a room table built from literal lines.
struct Rooms
{
    ScriptedUi ui;
    Fiche fiche{ui};
    RoomPage page{fiche};

    explicit Rooms(const QStringList &lines = {})
    {
        fiche.setPage(PageId::Rooms, &page);
        fiche.set().table(Table::Rooms).setBytes(crlf(lines));
        fiche.set().setCount(Table::Rooms, fiche.set().table(Table::Rooms).countBlocks());
        fiche.selectPage(PageId::Rooms);
    }
    QStringList lines() const { return linesOf(fiche.set().table(Table::Rooms)); }
    int position() const { return fiche.set().position(Table::Rooms); }
    void edit(const QString &designation)
    {
        page.card().designation = designation;
        page.touch();
    }
};

// Five rooms numbered 1 to 5 for the browse modes.
QStringList fiveRooms()
{
    return room(0, "    1", "Simple", "1") + room(1, "    2", "Double", "2", "DUPONT") +
           room(2, "    3", "Suite", "2") + room(3, "    4", "DOUBLE LUXE", "3") +
           room(4, "    5", "double", "2");
}

} // namespace

TEST(RoomCard, ReadsTheBlockAndWritesItBackAtTheEnd)
{
    const QStringList first = room(0, "101", "Double", "2", "MARTIN",
                                   {"MEMOCalme", "DATA01/02/2026\t03/02/2026\t Peinture "});
    Rooms r(first + room(1, "  102"));
    const RoomCard &card = r.page.card();
    EXPECT_EQ(card.number, "  101");
    EXPECT_EQ(card.beds, 2);
    EXPECT_EQ(card.occupant, "MARTIN");
    EXPECT_EQ(card.comfort, (std::array<bool, 6>{true, false, true, false, false, true}));
    EXPECT_EQ(card.closedUntil, "05/03/2026");
    EXPECT_EQ(card.note, QStringList{"Calme"});
    EXPECT_EQ(card.history[0], (RoomHistoryRow{"01/02/2026", "03/02/2026", "Peinture"}));
    EXPECT_TRUE(card.indicator(5) && card.indicator(7) && !card.indicator(8));
    EXPECT_FALSE(r.page.modified());

    // A rewrite moves the block to the end under its own number, with the
    // number normalised; a card never modified stays where it is.
    r.page.touch();
    r.fiche.Suivant();
    QStringList moved = first;
    moved[1] = "  101";
    moved[19] = "DATA01/02/2026\t03/02/2026\tPeinture";
    EXPECT_EQ(r.lines(), room(1, "  102") + moved);
    EXPECT_EQ(r.page.card().number, "  102");
    r.fiche.Precedent();
    EXPECT_EQ(r.lines(), room(1, "  102") + moved);
    EXPECT_TRUE(r.fiche.set().isDirty());
}

TEST(RoomCard, ABedsOrFloorLineNotANumberLeavesTheFieldsAfterItEmpty)
{
    QStringList beds = room(0, "1", "Double", "deux", "DUPONT", {"MEMOnote"});
    Rooms r(beds);
    EXPECT_EQ(r.page.card().designation, "Vue jardin");
    EXPECT_TRUE(r.page.card().price.isEmpty());
    EXPECT_TRUE(r.page.card().occupant.isEmpty());
    EXPECT_FALSE(r.page.card().comfort[0]);
    EXPECT_EQ(r.page.card().closedFrom, "01/03/2026");
    EXPECT_EQ(r.page.card().note, QStringList{"note"});

    QStringList floor = room(0, "1", "Double", "", "DUPONT");
    floor[6] = "1er";
    Rooms f(floor);
    EXPECT_EQ(f.page.card().beds, 0);
    EXPECT_EQ(f.page.card().price, "89,00");
    EXPECT_TRUE(f.page.card().orientation.isEmpty());
    EXPECT_TRUE(f.page.card().occupant.isEmpty());
}

TEST(RoomCard, TaggedLinesAreReadOnlyAfterTheFieldsAndUpToTheEnd)
{
    // A reason beginning with MEMO or DATA stays a reason; notes past line
    // 200 and history rows beyond the twelve of the grid are kept.
    QStringList tagged;
    for (int i = 0; i < 250; ++i)
        tagged << QStringLiteral("MEMOligne %1").arg(i);
    for (int i = 1; i <= 15; ++i)
        tagged
            << QStringLiteral("DATA%1/01/2026\t%1/01/2026\tNuit").arg(i, 2, 10, QLatin1Char('0'));
    const QStringList lines = room(0, "    1", "Double", "2", "", tagged, "MEMO fuite") +
                              room(1, "    2", "Double", "2", "", {}, "DATAbase\tx\ty");
    Rooms r(lines);
    EXPECT_EQ(r.page.card().closedReason, "MEMO fuite");
    EXPECT_EQ(r.page.card().note.size(), 250);
    EXPECT_EQ(r.page.card().history.size(), 15);
    for (int i = 0; i < 2; ++i) { // nothing grows at each save
        r.page.touch();
        r.fiche.Suivant();
        EXPECT_EQ(r.page.card().closedReason, "DATAbase\tx\ty");
        EXPECT_EQ(r.page.card().history[0], RoomHistoryRow());
        r.page.touch();
        r.fiche.Precedent();
    }
    EXPECT_EQ(r.lines(), lines);
}

TEST(RoomCard, HistoryEntryDropsTheOldestRowAtTheThirteenth)
{
    Rooms r;
    r.page.entryFrom = " 1/01/2026";
    r.page.entryUntil = "02/01/2026";
    EXPECT_FALSE(r.page.addHistory()); // the start date is not typed in
    EXPECT_FALSE(r.page.modified());

    for (int i = 1; i <= 13; ++i) {
        r.page.entryFrom = QString::number(i) + " /  /    "; // one digit is enough
        r.page.entryUntil = "31/12/2026";
        r.page.entryDescription = "Entrée " + QString::number(i);
        ASSERT_TRUE(r.page.addHistory());
    }
    const QList<RoomHistoryRow> &h = r.page.card().history;
    ASSERT_EQ(h.size(), 12);
    EXPECT_EQ(h[0].description, "Entrée 2");
    EXPECT_EQ(h[11].description, "Entrée 13");
    EXPECT_EQ(r.page.entryFrom, RoomCard::kNoDate);
    EXPECT_TRUE(r.page.entryDescription.isEmpty());
    EXPECT_TRUE(r.page.modified());
    EXPECT_TRUE(r.fiche.set().isDirty());
}

TEST(RoomMoves, CategoryBedsAndFreeRoomsCompareTexts)
{
    Rooms r(fiveRooms());
    r.page.SetChambre(2, QString("dou"));
    r.fiche.Premier();
    EXPECT_EQ(r.position(), 1);
    r.fiche.Suivant();
    EXPECT_EQ(r.position(), 3);
    r.fiche.Dernier();
    EXPECT_EQ(r.position(), 4);
    r.fiche.Suivant(); // nothing further: stays
    EXPECT_EQ(r.position(), 4);
    r.fiche.Precedent();
    EXPECT_EQ(r.position(), 3);

    // "02" is not "2": no room qualifies, the card is written back and reread.
    r.page.SetChambre(3, QString("02"));
    r.edit("Repeinte");
    r.fiche.Premier();
    EXPECT_EQ(r.position(), 3);
    EXPECT_FALSE(r.page.modified());
    EXPECT_EQ(r.page.card().designation, "Repeinte");
    r.page.SetChambre(3, std::nullopt); // cancelled: the card's beds
    EXPECT_EQ(r.page.selectedBeds, "3");
    r.page.SetChambre(3, QString("2"));
    r.fiche.Dernier();
    EXPECT_EQ(r.position(), 4);
    r.fiche.Precedent();
    EXPECT_EQ(r.position(), 2);

    // Free rooms: no occupant, or those of the free-room list when given.
    r.page.SetChambre(4);
    r.fiche.Premier();
    r.fiche.Suivant();
    EXPECT_EQ(r.position(), 2);
    r.page.freeRooms = [] { return QStringList{"    4\tDouble luxe"}; };
    r.fiche.Premier();
    EXPECT_EQ(r.position(), 3);
    r.fiche.Suivant();
    EXPECT_EQ(r.position(), 3);
}

TEST(RoomSort, ByNumberAndByOccupant)
{
    QStringList lines = room(0, "  101", "A", "2", "martin") + QStringList{"perdue"} +
                        room(1, "   12", "B", "2", "") + room(2, "    7", "C", "2", "Dupont") +
                        room(3, "  100", "D", "2", "MARTIN");
    Rooms r(lines);
    r.fiche.Dernier();
    r.page.Trier3(-1);
    EXPECT_EQ(r.lines(), lines);

    r.page.Trier3(0);
    QStringList numbers;
    for (int i = 0; i < 4; ++i) {
        r.page.showRoom(i);
        numbers << r.page.card().number.trimmed();
    }
    EXPECT_EQ(numbers, QStringList({"7", "12", "100", "101"}));
    EXPECT_FALSE(r.lines().contains("perdue"));
    EXPECT_EQ(r.lines()[0], "<BLOC00000>");

    // By occupant, ignoring case, after writing back the card shown: the
    // free room first, ties ordered by the lines after the key.
    r.page.showRoom(0);
    r.page.card().occupant = "Zola";
    r.page.touch();
    r.page.Trier3(1);
    EXPECT_EQ(r.page.card().number, "   12"); // the room now at the position shown
    QStringList order;
    for (int i = 0; i < 4; ++i) {
        r.page.showRoom(i);
        order << r.page.card().occupant + " " + r.page.card().number.trimmed();
    }
    EXPECT_EQ(order, QStringList({" 12", "MARTIN 100", "martin 101", "Zola 7"}));
}

TEST(RoomSearch, WritesBackTheCardShownFirst)
{
    Rooms r(room(0, "  101", "A", "2", "Martin") + room(1, "   12", "B", "2", "Dupont"));
    r.edit("Modifiée");
    EXPECT_TRUE(r.page.RechNum("12"));
    EXPECT_EQ(r.position(), 1);
    EXPECT_EQ(r.lines().mid(19, 4), QStringList({"<BLOC00000>", "  101", "A", "Modifiée"}));

    r.edit("Aussi");
    EXPECT_FALSE(r.page.RechNum("999"));
    EXPECT_FALSE(r.page.RechNom("zz"));
    EXPECT_EQ(r.ui.shown, QStringList({"Chambre   999 non trouvée", "Chambre ZZ non trouvée"}));
    EXPECT_EQ(r.position(), 1);
    EXPECT_TRUE(r.page.RechNom("mar"));
    EXPECT_EQ(r.page.card().number, "  101");
    EXPECT_TRUE(r.lines().contains("Aussi"));

    // The list window opens on 21 lines or more, after the card is written.
    EXPECT_FALSE(Rooms(room(0, "1")).page.Liste()); // 19 lines
    Rooms big(fiveRooms());
    big.edit("Liste");
    const auto rows = big.page.Liste();
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), 5);
    EXPECT_EQ(rows->back().designation, "Liste");
    EXPECT_EQ(rows->back().block, 0);
    EXPECT_EQ((*rows)[0].occupant, "DUPONT");
}

TEST(RoomSearch, ClientInARoomWritesBackTheClientCardFirst)
{
    auto client = [](int n, const QString &name, const QString &room) {
        QStringList b{"<BLOC" + num(n) + ">", QString::number(10001 + n), "N", "N", name};
        while (b.size() < 16)
            b << "";
        b << room;
        while (b.size() < 25)
            b << "0";
        return b << "</BLOC" + num(n) + ">";
    };
    ScriptedUi ui;
    Fiche fiche(ui);
    ClientPage clients(fiche);
    fiche.setPage(PageId::Clients, &clients);
    fiche.set().table(Table::Clients).setBytes(crlf(client(0, "A", "") + client(1, "B", "12")));
    fiche.set().setCount(Table::Clients, 2);
    fiche.selectPage(PageId::Clients);
    clients.card().name = "A changé";
    clients.touch();

    EXPECT_TRUE(RechChambre(fiche, "  12 "));
    EXPECT_EQ(clients.card().name, "B");
    EXPECT_EQ(linesOf(fiche.set().table(Table::Clients))[4], "A changé");
    EXPECT_FALSE(RechChambre(fiche, "7"));
    EXPECT_EQ(ui.shown, QStringList{"Fiche     7 non trouvée"});
    EXPECT_EQ(fiche.set().position(Table::Clients), 1);
}

TEST(RoomCard, AddCopyPasteAndRemove)
{
    Rooms r(room(0, "    1"));
    r.page.card().number = "7";
    r.page.leaveNumber();
    EXPECT_EQ(r.page.card().number, "    7");
    r.page.copy();
    r.fiche.Ajout();
    EXPECT_EQ(r.lines().mid(0, 2), QStringList({"<BLOC00000>", "    7"})); // written first
    EXPECT_EQ(r.lines().last(), " ");
    EXPECT_EQ(r.fiche.set().count(Table::Rooms), 2);
    EXPECT_EQ(r.position(), 1);
    EXPECT_EQ(r.page.card(), RoomCard());

    r.page.paste();
    EXPECT_TRUE(r.page.card().number.isEmpty()); // needs a number of its own
    EXPECT_EQ(r.page.card().category, "Double");
    EXPECT_EQ(r.page.card().beds, 2);
    EXPECT_EQ(r.page.card().floor, 1);
    EXPECT_TRUE(r.page.modified());

    r.fiche.set().setCount(Table::Rooms, 99001);
    r.fiche.Ajout();
    EXPECT_EQ(r.ui.shown, QStringList{"Le fichier est plein"});
    r.fiche.set().setCount(Table::Rooms, 2);
    r.fiche.Supprimer();
    EXPECT_EQ(r.fiche.set().count(Table::Rooms), 1);
    EXPECT_EQ(r.page.card().number, "    7");
}
