// Reception: the free-room list and the operations, on tables built from
// literal lines.

#include "rooms/hotel_fixture.h"

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

TEST(FreeRooms, StaysShareADayInclusively)
{
    Hotel h(client(0, "Martin", "101", "0", "03/05/2024", "05/05/2024"), kThreeRooms);
    const FileSet &s = h.fiche.set();
    // Entries keep their lines; normalised numbers sort in numeric order.
    EXPECT_EQ(ChambresLibres(s, day(6), day(8)),
              QStringList({"    7\tSimple", "   12\t", "  101\tDouble"}));
    for (const auto &[first, last] : {std::pair(1, 10), std::pair(5, 8), std::pair(1, 3)})
        EXPECT_EQ(numbers(ChambresLibres(s, day(first), day(last))), QStringList({"7", "12"}));
    // A requested stay ending before it starts takes only stays reaching over both ends.
    EXPECT_EQ(ChambresLibres(s, day(5), day(4)).size(), 2);
    EXPECT_EQ(ChambresLibres(s, day(8), day(6)).size(), 3);
}

TEST(FreeRooms, OnlyPresentReservedAndConfirmedClientsWithRealDatesTakeARoom)
{
    auto stay = [](int n, const QString &room, const QString &situation,
                   const QString &since = "01/05/2024") {
        return client(n, "C", room, situation, since, "09/05/2024");
    };
    Hotel h(stay(0, "101", "3") + stay(1, "7", "4") + stay(2, " 12 ", "-1") +
                stay(3, "101", "2", "1/05/2024") + stay(4, "7", "1", "31/04/2024"),
            kThreeRooms);
    EXPECT_EQ(ChambresLibres(h.fiche.set(), day(1), day(31)).size(), 3);

    // Present, reserved and confirmed do; a room without designation leaves too.
    Hotel taken(stay(0, "101", "0") + stay(1, "7", "1") + stay(2, " 12 ", "2"), kThreeRooms);
    EXPECT_TRUE(ChambresLibres(taken.fiche.set(), day(1), day(31)).isEmpty());
}

TEST(FreeRooms, ClosuresShareADayInclusively)
{
    Hotel h({}, room(0, "  101", "A", {}, "01/05/2024", " 31/05/2024") + room(1, "  102", "B") +
                    room(2, "  103", "C", {}, "01/05/2024", "31/02/2024"));
    const FileSet &s = h.fiche.set();
    EXPECT_EQ(numbers(ChambresLibres(s, day(31), day(2, 6))), QStringList({"102", "103"}));
    EXPECT_EQ(numbers(ChambresLibres(s, day(10), day(12))), QStringList({"102", "103"}));
    EXPECT_EQ(ChambresLibres(s, day(1, 6), day(3, 6)).size(), 3);
    EXPECT_EQ(ChambresLibres(s, day(20, 4), day(30, 4)).size(), 3);
}

TEST(Arrival, ReplacesTheOccupantWhereTheSituationAloneKeepsIt)
{
    Hotel h(client(0, "Martin", {}, "1"), room(0, "  101", "A", "Durand") + room(1, "  102", "B"));
    ModifChambre(h.fiche, "101", "Martin");
    EXPECT_EQ(h.roomLine(0, 8), "Durand");

    const StayChoice shown = arrivalProposal(h.fiche, ChambresLibres(h.fiche));
    EXPECT_EQ(shown.occupant, "Martin");
    EXPECT_TRUE(Arriv(h.fiche, {shown.client, shown.occupant, day(3), day(6), "101 A"}));
    EXPECT_EQ(h.roomLine(0, 8), "Martin");
    EXPECT_EQ(h.lines(Table::Clients).mid(15, 3), QStringList({"03/05/2024", "101", "06/05/2024"}));
    EXPECT_EQ(h.clientLine(0, 24), "0");
    EXPECT_TRUE(h.fiche.set().isDirty());
    // The situation recorded the guest through ModifChambre, which shows the room.
    EXPECT_EQ(h.rooms.card().number, "  101");
    EXPECT_EQ(h.rooms.card().occupant, "Martin");

    EXPECT_FALSE(Arriv(h.fiche, {"Martin", "Martin", day(3), day(6), " "}));
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

TEST(Departure, FreesTheRoomEvenForAClientAlreadyGone)
{
    Hotel h(client(0, "Martin", "101", "0") + client(1, "Petit", "102", "3"),
            room(0, "  101", "A", "Martin") + room(1, "  102", "B", "Petit"));
    EXPECT_TRUE(Part(h.fiche));
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.lines(Table::Clients).mid(15, 2), QStringList({"01/05/2024", QString()}));
    EXPECT_EQ(h.clientLine(0, 24), "3");

    h.showClient(1);
    EXPECT_TRUE(Part(h.fiche));
    EXPECT_EQ(h.roomLine(1, 8), QString());
    EXPECT_EQ(h.clientLine(1, 16), "102");
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
              "La chambre 203 est réservée du 22/12 au 25/12 par MONNIER Jacques. Fermer quand même ?");
    EXPECT_EQ(closingQuestion(h.fiche.set(), {QDate(2026, 12, 26), QDate(2026, 12, 28), "203", {}}), QString());
}

