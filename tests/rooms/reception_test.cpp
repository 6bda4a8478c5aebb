// Reception: the free-room list and the operations, on tables built from
// literal lines.

#include "clients/client_page.h"
#include "rooms/reception.h"
#include "rooms/room_page.h"
#include "store/text.h"

#include "scripted_ui.h"
#include "store/table_helpers.h"

using namespace Qt::StringLiterals;
using namespace reception;

namespace {

const QString kNoDate = u"  /  /    "_s;

QString marker(int n, bool end = false)
{
    return (end ? u"</BLOC%1>"_s : u"<BLOC%1>"_s).arg(n, 5, 10, QLatin1Char('0'));
}

// A client block: the name, the stay at 15 to 17 and the situation at 24.
QStringList client(int n, const QString &name, const QString &room, const QString &since,
                   const QString &leaving, const QString &situation)
{
    QStringList l(25);
    l[0] = marker(n);
    l[4] = name;
    l[15] = since;
    l[16] = room;
    l[17] = leaving;
    l[24] = situation;
    return l << marker(n, true);
}

// A room block: number, designation, occupant and the out-of-service lines.
QStringList room(int n, const QString &number, const QString &designation,
                 const QString &occupant = {}, const QString &from = kNoDate,
                 const QString &until = kNoDate, const QString &reason = {})
{
    QStringList l(18);
    l[0] = marker(n);
    l[1] = number;
    l[3] = designation;
    l[8] = occupant;
    l[15] = from;
    l[16] = until;
    l[17] = reason;
    return l << marker(n, true);
}

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

// A record window with the client and room pages, showing block 0 of each.
struct Hotel
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    RoomPage rooms{fiche};

    Hotel(const QStringList &clientLines, const QStringList &roomLines)
    {
        fiche.setPage(PageId::Clients, &clients);
        fiche.setPage(PageId::Rooms, &rooms);
        installSituationHook(fiche);
        table(Table::Clients) = tableOf(clientLines);
        table(Table::Rooms) = tableOf(roomLines);
        for (Table t : {Table::Clients, Table::Rooms})
            fiche.set().setCount(t, table(t).countBlocks());
        clients.read();
        rooms.read();
    }
    RecordTable &table(Table t) { return fiche.set().table(t); }
    QString line(Table t, int block, int offset) const
    {
        const RecordTable &lines = fiche.set().table(t);
        return lines.text(lines.blockStart(block) + offset);
    }
    QString roomLine(int block, int offset) const { return line(Table::Rooms, block, offset); }
    QString clientLine(int block, int offset) const { return line(Table::Clients, block, offset); }
    void showClient(int block)
    {
        fiche.set().setPosition(Table::Clients, block);
        clients.read();
    }
};

const QStringList kThreeRooms =
    room(0, u"  101"_s, u"Double"_s) + room(1, u"    7"_s, u"Simple"_s) + room(2, u"   12"_s, {});

} // namespace

TEST(FreeRooms, StaysShareADayInclusively)
{
    Hotel h(client(0, u"Martin"_s, u"101"_s, u"03/05/2024"_s, u"05/05/2024"_s, u"0"_s),
            kThreeRooms);
    const FileSet &s = h.fiche.set();
    // Entries keep their lines; normalised numbers sort in numeric order.
    EXPECT_EQ(ChambresLibres(s, day(6), day(8)),
              QStringList({u"    7\tSimple"_s, u"   12\t"_s, u"  101\tDouble"_s}));
    EXPECT_EQ(numbers(ChambresLibres(s, day(1), day(10))), QStringList({u"7"_s, u"12"_s}));
    EXPECT_EQ(numbers(ChambresLibres(s, day(5), day(8))), QStringList({u"7"_s, u"12"_s}));
    EXPECT_EQ(numbers(ChambresLibres(s, day(1), day(3))), QStringList({u"7"_s, u"12"_s}));
    // A requested stay ending before it starts takes only stays reaching over both ends.
    EXPECT_EQ(ChambresLibres(s, day(5), day(4)).size(), 2);
    EXPECT_EQ(ChambresLibres(s, day(8), day(6)).size(), 3);
}

