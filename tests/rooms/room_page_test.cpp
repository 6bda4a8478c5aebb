#include "rooms/room_page.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"

#include <gtest/gtest.h>

// Cards are written with designated initializers; the fields left out keep
// their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

QStringList room(int n, const QString &number, const QString &category = "Double",
                 const QString &beds = "2", const QString &occupant = "",
                 const QStringList &tagged = {}, const QString &reason = "")
{
    const QString block = RecordTable::numberText(n, 5) + ">";
    const QStringList fields = {number, category, "Vue jardin", beds,         "89,00", "1",
                                "Sud",  occupant, "Y",          "N",          "Y",     "N",
                                "N",    "Y",      "01/03/2026", "05/03/2026", reason};
    return QStringList{"<BLOC" + block} + fields + tagged + QStringList{"</BLOC" + block};
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
    // The positions after each move: First, Last, Next or Previous.
    QList<int> walk(const QString &moves)
    {
        QList<int> out;
        for (QChar m : moves) {
            m == 'F'   ? fiche.Premier()
            : m == 'L' ? fiche.Dernier()
            : m == 'N' ? fiche.Suivant()
                       : fiche.Precedent();
            out << position();
        }
        return out;
    }
    // What `f` gives of each room, shown in table order.
    QStringList each(const std::function<QString(const RoomCard &)> &f)
    {
        QStringList out;
        for (int i = 0; i < fiche.set().count(Table::Rooms); ++i) {
            page.showBlock(i);
            out << f(page.card());
        }
        return out;
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
    // clang-format off
    RoomCard read{.number = "  101", .category = "Double", .designation = "Vue jardin", .beds = 2,
                  .price = "89,00", .floor = 1, .orientation = "Sud", .occupant = "MARTIN",
                  .comfort = {true, false, true, false, false, true},
                  .closedFrom = "01/03/2026", .closedUntil = "05/03/2026", .note = {"Calme"}};
    // clang-format on
    read.history[0] = {"01/02/2026", "03/02/2026", "Peinture"};
    EXPECT_EQ(r.page.card(), read);
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

    // A beds or floor line that is not a number leaves the fields after it empty.
    // clang-format off
    const RoomCard start{.number = "    1", .category = "Double", .designation = "Vue jardin",
                         .closedFrom = "01/03/2026", .closedUntil = "05/03/2026"};
    // clang-format on
    RoomCard beds = start;
    beds.note = {"note"};
    EXPECT_EQ(Rooms(room(0, "1", "Double", "deux", "DUPONT", {"MEMOnote"})).page.card(), beds);

    QStringList floorLines = room(0, "1", "Double", "", "DUPONT");
    floorLines[6] = "1er";
    RoomCard floor = start;
    floor.price = "89,00";
    EXPECT_EQ(Rooms(floorLines).page.card(), floor);
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
    EXPECT_EQ(r.walk("FNLNP"), QList<int>({1, 3, 4, 4, 3})); // nothing after 4: stays

    // "02" is not "2": no room qualifies, the card is written back and reread.
    r.page.SetChambre(3, QString("02"));
    r.edit("Repeinte");
    EXPECT_EQ(r.walk("F"), QList<int>{3});
    EXPECT_FALSE(r.page.modified());
    EXPECT_EQ(r.page.card().designation, "Repeinte");
    r.page.SetChambre(3, std::nullopt); // cancelled: the card's beds
    EXPECT_EQ(r.page.selectedBeds, "3");
    r.page.SetChambre(3, QString("2"));
    EXPECT_EQ(r.walk("LP"), QList<int>({4, 2}));

    // Free rooms: no occupant, or those of the free-room list when given.
    r.page.SetChambre(4);
    EXPECT_EQ(r.walk("FN"), QList<int>({0, 2}));
    r.page.freeRooms = [] { return QStringList{"    4\tDouble luxe"}; };
    EXPECT_EQ(r.walk("FN"), QList<int>({3, 3}));
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
    EXPECT_EQ(r.each([](const RoomCard &c) { return c.number.trimmed(); }),
              QStringList({"7", "12", "100", "101"}));
    EXPECT_FALSE(r.lines().contains("perdue"));
    EXPECT_EQ(r.lines()[0], "<BLOC00000>");

    // By occupant, ignoring case, after writing back the card shown: the
    // free room first, ties ordered by the lines after the key.
    r.page.showBlock(0);
    r.page.card().occupant = "Zola";
    r.page.touch();
    r.page.Trier3(1);
    EXPECT_EQ(r.page.card().number, "   12"); // the room now at the position shown
    EXPECT_EQ(r.each([](const RoomCard &c) { return c.occupant + " " + c.number.trimmed(); }),
              QStringList({" 12", "MARTIN 100", "martin 101", "Zola 7"}));
}

// A room number is compared normalised, and the message repeats it so.
TEST(RoomSearch, NumbersAreComparedNormalised)
{
    Rooms r(room(0, "  101", "A", "2", "Martin") + room(1, "   12", "B", "2", "Dupont"));
    EXPECT_TRUE(r.page.RechNum("12"));
    EXPECT_EQ(r.position(), 1);
    EXPECT_FALSE(r.page.RechNum("999"));
    EXPECT_EQ(r.ui.shown, QStringList({"Chambre   999 non trouvée"}));
    EXPECT_EQ(r.page.Liste()->at(1).occupant, "Dupont");
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
    EXPECT_EQ(r.fiche.set().count(Table::Rooms), 1); // counted once written
    EXPECT_EQ(r.position(), 1);
    EXPECT_EQ(r.page.card(), RoomCard());

    r.page.paste(); // all but the number: a room needs a number of its own
    // clang-format off
    EXPECT_EQ(r.page.card(), (RoomCard{.category = "Double", .designation = "Vue jardin",
                                       .beds = 2, .price = "89,00", .floor = 1,
                                       .orientation = "Sud"}));
    // clang-format on
    EXPECT_TRUE(r.page.modified());

    // The full table is CardPage's.
    r.fiche.set().setCount(Table::Rooms, 2);
    r.fiche.Supprimer();
    EXPECT_EQ(r.fiche.set().count(Table::Rooms), 1);
    EXPECT_EQ(r.page.card().number, "    7");
}
