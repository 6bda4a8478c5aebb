// Reception: the free-room list and the operations, on tables built from
// literal lines.

#include "rooms/hotel_fixture.h"

#include "rooms/nights.h"
#include "store/text.h"

using namespace reception;

namespace {

QStringList numbers(const QStringList &freeRooms)
{
    QStringList out;
    for (const QString &e : freeRooms)
        out << roomOf(shownEntry(e));
    return out;
}

QDate day(int d, int m = 5)
{
    return QDate(2024, m, d);
}

const QStringList kThreeRooms =
    room(0, "  101", "Double") + room(1, "    7", "Simple") + room(2, "   12", {});

} // namespace

TEST(FreeRooms, StaysShareANightOrNotAtAll)
{
    Hotel h(client(0, "Martin", "101", "0", "03/05/2024", "05/05/2024"), kThreeRooms, day(1));
    const FileSet &s = h.fiche.set();
    auto free = [&](int first, int last) { return ChambresLibres(s, day(first), day(last), {}, day(1)); };
    // Entries keep their lines; normalised numbers sort in numeric order.
    EXPECT_EQ(free(6, 8), QStringList({"    7\tSimple", "   12\t", "  101\tDouble"}));
    // Martin sleeps there the nights of the 3rd and 4th.
    for (const auto &[first, last] : {std::pair(1, 10), std::pair(4, 8), std::pair(2, 4)})
        EXPECT_EQ(numbers(free(first, last)), QStringList({"7", "12"})) << first << '-' << last;
    // Leaving the morning he arrives, or arriving the day he leaves, meets him not.
    for (const auto &[first, last] : {std::pair(5, 8), std::pair(1, 3)})
        EXPECT_EQ(free(first, last).size(), 3) << first << '-' << last;
    // A stay ending before it starts asks for its arrival night.
    EXPECT_EQ(free(4, 3).size(), 2);
    EXPECT_EQ(free(8, 6).size(), 3);
}

TEST(Arrival, SituationSetsAnOccupantOnlyInAFreeRoomAndDepartureClearsOnlyItsOwn)
{
    Hotel h({}, room(0, "  101", "A", "Durand") + room(1, "  102", "B"));
    h.clients.card().name = "Martin";
    h.clients.card().room = "102";
    h.clients.chooseSituation(0);
    EXPECT_EQ(h.roomLine(1, 8), "Martin");
    EXPECT_EQ(h.fiche.set().position(Table::Rooms), 1);
    h.clients.card().room = "101";
    h.clients.chooseSituation(0);
    EXPECT_EQ(h.roomLine(0, 8), "Durand");
    // "Parti" on a card naming 101 leaves Durand in it.
    h.clients.chooseSituation(3);
    EXPECT_EQ(h.roomLine(0, 8), "Durand");
    EXPECT_EQ(h.clients.card().room, QString());
    h.clients.card().room = "102";
    h.clients.chooseSituation(3);
    EXPECT_EQ(h.roomLine(1, 8), QString());
}

