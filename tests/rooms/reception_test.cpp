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

TEST(Arrival, SituationSetsAnOccupantOnlyInAFreeRoomAndDepartureClears)
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
    h.clients.chooseSituation(3);
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.clients.card().room, QString());
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

TEST(Reservation, WritesOnlyTheReasonLine)
{
    Hotel h(client(0, "Martin", {}, "-1"),
            room(0, "  101", "A", "Durand", "01/04/2024", "02/04/2024", "Peinture"));
    const StayChoice shown = reservationProposal(h.fiche, ChambresLibres(h.fiche));
    EXPECT_EQ(shown.room, "101");
    QStringList expected = h.lines(Table::Rooms);
    expected[17] = "Martin";
    EXPECT_TRUE(Reservation(h.fiche, shown));
    EXPECT_EQ(h.lines(Table::Rooms), expected);
    EXPECT_EQ(h.clientLine(0, 16), "101");
    EXPECT_EQ(h.clientLine(0, 24), "1");
    EXPECT_EQ(h.rooms.card().closedReason, "Martin");
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

TEST(Transfer, SwapsOccupantsAndTheExactRoomLinesOfEveryClient)
{
    const QStringList clients = client(0, "A", "101", "0") + client(1, "B", "102", "0") +
                                client(2, "Old", "101", "3") + client(3, "Blank", " 101", "3");
    const QStringList rooms =
        room(0, "  101", "A", "A") + room(1, "  102", "B", "B") + room(2, "  103", "C");
    Hotel h(clients, rooms);
    EXPECT_EQ(transferProposal(h.fiche).source, "101");
    EXPECT_TRUE(Transferer(h.fiche, {day(1), "101", "102 B"}));
    QStringList expected = clients;
    expected[16] = "102";
    expected[26 + 16] = "101";
    expected[52 + 16] = "102";
    EXPECT_EQ(h.lines(Table::Clients), expected);
    expected = rooms;
    expected[8] = "B";
    expected[19 + 8] = "A";
    EXPECT_EQ(h.lines(Table::Rooms), expected);

    // Into a free room: the source room is left free.
    EXPECT_TRUE(Transferer(h.fiche, {day(1), "102", "103"}));
    EXPECT_EQ(h.roomLine(1, 8), QString());
    EXPECT_EQ(h.roomLine(2, 8), "A");
    EXPECT_FALSE(Transferer(h.fiche, {day(1), "103", QString()}));
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
    EXPECT_EQ(h.roomLine(1, 17), "Martin");
    EXPECT_EQ(h.rooms.card().closedReason, "Martin");

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
