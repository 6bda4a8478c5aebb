// The day at a glance, on tables built from literal lines: who is listed
// where, which rooms are free tonight, and the printed day.

#include "rooms/hotel_fixture.h"
#include "rooms/journee.h"

using namespace journee;

namespace {

QStringList names(const QList<Guest> &guests)
{
    QStringList out;
    for (const Guest &g : guests)
        out << g.name + (g.overdue || g.datesUnreadable ? " (" + situationText(g) + ")" : QString());
    return out;
}

QStringList numbers(const QList<FreeRoom> &rooms)
{
    QStringList out;
    for (const FreeRoom &r : rooms)
        out << r.number;
    return out;
}

const QDate kDay(2026, 12, 6);

// One guest of each kind for the 6th of December 2026, and ten rooms.
struct Day6 : Hotel
{
    Day6()
        : Hotel(client(0, "ARRIVE", "101", "1", "06/12/2026", "08/12/2026")       // reserved, arrives today
                    + client(1, "DEMAIN", "102", "2", "07/12/2026", "09/12/2026") // confirmed, tomorrow
                    + client(2, "PART", "103", "0", "03/12/2026", "06/12/2026")   // leaves today
                    + client(3, "RETARD", "104", "0", "01/12/2026", "04/12/2026") // should have left
                    + client(4, "ANNULE", "105", "4", "05/12/2026", "09/12/2026")
                    + client(5, "PARTI", "106", "3", "01/12/2026", "09/12/2026")
                    + client(6, "UNENUIT", "107", "0", "06/12/2026", "07/12/2026") // arrived today, one night
                    + client(7, "DATES", "108", "0", "  /  /    ", "07/12/2026")
                    + client(8, "RESDATES", "109", "1", "06/12/2026", "31/02/2026"),
                room(0, "  101", "A") + room(1, "  102", "B") + room(2, "  103", "C") + room(3, "  104", "D")
                    + room(4, "  105", "E") + room(5, "  106", "F") + room(6, "  107", "G") + room(7, "  108", "H")
                    + room(8, "  109", "I", {}, "01/12/2026", "05/12/2026", "Peinture")
                    + room(9, "  110", "J", {}, "05/12/2026", "06/12/2026", "Peinture"))
    {}
};

} // namespace

TEST(Journee, EachGuestInItsListsAndTheRoomsFreeTonight)
{
    Day6 h;
    const Day d = Journee(h.fiche.set(), kDay);
    EXPECT_EQ(names(d.arrivals), QStringList({"ARRIVE", "UNENUIT"}));
    // The overdue guest is offered the departure with those due today.
    EXPECT_EQ(names(d.departures), QStringList({"PART", "RETARD (en retard)"}));
    EXPECT_EQ(names(d.present), QStringList({"PART", "RETARD (en retard)", "UNENUIT", "DATES (dates ?)"}));
    // 103 is left today, 102's guests come tomorrow, cancelled and departed
    // cards hold nothing, 109 reopened yesterday, 110 is closed tonight.
    EXPECT_EQ(numbers(d.freeTonight), QStringList({"102", "103", "105", "106", "109"}));
    EXPECT_EQ(d.arrivals[0].nights, 2);
    EXPECT_EQ(d.arrivals[1].nights, 1);
    EXPECT_EQ(situationText(d.arrivals[1]), "Présent");

    // The next day: the one-night guest leaves, the confirmed guests arrive.
    const Day next = Journee(h.fiche.set(), kDay.addDays(1));
    EXPECT_EQ(names(next.arrivals), QStringList({"DEMAIN"}));
    EXPECT_EQ(names(next.departures), QStringList({"PART (en retard)", "RETARD (en retard)", "UNENUIT"}));
    EXPECT_TRUE(numbers(next.freeTonight).contains("107"));
    // A guest who did not come keeps the arrival night only, and is listed
    // until the departure planned.
    EXPECT_EQ(names(next.noShows), QStringList({"ARRIVE"}));
    EXPECT_EQ(situationText(next.noShows[0]), "non arrivé");
    EXPECT_TRUE(numbers(next.freeTonight).contains("101"));
    EXPECT_EQ(names(Journee(h.fiche.set(), kDay.addDays(4)).noShows), QStringList());
    EXPECT_FALSE(numbers(next.freeTonight).contains("102"));
}