// The stay typed in the dialog is the one checked: a guest is never booked
// over another one, whatever dates the card held.
TEST(Arrival, AStayOverAnotherGuestIsRefusedWithWhoAndWhen)
{
    const QStringList clients = client(0, "MARTIN Paul", {}, "3", "06/12/2026", "07/12/2026")
                                + client(1, "BARON Joël", "106", "1", "08/12/2026", "14/12/2026")
                                + client(2, "ROUX Anne", "107", "0", "01/12/2026", "10/12/2026");
    Hotel h(clients, room(0, "  106", "Double") + room(1, "  107", "Simple")
                         + room(2, "  108", "Twin", {}, "01/12/2026", "31/12/2026", "Peinture"));
    // The card's dates leave 106 free; the dialog's do not.
    EXPECT_TRUE(numbers(ChambresLibres(h.fiche)).contains("106"));
    EXPECT_EQ(numbers(ChambresLibres(h.fiche.set(), QDate(2026, 12, 6), QDate(2026, 12, 15))), QStringList());
    const StayChoice over{"MARTIN Paul", "MARTIN Paul", QDate(2026, 12, 6), QDate(2026, 12, 15), "106"};
    EXPECT_EQ(stayProblem(h.fiche, over), "Chambre 106 réservée du 08/12/2026 au 14/12/2026 par BARON Joël");
    EXPECT_FALSE(Arriv(h.fiche, over));
    EXPECT_FALSE(Reservation(h.fiche, over));
    EXPECT_EQ(h.clientLine(0, 24), "3");
    EXPECT_EQ(stayProblem(h.fiche, {{}, {}, QDate(2026, 12, 6), QDate(2026, 12, 6), "107"}),
              "Chambre 107 occupée du 01/12/2026 au 10/12/2026 par ROUX Anne");
    EXPECT_EQ(stayProblem(h.fiche, {{}, {}, QDate(2026, 12, 6), QDate(2026, 12, 7), "108"}),
              "Chambre 108 fermée du 01/12/2026 au 31/12/2026 : Peinture");
    EXPECT_EQ(stayProblem(h.fiche, {{}, {}, QDate(2026, 12, 7), QDate(2026, 12, 6), "106"}),
              "La date de départ (06/12/2026) est avant la date d'arrivée (07/12/2026).");
    EXPECT_TRUE(Arriv(h.fiche, {"MARTIN Paul", "MARTIN Paul", QDate(2026, 12, 6), QDate(2026, 12, 7), "106"}));

    // Baron's own reservation does not stand in the way of his arrival.
    h.showClient(1);
    const StayChoice own = arrivalProposal(h.fiche, ChambresLibres(h.fiche));
    EXPECT_EQ(own.room, "106");
    EXPECT_EQ(stayProblem(h.fiche, own), QString());
    EXPECT_TRUE(Arriv(h.fiche, own));
    EXPECT_EQ(h.clientLine(1, 24), "0");
}

TEST(Arrival, ACardWithoutDatesProposesOneNight)
{
    Hotel h({}, room(0, "  101", "A"));
    h.clients.card().name = "NOUVEAU";
    const StayChoice c = arrivalProposal(h.fiche, ChambresLibres(h.fiche));
    EXPECT_EQ(c.since, QDate::currentDate());
    EXPECT_EQ(c.leaving, QDate::currentDate().addDays(1));
    EXPECT_EQ(reservationProposal(h.fiche, {}).leaving, QDate::currentDate().addDays(1));
}

TEST(Reservation, LeavesTheRoomCardAsItIs)
{
    Hotel h(client(0, "Martin", {}, "-1"),
            room(0, "  101", "A", "Durand", "01/04/2024", "02/04/2024", "Peinture"));
    const StayChoice shown = reservationProposal(h.fiche, ChambresLibres(h.fiche));
    EXPECT_EQ(shown.room, "101");
    const QStringList rooms = h.lines(Table::Rooms);
    EXPECT_TRUE(Reservation(h.fiche, shown));
    EXPECT_EQ(h.lines(Table::Rooms), rooms); // the closure keeps its reason
    EXPECT_EQ(h.clientLine(0, 16), "101");
    EXPECT_EQ(h.clientLine(0, 24), "1");
}

TEST(Closing, OverGuestsDaysTheQuestionNamesThem)
{
    Hotel h(client(0, "MONNIER Jacques", "203", "1", "22/12/2026", "25/12/2026")
                + client(1, "PETIT Luc", "203", "3", "01/12/2026", "30/12/2026"),
            room(0, "  203", "A"));
    EXPECT_EQ(closingQuestion(h.fiche.set(), {QDate(2026, 12, 20), QDate(2026, 12, 23), "203", "Peinture"}),
              "La chambre 203 est réservée du 22/12/2026 au 25/12/2026 par MONNIER Jacques. Fermer quand même ?");
    EXPECT_EQ(closingQuestion(h.fiche.set(), {QDate(2026, 12, 26), QDate(2026, 12, 28), "203", {}}), QString());
}