TEST(FreeRooms, OnlyPresentReservedAndConfirmedClientsWithRealDatesTakeARoom)
{
    auto stay = [](int n, const QString &room, const QString &situation,
                   const QString &since = u"01/05/2024"_s) {
        return client(n, u"C"_s, room, since, u"09/05/2024"_s, situation);
    };
    Hotel h(stay(0, u"101"_s, u"3"_s) + stay(1, u"7"_s, u"4"_s) + stay(2, u" 12 "_s, u"-1"_s) +
                stay(3, u"101"_s, u"2"_s, u"1/05/2024"_s) +
                stay(4, u"7"_s, u"1"_s, u"31/04/2024"_s),
            kThreeRooms);
    EXPECT_EQ(ChambresLibres(h.fiche.set(), day(1), day(31)).size(), 3);

    // Present, reserved and confirmed do; a room without designation leaves too.
    Hotel taken(stay(0, u"101"_s, u"0"_s) + stay(1, u"7"_s, u"1"_s) + stay(2, u" 12 "_s, u"2"_s),
                kThreeRooms);
    EXPECT_TRUE(ChambresLibres(taken.fiche.set(), day(1), day(31)).isEmpty());
}

TEST(FreeRooms, ClosuresShareADayInclusively)
{
    Hotel h({}, room(0, u"  101"_s, u"A"_s, {}, u"01/05/2024"_s, u" 31/05/2024"_s) +
                    room(1, u"  102"_s, u"B"_s, {}, kNoDate, kNoDate) +
                    room(2, u"  103"_s, u"C"_s, {}, u"01/05/2024"_s, u"31/02/2024"_s));
    const FileSet &s = h.fiche.set();
    EXPECT_EQ(numbers(ChambresLibres(s, day(31), day(2, 6))), QStringList({u"102"_s, u"103"_s}));
    EXPECT_EQ(numbers(ChambresLibres(s, day(10), day(12))), QStringList({u"102"_s, u"103"_s}));
    EXPECT_EQ(ChambresLibres(s, day(1, 6), day(3, 6)).size(), 3);
    EXPECT_EQ(ChambresLibres(s, day(20, 4), day(30, 4)).size(), 3);
}

TEST(Arrival, ReplacesTheOccupantWhereTheSituationAloneKeepsIt)
{
    Hotel h(client(0, u"Martin"_s, {}, u"01/05/2024"_s, u"02/05/2024"_s, u"1"_s),
            room(0, u"  101"_s, u"A"_s, u"Durand"_s) + room(1, u"  102"_s, u"B"_s));
    ModifChambre(h.fiche, u"101"_s, u"Martin"_s);
    EXPECT_EQ(h.roomLine(0, 8), u"Durand"_s);

    const StayChoice shown = arrivalProposal(h.fiche, ChambresLibres(h.fiche));
    EXPECT_EQ(shown.occupant, u"Martin"_s);
    EXPECT_TRUE(Arriv(h.fiche, {shown.client, shown.occupant, day(3), day(6), u"101 A"_s}));
    EXPECT_EQ(h.roomLine(0, 8), u"Martin"_s);
    EXPECT_EQ(h.clientLine(0, 15), u"03/05/2024"_s);
    EXPECT_EQ(h.clientLine(0, 16), u"101"_s);
    EXPECT_EQ(h.clientLine(0, 17), u"06/05/2024"_s);
    EXPECT_EQ(h.clientLine(0, 24), u"0"_s);
    EXPECT_TRUE(h.fiche.set().isDirty());
    // The situation recorded the guest through ModifChambre, which shows the room.
    EXPECT_EQ(h.rooms.card().number, u"  101"_s);
    EXPECT_EQ(h.rooms.card().occupant, u"Martin"_s);

    EXPECT_FALSE(Arriv(h.fiche, {u"Martin"_s, u"Martin"_s, day(3), day(6), u" "_s}));
}

