// The reception dialogs: what they show from the cards, and that what is
// chosen in them reaches the tables. No dialog is run modally.

#include "rooms/hotel_fixture.h"
#include "rooms/ui/arrive_dialog.h"
#include "rooms/ui/depart_dialog.h"
#include "rooms/ui/fermer_dialog.h"
#include "rooms/ui/reception_commands.h"
#include "rooms/ui/reserv_dialog.h"
#include "rooms/ui/transfert_dialog.h"
#include "widget_lookup.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

// Martin (reserved, 03/05 to 05/05/2024) is shown on the client card; room
// 101 is occupied by Durand (present from May 2024 on, still today), 102 is
// booked by Baron from 08/05 to 14/05/2024, and the room card shows 101.
struct Martin : Hotel
{
    Martin()
        : Hotel(client(0, "Martin", {}, "1", "03/05/2024", "05/05/2024") +
                    client(1, "Durand", "101", "0", "01/05/2024", "31/12/2099") +
                    client(2, "Baron", "102", "1", "08/05/2024", "14/05/2024"),
                room(0, "  101", "Double", "Durand") + room(1, "  102", "Simple") +
                    room(2, "  103", "Twin"),
                QDate(2024, 5, 1))
    {}
};

template <typename W> W *field(QDialog &dialog, const char *name)
{
    W *w = dialog.findChild<W *>(QLatin1String(name));
    EXPECT_TRUE(w) << name;
    return w;
}

} // namespace

// The arrival shows the card; the rooms offered follow the dates shown, "OK"
// on a room taken on one of those days says by whom and stays open, and the
// choice reaches the tables.
TEST(ReceptionDialogs, ArrivalFollowsItsDatesAndRefusesARoomTaken)
{
    Martin h;
    EXPECT_TRUE(runArrival(nullptr, h.fiche, [&](QDialog &d) {
        EXPECT_EQ(field<QLineEdit>(d, "client")->text(), "Martin");
        EXPECT_TRUE(field<QLineEdit>(d, "occupant")->isReadOnly());
        EXPECT_EQ(field<QDateEdit>(d, "since")->date(), QDate(2024, 5, 3));
        auto *room = field<RoomBox>(d, "room");
        auto *problem = field<QLabel>(d, "problem");
        EXPECT_EQ(room->currentText(), "102"); // the first free room
        EXPECT_NE(room->findText("102 Simple"), -1);
        field<QDateEdit>(d, "leaving")->setDate(QDate(2024, 5, 10));
        EXPECT_EQ(room->findText("102 Simple"), -1);
        EXPECT_EQ(room->currentText(), "102"); // what was there stays typed
        EXPECT_NE(click(d, "OK"), QDialog::Accepted);
        EXPECT_FALSE(problem->isHidden());
        EXPECT_EQ(problem->text(), "Chambre 102 réservée du 08/05/2024 au 14/05/2024 par Baron");
        field<QDateEdit>(d, "leaving")->setDate(QDate(2024, 5, 2));
        EXPECT_TRUE(problem->isHidden());
        EXPECT_NE(click(d, "OK"), QDialog::Accepted);
        EXPECT_TRUE(problem->text().startsWith("La date de départ"));
        room->setCurrentIndex(room->findText("103 Twin"));
        field<QDateEdit>(d, "leaving")->setDate(QDate(2024, 5, 9));
        return click(d, "OK");
    }));
    EXPECT_EQ(h.roomLine(2, 8), "Martin");
    EXPECT_EQ(h.clients.card().room, "103");
    EXPECT_EQ(h.clients.card().leaving, QDate(2024, 5, 9));
    EXPECT_EQ(h.clients.card().situation, 0);
}

// Cancelled, no dialog changes anything; departure and reservation reach the
// tables.
TEST(ReceptionDialogs, CancelChangesNothingDepartureAndReservationReachTheTables)
{
    Martin h;
    const QStringList rooms = h.lines(Table::Rooms);
    auto cancel = [](QDialog &d) { return click(d, "Annuller"); };
    for (auto run : {runArrival, runDeparture, runReservation, runClosing, runTransfer})
        EXPECT_FALSE(run(nullptr, h.fiche, cancel));
    EXPECT_EQ(h.lines(Table::Rooms), rooms);
    EXPECT_FALSE(h.fiche.set().isDirty());

    EXPECT_TRUE(runReservation(nullptr, h.fiche, [](QDialog &d) {
        EXPECT_EQ(field<QLineEdit>(d, "occupant")->text(), "Martin");
        return click(d, "OK");
    }));
    EXPECT_EQ(h.lines(Table::Rooms), rooms);
    EXPECT_EQ(h.clients.card().room, "102");

    // An old card naming 101 leaves: Durand stays in it.
    h.clients.card().room = "101";
    EXPECT_TRUE(runDeparture(nullptr, h.fiche, [](QDialog &d) {
        EXPECT_EQ(field<QLineEdit>(d, "room")->text(), "101");
        return click(d, "OK");
    }));
    EXPECT_EQ(h.roomLine(0, 8), "Durand");
    EXPECT_EQ(h.clients.card().situation, 3);
}

TEST(ReceptionDialogs, ClosingAndTransferStartFromTheRoomCard)
{
    Martin h;
    auto close = [](QDialog &d) {
        EXPECT_EQ(field<RoomBox>(d, "room")->currentText(), "101");
        field<QDateEdit>(d, "from")->setDate(QDate(2024, 6, 1));
        field<QDateEdit>(d, "until")->setDate(QDate(2024, 6, 3));
        QTest::keyClicks(field<QLineEdit>(d, "reason"), "Peinture");
        return click(d, "OK");
    };
    // Durand is in 101 on those days: the closing asks first.
    const QStringList rooms = h.lines(Table::Rooms);
    EXPECT_FALSE(runClosing(nullptr, h.fiche, close));
    EXPECT_EQ(
        h.ui.shown.last(),
        "La chambre 101 est occupée du 01/05/2024 au 31/12/2099 par Durand. Fermer quand même ?");
    EXPECT_EQ(h.lines(Table::Rooms), rooms);
    h.ui.okCancel = {true};
    EXPECT_TRUE(runClosing(nullptr, h.fiche, close));
    EXPECT_EQ(h.lines(Table::Rooms).mid(15, 3),
              QStringList({"01/06/2024", "03/06/2024", "Peinture"}));

    // The transfer offers the occupied rooms, then the rooms free for the
    // rest of the stay; a room that is not one is refused.
    EXPECT_TRUE(runTransfer(nullptr, h.fiche, [](QDialog &d) {
        auto *source = field<RoomBox>(d, "source");
        EXPECT_EQ(source->currentText(), "101");
        EXPECT_EQ(source->count(), 1);
        auto *target = field<RoomBox>(d, "target");
        EXPECT_EQ(target->currentText(), QString());
        EXPECT_EQ(target->count(), 1); // 102 is booked from the 8th, within the stay
        EXPECT_EQ(target->itemText(0), "103 Twin");
        QTest::keyClicks(target->lineEdit(), "104");
        EXPECT_NE(click(d, "OK"), QDialog::Accepted);
        EXPECT_EQ(field<QLabel>(d, "problem")->text(), "La chambre 104 n'existe pas.");
        target->setEditText("103");
        return click(d, "OK");
    }));
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.roomLine(2, 8), "Durand");
    EXPECT_EQ(h.clientLine(1, 16), "103");
}