// Only the guest present in the source room moves: past stays, cancelled
// ones and other guests' reservations of either room keep their rooms.
TEST(Transfer, MovesOnlyThePresentGuestToARoomFreeForTheRestOfTheStay)
{
    const QStringList clients = client(0, "A", "101", "0", "01/05/2024", "08/05/2024")
                                + client(1, "Old", "101", "3", "01/04/2024", "03/04/2024")
                                + client(2, "Next", "101", "1", "10/05/2024", "12/05/2024")
                                + client(3, "Gone", "102", "4", "01/05/2024", "09/05/2024")
                                + client(4, "Later", "103", "2", "07/05/2024", "09/05/2024");
    const QStringList rooms = room(0, "  101", "A", "A") + room(1, "  102", "B") + room(2, "  103", "C");
    Hotel h(clients, rooms, day(3));
    const FileSet &s = h.fiche.set();
    EXPECT_EQ(numbers(occupiedRooms(s, day(3), day(3))), QStringList({"101"}));
    EXPECT_EQ(numbers(occupiedRooms(s, day(1, 4), day(3))), QStringList());
    // 103 is booked from the 7th, within A's stay: not offered.
    EXPECT_EQ(numbers(transferTargets(s, "101", day(3), day(3))), QStringList({"102"}));
    EXPECT_EQ(transferProblem(s, {day(3), "101", "103"}, day(3)),
              "Chambre 103 confirmée du 07/05/2024 au 09/05/2024 par Later");
    EXPECT_EQ(transferProblem(s, {day(3), "102", "103"}, day(3)),
              "Aucun client n'est présent dans la chambre 102 le 03/05/2024.");
    EXPECT_FALSE(Transferer(h.fiche, {day(3), "101", "103"}));

    EXPECT_TRUE(Transferer(h.fiche, {day(3), "101", "102 B"}));
    QStringList expected = clients;
    expected[16] = "102";
    expected.insert(25, "SEJR101\t01/05/2024\t02/05/2024\t0"); // the nights before stay 101's
    EXPECT_EQ(h.lines(Table::Clients), expected);
    expected = rooms;
    expected[8] = QString();
    expected[19 + 8] = "A";
    EXPECT_EQ(h.lines(Table::Rooms), expected);
    EXPECT_FALSE(Transferer(h.fiche, {day(3), "102", QString()}));
}

// A card on screen with unsaved edits must neither undo an operation when it
// is written back later nor lose its edits.
TEST(Reception, CardsOnScreenKeepTheirEditsAndShowTheOperation)
{
    Hotel h(client(0, "Martin", {}, "1") + client(1, "Petit", "101", "0"),
            room(0, "  101", "A", "Petit") + room(1, "  102", "B"), day(1));
    // The room card shows 102 with a new designation not yet written.
    h.showRoom(1);
    h.rooms.card().designation = "Suite";
    h.rooms.touch();
    EXPECT_TRUE(Reservation(h.fiche, {"Martin", "Martin", day(3), day(4), "102"}));
    h.fiche.TestModif(); // writes back every card, as a save does
    EXPECT_EQ(h.roomLine(1, 3), "Suite");
    EXPECT_EQ(h.clientLine(0, 16), "102");

    // The client card shows Petit of room 101 with an edit not yet written.
    h.showClient(1);
    h.clients.card().profession = "Pilote";
    h.clients.touch();
    EXPECT_TRUE(Transferer(h.fiche, {day(1), "101", "102"}));
    EXPECT_EQ(h.clients.card().room, "102");
    h.fiche.TestModif();
    EXPECT_EQ(h.clientLine(1, 16), "102");
    EXPECT_EQ(h.clientLine(1, 23), "Pilote");
    EXPECT_EQ(h.roomLine(1, 8), "Petit");
}

namespace {

const QDate kSunday(2026, 12, 6);

QDate dec(int d)
{
    return QDate(2026, 12, d);
}

// Room 106 with a guest who should have left on the 4th, 105 where one
// leaves today and another arrives, 107 with a reservation whose guest never
// came (arrival the 4th), 108 free.
struct House : Hotel
{
    House()
        : Hotel(client(0, "NOUVEAU", {}, "-1", "06/12/2026", "07/12/2026")
                    + client(1, "RETARD Léon", "106", "0", "01/12/2026", "04/12/2026")
                    + client(2, "DÉPART Anne", "105", "0", "03/12/2026", "06/12/2026")
                    + client(3, "ARRIVÉE Paul", "105", "1", "06/12/2026", "09/12/2026")
                    + client(4, "ABSENT Marc", "107", "2", "04/12/2026", "10/12/2026"),
                room(0, "  105", "A") + room(1, "  106", "B") + room(2, "  107", "C") + room(3, "  108", "D"),
                kSunday)
    {}
};

} // namespace