TEST(Arrival, SituationSetsAnOccupantOnlyInAFreeRoomAndDepartureClears)
{
    Hotel h({}, room(0, u"  101"_s, u"A"_s, u"Durand"_s) + room(1, u"  102"_s, u"B"_s));
    h.clients.card().name = u"Martin"_s;
    h.clients.card().room = u"102"_s;
    h.clients.chooseSituation(0);
    EXPECT_EQ(h.roomLine(1, 8), u"Martin"_s);
    EXPECT_EQ(h.fiche.set().position(Table::Rooms), 1);
    h.clients.card().room = u"101"_s;
    h.clients.chooseSituation(0);
    EXPECT_EQ(h.roomLine(0, 8), u"Durand"_s);
    h.clients.chooseSituation(3);
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.clients.card().room, QString());
}

TEST(Departure, FreesTheRoomEvenForAClientAlreadyGone)
{
    Hotel h(client(0, u"Martin"_s, u"101"_s, u"01/05/2024"_s, u"02/05/2024"_s, u"0"_s) +
                client(1, u"Petit"_s, u"102"_s, u"01/05/2024"_s, u"02/05/2024"_s, u"3"_s),
            room(0, u"  101"_s, u"A"_s, u"Martin"_s) + room(1, u"  102"_s, u"B"_s, u"Petit"_s));
    EXPECT_TRUE(Part(h.fiche));
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.clientLine(0, 16), QString());
    EXPECT_EQ(h.clientLine(0, 24), u"3"_s);
    EXPECT_EQ(h.clientLine(0, 15), u"01/05/2024"_s);

    h.showClient(1);
    EXPECT_TRUE(Part(h.fiche));
    EXPECT_EQ(h.roomLine(1, 8), QString());
    EXPECT_EQ(h.clientLine(1, 16), u"102"_s);
}

TEST(Reservation, WritesOnlyTheReasonLine)
{
    Hotel h(
        client(0, u"Martin"_s, {}, u"01/05/2024"_s, u"02/05/2024"_s, u"-1"_s),
        room(0, u"  101"_s, u"A"_s, u"Durand"_s, u"01/04/2024"_s, u"02/04/2024"_s, u"Peinture"_s));
    const StayChoice shown = reservationProposal(h.fiche, ChambresLibres(h.fiche));
    EXPECT_EQ(shown.room, u"101"_s);
    QStringList expected = linesOf(h.table(Table::Rooms));
    expected[17] = u"Martin"_s;
    EXPECT_TRUE(Reservation(h.fiche, shown));
    EXPECT_EQ(linesOf(h.table(Table::Rooms)), expected);
    EXPECT_EQ(h.clientLine(0, 16), u"101"_s);
    EXPECT_EQ(h.clientLine(0, 24), u"1"_s);
    EXPECT_EQ(h.rooms.card().closedReason, u"Martin"_s);
}

TEST(Closing, ClosesTheRoomShownAndFreeingReopensIt)
{
    Hotel h({}, room(0, u"  101"_s, u"A"_s) + room(1, u"  102"_s, u"B"_s));
    h.fiche.set().setPosition(Table::Rooms, 1);
    h.rooms.read();
    ClosingChoice c = closingProposal(h.fiche);
    EXPECT_EQ(c.room, u"102"_s);
    EXPECT_EQ(c.from, QDate::currentDate());
    c.until = c.from.addDays(2);
    c.reason = u"Travaux"_s;
    EXPECT_TRUE(Fermeture(h.fiche, c));
    EXPECT_EQ(h.roomLine(1, 15), text::dateText(c.from));
    EXPECT_EQ(h.roomLine(1, 16), text::dateText(c.until));
    EXPECT_EQ(h.roomLine(1, 17), u"Travaux"_s);
    EXPECT_EQ(h.rooms.card().closedReason, u"Travaux"_s);

    EXPECT_TRUE(Liberation(h.fiche));
    EXPECT_EQ(h.roomLine(1, 15), kNoDate);
    EXPECT_EQ(h.roomLine(1, 17), QString());
}