TEST(Closing, ClosesTheRoomShownAndFreeingReopensIt)
{
    Hotel h({}, room(0, "  101", "A") + room(1, "  102", "B"));
    h.showRoom(1);
    ClosingChoice c = closingProposal(h.fiche);
    EXPECT_EQ(c.room, "102");
    EXPECT_EQ(c.from, QDate::currentDate());
    c.until = c.from.addDays(2);
    c.reason = "Travaux";
    EXPECT_TRUE(Fermeture(h.fiche, c));
    EXPECT_EQ(h.lines(Table::Rooms).mid(19 + 15, 3),
              QStringList({text::dateText(c.from), text::dateText(c.until), "Travaux"}));
    EXPECT_EQ(h.rooms.card().closedReason, "Travaux");

    EXPECT_TRUE(Liberation(h.fiche));
    EXPECT_EQ(h.lines(Table::Rooms).mid(19 + 15, 3),
              QStringList({RoomCard::kNoDate, RoomCard::kNoDate, QString()}));
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
    Hotel h(clients, rooms);
    EXPECT_EQ(numbers(occupiedRooms(h.fiche.set(), day(3))), QStringList({"101"}));
    EXPECT_EQ(numbers(occupiedRooms(h.fiche.set(), day(1, 4))), QStringList());
    // 103 is booked from the 7th, within A's stay: not offered.
    EXPECT_EQ(numbers(transferTargets(h.fiche.set(), "101", day(3))), QStringList({"102"}));
    EXPECT_EQ(transferProblem(h.fiche.set(), {day(3), "101", "103"}),
              "Chambre 103 réservée du 07/05/2024 au 09/05/2024 par Later");
    EXPECT_EQ(transferProblem(h.fiche.set(), {day(3), "102", "103"}),
              "Aucun client n'est présent dans la chambre 102 le 03/05/2024.");
    EXPECT_FALSE(Transferer(h.fiche, {day(3), "101", "103"}));

    EXPECT_TRUE(Transferer(h.fiche, {day(3), "101", "102 B"}));
    QStringList expected = clients;
    expected[16] = "102";
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
            room(0, "  101", "A", "Petit") + room(1, "  102", "B"));
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

// The client page's search by room writes back the client card shown first.
TEST(RoomSearch, ClientInARoomWritesBackTheClientCardFirst)
{
    Hotel h(client(0, "A", {}, "0") + client(1, "B", "12", "0"), {});
    h.clients.card().name = "A changé";
    h.clients.touch();
    EXPECT_TRUE(RechChambre(h.fiche, "  12 "));
    EXPECT_EQ(h.clients.card().name, "B");
    EXPECT_EQ(h.clientLine(0, 4), "A changé");
    EXPECT_FALSE(RechChambre(h.fiche, "7"));
    EXPECT_EQ(h.ui.shown, QStringList{"Fiche     7 non trouvée"});
    EXPECT_EQ(h.fiche.set().position(Table::Clients), 1);
}