// An overdue guest still sleeps in the room: no walk-in, no reservation and
// no transfer is put there, and closing it asks first.
TEST(OverdueGuest, HoldsTheRoomForEveryCheck)
{
    House h;
    const FileSet &s = h.fiche.set();
    EXPECT_FALSE(numbers(ChambresLibres(h.fiche)).contains("106"));
    const StayChoice walkIn{"NOUVEAU", "NOUVEAU", dec(6), dec(7), "106"};
    EXPECT_EQ(stayProblem(h.fiche, walkIn),
              "Chambre 106 occupée du 01/12/2026 au 04/12/2026 par RETARD Léon (toujours là après son départ prévu)");
    EXPECT_FALSE(Arriv(h.fiche, walkIn));
    EXPECT_FALSE(Reservation(h.fiche, walkIn));
    EXPECT_EQ(numbers(transferTargets(s, "105", dec(5), kSunday)), QStringList({"107", "108"}));
    EXPECT_NE(closingQuestion(s, {dec(6), dec(6), "106", "Fuite"}, kSunday), QString());
    // From tomorrow the room is no longer counted on.
    EXPECT_TRUE(numbers(ChambresLibres(s, dec(7), dec(8), {}, kSunday)).contains("106"));
}

// The dialogs, the free rooms of tonight and the day at a glance agree:
// touching stays never clash, and a no-show keeps only its arrival night.
TEST(FreeRooms, EveryRoomFreeTonightTakesAOneNightGuest)
{
    House h;
    EXPECT_EQ(numbers(ChambresLibres(h.fiche.set(), dec(6), dec(7), {0}, kSunday)), QStringList({"107", "108"}));
    const QStringList touching = numbers(ChambresLibres(h.fiche.set(), dec(1), dec(3), {0}, kSunday));
    EXPECT_TRUE(touching.contains("105")) << touching.join(' ').toStdString();
    for (const QString &free : numbers(ChambresLibres(h.fiche))) {
        EXPECT_EQ(stayProblem(h.fiche, {"NOUVEAU", "NOUVEAU", dec(6), dec(7), free}), QString()) << free.toStdString();
    }
    EXPECT_TRUE(Arriv(h.fiche, {"NOUVEAU", "NOUVEAU", dec(6), dec(7), "107"}));
    // The no-show's own arrival night stays taken.
    EXPECT_EQ(numbers(ChambresLibres(h.fiche.set(), dec(4), dec(5), {}, kSunday)), QStringList({"108"}));
}

// A transfer on a day splits the stay there: the nights before stay the old
// room's in the card's history, the nights from that day are the new room's.
TEST(Transfer, OnADaySplitsTheStayAndLeavesNoClash)
{
    Hotel h(client(0, "MOBILE", "109", "0", "06/12/2026", "11/12/2026")
                + client(1, "AUTRE", "202", "1", "06/12/2026", "08/12/2026")
                + client(2, "RETARD", "110", "0", "01/12/2026", "04/12/2026")
                + client(3, "AVANT", "203", "3", "01/12/2026", "04/12/2026"),
            room(0, "  109", "A", "MOBILE") + room(1, "  202", "B") + room(2, "  110", "C", "RETARD")
                + room(3, "  203", "D"),
            dec(6));
    const FileSet &s = h.fiche.set();
    EXPECT_TRUE(Transferer(h.fiche, {dec(8), "109", "202"}));
    EXPECT_EQ(h.clientLine(0, 15), "06/12/2026");
    EXPECT_EQ(h.clientLine(0, 16), "202");
    EXPECT_EQ(h.clientLine(0, 25), "SEJR109\t06/12/2026\t07/12/2026\t0");
    const auto held = nights::of(s, dec(6));
    EXPECT_EQ(held->on("109", dec(7).toJulianDay()).size(), 1u);
    EXPECT_TRUE(held->isFree("109", dec(8).toJulianDay(), dec(10).toJulianDay()));
    EXPECT_TRUE(held->conflicts(dec(1).toJulianDay(), dec(31).toJulianDay()).empty());

    // An overdue guest moves from tonight: his past nights stay in 110, and
    // the stay once made in 203 is not his to share.
    EXPECT_TRUE(Transferer(h.fiche, {dec(6), "110", "203"}));
    EXPECT_EQ(h.clientLine(2, 25), "SEJR110\t01/12/2026\t05/12/2026\t0");
    const auto after = nights::of(s, dec(6));
    EXPECT_TRUE(after->conflicts(dec(1).toJulianDay(), dec(31).toJulianDay()).empty());
    EXPECT_EQ(after->on("203", dec(6).toJulianDay()).front()->name, "RETARD");

    // The departure then keeps the nights in the new room.
    h.showClient(0);
    EXPECT_TRUE(Part(h.fiche, dec(11)));
    EXPECT_EQ(h.clientLine(0, 26), "SEJR202\t08/12/2026\t10/12/2026\t3");
    EXPECT_EQ(h.clientLine(0, 24), "3");
    EXPECT_EQ(h.clients.shownHistory()[1].label, "Ch. 202 → 11/12/2026 : 3 nuits, parti");
}

