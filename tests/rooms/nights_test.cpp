// The nights' model: who holds a room on a night, on tables built from
// literal lines, with the awkward stays of a real hotel.

#include "rooms/hotel_fixture.h"
#include "rooms/nights.h"

#include "clients/stay_history.h"

using nights::Kind;

namespace {

// A block with `tagged` lines added before its end marker.
QStringList with(QStringList block, const QStringList &tagged)
{
    const QString end = block.takeLast();
    return block + tagged + QStringList{end};
}

qint64 night(const QString &ddmmyyyy)
{
    return QDate::fromString(ddmmyyyy, "dd/MM/yyyy").toJulianDay();
}

const QDate kToday(2026, 12, 6);

// Rooms 101 to 110, 107 closed for works from the 6th to the 9th.
QStringList tenRooms()
{
    QStringList rooms;
    for (int i = 0; i < 10; ++i)
        rooms += i == 6 ? room(i, "  107", "R", {}, "06/12/2026", "09/12/2026", "Travaux")
                        : room(i, QString::number(101 + i).rightJustified(5), "R");
    return rooms;
}

// One awkward stay or two per room, today being the 6th of December 2026.
struct Awkward : Hotel
{
    Awkward()
        : Hotel(client(0, "QUITTE", "101", "0", "03/12/2026", "06/12/2026") // leaves today...
                    + client(1, "ARRIVE", "101", "1", "06/12/2026",
                             "08/12/2026") // ...this one arrives
                    + client(2, "REVEILLON", "102", "2", "31/12/2026", "01/01/2027") +
                    client(3, "FIN-MOIS", "103", "2", "30/01/2027", "02/02/2027") +
                    client(4, "BISSEXTILE", "103", "1", "28/02/2028", "01/03/2028") +
                    client(5, "ILLISIBLE", "104", "1", "06/12/2026", "31/02/2026") +
                    client(6, "SANS-DATES", "104", "0", "  /  /    ", "07/12/2026") +
                    client(7, "RETARD", "105", "0", "01/12/2026", "04/12/2026") +
                    client(8, "ABSENT", "106", "1", "04/12/2026", "09/12/2026") +
                    client(9, "FERME", "107", "2", "08/12/2026", "10/12/2026") +
                    client(10, "AVANT-TRAVAUX", "107", "0", "02/12/2026", "06/12/2026") +
                    with(client(11, "TRANSFERE", "108", "0", "01/12/2026", "10/12/2026"),
                         {"SEJR109\t01/12/2026\t03/12/2026\t0"}) +
                    with(client(12, "PARTI", {}, "3", "01/12/2026", "05/12/2026"),
                         {"SEJR110\t01/12/2026\t04/12/2026\t3",
                          "SEJR110\t20/11/2026\t21/11/2026\t4"}) +
                    client(13, "ANNULE", "110", "4", "01/12/2026", "09/12/2026") +
                    client(14, "MEME-JOUR", "110", "1", "07/12/2026", "07/12/2026"),
                tenRooms())
    {}
};

} // namespace