TEST(Transfer, SwapsOccupantsAndTheExactRoomLinesOfEveryClient)
{
    const QStringList clients =
        client(0, u"A"_s, u"101"_s, u"01/05/2024"_s, u"02/05/2024"_s, u"0"_s) +
        client(1, u"B"_s, u"102"_s, u"01/05/2024"_s, u"02/05/2024"_s, u"0"_s) +
        client(2, u"Old"_s, u"101"_s, u"01/01/2024"_s, u"02/01/2024"_s, u"3"_s) +
        client(3, u"Blank"_s, u" 101"_s, u"01/01/2024"_s, u"02/01/2024"_s, u"3"_s);
    const QStringList rooms = room(0, u"  101"_s, u"A"_s, u"A"_s) +
                              room(1, u"  102"_s, u"B"_s, u"B"_s) + room(2, u"  103"_s, u"C"_s);
    Hotel h(clients, rooms);
    EXPECT_EQ(transferProposal(h.fiche).source, u"101"_s);
    EXPECT_TRUE(Transferer(h.fiche, {day(1), u"101"_s, u"102 B"_s}));
    QStringList expected = clients;
    expected[16] = u"102"_s;
    expected[26 + 16] = u"101"_s;
    expected[52 + 16] = u"102"_s;
    EXPECT_EQ(linesOf(h.table(Table::Clients)), expected);
    expected = rooms;
    expected[8] = u"B"_s;
    expected[19 + 8] = u"A"_s;
    EXPECT_EQ(linesOf(h.table(Table::Rooms)), expected);

    // Into a free room: the source room is left free.
    EXPECT_TRUE(Transferer(h.fiche, {day(1), u"102"_s, u"103"_s}));
    EXPECT_EQ(h.roomLine(1, 8), QString());
    EXPECT_EQ(h.roomLine(2, 8), u"A"_s);
    EXPECT_FALSE(Transferer(h.fiche, {day(1), u"103"_s, QString()}));
}

// A card on screen with unsaved edits must neither undo an operation when it
// is written back later nor lose its edits.
TEST(Reception, CardsOnScreenKeepTheirEditsAndShowTheOperation)
{
    Hotel h(client(0, u"Martin"_s, {}, u"01/05/2024"_s, u"02/05/2024"_s, u"1"_s) +
                client(1, u"Petit"_s, u"101"_s, u"01/05/2024"_s, u"02/05/2024"_s, u"0"_s),
            room(0, u"  101"_s, u"A"_s, u"Petit"_s) + room(1, u"  102"_s, u"B"_s));
    // The room card shows 102 with a new designation not yet written.
    h.fiche.set().setPosition(Table::Rooms, 1);
    h.rooms.read();
    h.rooms.card().designation = u"Suite"_s;
    h.rooms.touch();
    EXPECT_TRUE(Reservation(h.fiche, {u"Martin"_s, u"Martin"_s, day(3), day(4), u"102"_s}));
    h.fiche.TestModif(); // writes back every card, as a save does
    EXPECT_EQ(h.roomLine(1, 3), u"Suite"_s);
    EXPECT_EQ(h.roomLine(1, 17), u"Martin"_s);
    EXPECT_EQ(h.rooms.card().closedReason, u"Martin"_s);

    // The client card shows Petit of room 101 with an edit not yet written.
    h.showClient(1);
    h.clients.card().profession = u"Pilote"_s;
    h.clients.touch();
    EXPECT_TRUE(Transferer(h.fiche, {day(1), u"101"_s, u"102"_s}));
    EXPECT_EQ(h.clients.card().room, u"102"_s);
    h.fiche.TestModif();
    EXPECT_EQ(h.clientLine(1, 16), u"102"_s);
    EXPECT_EQ(h.clientLine(1, 23), u"Pilote"_s);
    EXPECT_EQ(h.roomLine(1, 8), u"Petit"_s);
}