// Room, dates and situation changed on the card go through the dialogs' check.
TEST(ClientCard, CannotDoubleBookAndAsksBeforeCancellingOrLeaving)
{
    House h;
    h.showClient(0);
    h.clients.card().room = "106";
    EXPECT_FALSE(h.clients.pickSituation(1));
    EXPECT_EQ(h.clients.card().situation, -1);
    ASSERT_EQ(h.ui.shown.size(), 1);
    EXPECT_TRUE(h.ui.shown[0].startsWith("Chambre 106 occupée du 01/12/2026 au 04/12/2026 par RETARD Léon"));

    // A reserved card whose room is typed over a stay gets its room back when written.
    h.clients.card().room = "108";
    EXPECT_TRUE(h.clients.pickSituation(1));
    h.clients.writeBack();
    EXPECT_EQ(h.clientLine(0, 16), "108");
    h.clients.card().room = "105";
    h.clients.card().leaving = dec(8);
    h.clients.touch();
    h.clients.writeBack();
    EXPECT_EQ(h.clientLine(0, 16), "108");
    EXPECT_EQ(h.clientLine(0, 17), "07/12/2026");
    EXPECT_TRUE(h.ui.shown.last().contains("ARRIVÉE Paul"));

    // "Annulle" asks; "OK" keeps the cancelled booking in the history.
    h.ui.shown.clear();
    EXPECT_FALSE(h.clients.pickSituation(4));
    EXPECT_EQ(h.clients.card().situation, 1);
    EXPECT_EQ(h.ui.shown, QStringList{"Annuler le séjour de NOUVEAU, chambre 108 du 06/12/2026 au 07/12/2026 ?"});
    h.ui.okCancel = {true};
    EXPECT_TRUE(h.clients.pickSituation(4));
    EXPECT_EQ(h.clients.card().stayLines, QStringList{"108\t06/12/2026\t06/12/2026\t4"});

    // "Parti" of a guest in the house is the departure, after asking.
    h.showClient(1);
    h.ui.okCancel = {true};
    EXPECT_TRUE(h.clients.pickSituation(3));
    EXPECT_EQ(h.clientLine(1, 24), "3");
    EXPECT_EQ(h.clientLine(1, 17), "06/12/2026");
    EXPECT_EQ(h.clientLine(1, 25), "SEJR106\t01/12/2026\t05/12/2026\t3");
}

// Stay lines round-trip through the card as they were, unreadable ones too.
TEST(ClientCard, StayLinesComeBackAsTheyWere)
{
    const QStringList block = client(0, "A", {}, "3").mid(0, 25)
                              + QStringList{"MEMO note", "SEJR101\t01/05/2024\t01/05/2024\t3", "SEJR??"}
                              + QStringList{"</BLOC00000>"};
    Hotel h(block, {});
    h.clients.touch();
    h.clients.writeBack();
    EXPECT_EQ(h.lines(Table::Clients).mid(25), block.mid(25)); // the fixed lines are the card's own
    EXPECT_EQ(h.clients.shownHistory()[0].label, "Ch. 101 → 02/05/2024 : 1 nuit, parti");
}

// A departure dated after the stay planned would take nights that may be let.
TEST(Departure, NeverLengthensTheStay)
{
    Hotel h(client(0, "COURT", "101", "0", "05/12/2026", "07/12/2026")
                + client(1, "SUIVANT", "101", "2", "07/12/2026", "09/12/2026"),
            room(0, "  101", "A", "COURT"), QDate(2026, 12, 6));
    EXPECT_TRUE(Part(h.fiche, QDate(2026, 12, 10)));
    EXPECT_EQ(h.clientLine(0, 17), "07/12/2026");
    EXPECT_EQ(h.clientLine(0, 25), "SEJR101\t05/12/2026\t06/12/2026\t3");
    EXPECT_TRUE(nights::of(h.fiche.set(), QDate(2026, 12, 6))->conflicts(0, 1 << 30).empty());
}
