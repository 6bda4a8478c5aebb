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

TEST(RoomCard, PasteTakesAllButTheNumber)
{
    Rooms r(room(0, "    1"));
    r.page.copy();
    r.fiche.Ajout();
    EXPECT_EQ(r.page.card(), RoomCard());
    r.page.paste(); // a room needs a number of its own
    // clang-format off
    EXPECT_EQ(r.page.card(), (RoomCard{.category = "Double", .designation = "Vue jardin",
                                       .beds = 2, .price = "89,00", .floor = 1,
                                       .orientation = "Sud"}));
    // clang-format on
    EXPECT_TRUE(r.page.modified());
}