TEST(Nights, AwkwardStaysHoldTheirNightsOnly)
{
    Awkward h;
    const nights::Nights held(h.fiche.set(), kToday);
    auto holders = [&](const char *room, const char *day) {
        QStringList names;
        for (const nights::Hold *x : held.on(room, night(day)))
            names << (x->kind == Kind::Closed ? "fermée:" + x->name : x->name);
        return names.join(',');
    };
    const struct
    {
        const char *room, *night, *who;
    } cases[] = {
        // One leaves in the morning, the other arrives in the afternoon.
        {"101", "05/12/2026", "QUITTE"}, {"101", "06/12/2026", "ARRIVE"}, {"101", "08/12/2026", ""},
        // One night over the year end; a stay over the month end.
        {"102", "31/12/2026", "REVEILLON"}, {"102", "01/01/2027", ""},
        {"103", "31/01/2027", "FIN-MOIS"}, {"103", "01/02/2027", "FIN-MOIS"},
        {"103", "02/02/2027", ""}, {"103", "29/02/2028", "BISSEXTILE"}, {"103", "01/03/2028", ""},
        // Dates that do not read: a reservation holds nothing, a guest in the
        // house holds tonight.
        {"104", "06/12/2026", "SANS-DATES"},
        {"104", "07/12/2026", ""},
        // Overdue: still in the room up to tonight.
        {"105", "04/12/2026", "RETARD"}, {"105", "06/12/2026", "RETARD"}, {"105", "07/12/2026", ""},
        // No-show: the arrival night only.
        {"106", "04/12/2026", "ABSENT"},
        {"106", "05/12/2026", ""},
        // A closure beginning on a guest's departure day does not meet them;
        // one over a booking does.
        {"107", "05/12/2026", "AVANT-TRAVAUX"}, {"107", "06/12/2026", "fermée:Travaux"},
        {"107", "08/12/2026", "FERME,fermée:Travaux"},
        // A transfer mid-stay: the nights before stay the old room's.
        {"109", "03/12/2026", "TRANSFERE"}, {"109", "04/12/2026", ""}, {"108", "03/12/2026", ""},
        {"108", "04/12/2026", "TRANSFERE"}, {"108", "09/12/2026", "TRANSFERE"},
        // Then a departure: the stay kept; a cancelled one and a card
        // cancelled hold nothing, nor does a stay ending the day it begins.
        {"110", "04/12/2026", "PARTI"}, {"110", "05/12/2026", ""}, {"110", "20/11/2026", ""},
        {"110", "07/12/2026", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(holders(c.room, c.night), QString::fromUtf8(c.who)) << c.room << ' ' << c.night;

    const nights::Hold *overdue = held.on("105", night("06/12/2026")).front();
    EXPECT_TRUE(overdue->overdue);
    EXPECT_TRUE(held.on("106", night("04/12/2026")).front()->noShow);
}

TEST(Nights, ConflictsNameBothHoldersOncePerNightAndSkipACardsOwnStays)
{
    Awkward h;
    const nights::Nights held(h.fiche.set(), kToday);
    const auto all =
        held.conflicts(std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
    ASSERT_EQ(all.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(all[std::size_t(i)].room, "107");
        EXPECT_EQ(all[std::size_t(i)].night, night("08/12/2026") + i);
        EXPECT_EQ(all[std::size_t(i)].a->name, "FERME");
        EXPECT_EQ(all[std::size_t(i)].b->kind, Kind::Closed);
    }
    EXPECT_TRUE(held.conflicts(night("01/12/2026"), night("07/12/2026")).empty());
    EXPECT_EQ(held.conflicts(night("09/12/2026"), night("09/12/2026")).size(), 1u);
}

TEST(Nights, KeptWhileTheTablesStayTheSame)
{
    Awkward h;
    const auto first = nights::of(h.fiche.set(), kToday);
    EXPECT_EQ(nights::of(h.fiche.set(), kToday), first);
    EXPECT_NE(nights::of(h.fiche.set(), kToday.addDays(1)), first);
    h.table(Table::Clients).setLine(h.table(Table::Clients).blockStart(7) + 24, "3");
    const auto after = nights::of(h.fiche.set(), kToday);
    EXPECT_TRUE(after->isFree("105", night("06/12/2026"), night("06/12/2026")));
}

TEST(StayHistory, LinesReadOnlyWhenWhole)
{
    const auto s = StaySegment::read(QStringView(u"109\t01/12/2026\t03/12/2026\t0"));
    ASSERT_TRUE(s);
    EXPECT_EQ(s->room, "109");
    EXPECT_EQ(s->text(), "109\t01/12/2026\t03/12/2026\t0");
    for (const char16_t *bad :
         {u"109\t01/12/2026\t03/12/2026", u"\t01/12/2026\t03/12/2026\t3",
          u"109\t03/12/2026\t01/12/2026\t3", u"109\t31/02/2026\t03/03/2026\t3",
          u"109\t01/12/2026\t03/12/2026\t7"})
        EXPECT_FALSE(StaySegment::read(QStringView(bad))) << QString::fromUtf16(bad).toStdString();
    const QDate since(2026, 12, 1);
    EXPECT_EQ(currentStayStart(since, staySegments({"109\t01/12/2026\t03/12/2026\t0",
                                                    "110\t04/12/2026\t04/12/2026\t0"})),
              QDate(2026, 12, 5));
    // A segment of an earlier stay, or one that was not a move, does not cut this one.
    EXPECT_EQ(currentStayStart(since, staySegments({"109\t01/11/2026\t03/11/2026\t0",
                                                    "109\t01/12/2026\t03/12/2026\t3"})),
              since);
}
