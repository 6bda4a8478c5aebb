// The reception dialogs: what they show from the cards, and that what is
// chosen in them reaches the tables. No dialog is run modally.

#include "rooms/hotel_fixture.h"
#include "rooms/ui/arrive_dialog.h"
#include "rooms/ui/depart_dialog.h"
#include "rooms/ui/fermer_dialog.h"
#include "rooms/ui/reception_commands.h"
#include "rooms/ui/reserv_dialog.h"
#include "rooms/ui/transfert_dialog.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Martin (reserved, 03/05 to 05/05/2024) is shown on the client card; room
// 101 is occupied by Durand, 102 is free, and the room card shows 101.
struct Martin : Hotel
{
    Martin()
        : Hotel(client(0, "Martin", {}, "1", "03/05/2024", "05/05/2024"),
                room(0, "  101", "Double", "Durand") + room(1, "  102", "Simple"))
    {}
};

int click(QDialog &dialog, const QString &text)
{
    int clicked = 0;
    for (QPushButton *b : dialog.findChildren<QPushButton *>())
        if (b->text() == text && ++clicked)
            QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(clicked, 1) << text.toStdString();
    return dialog.result();
}

template <typename W> W *field(QDialog &dialog, const char *name)
{
    W *w = dialog.findChild<W *>(QLatin1String(name));
    EXPECT_TRUE(w) << name;
    return w;
}

} // namespace

TEST(ReceptionDialogs, RoomDropDownsListFreeRoomsAndKeepTheNumberChosen)
{
    RoomBox box;
    box.setRooms({"  101\tDouble", "  102\t"}, "7");
    EXPECT_EQ(box.itemText(0), "101 Double");
    EXPECT_EQ(box.itemText(1), "102");
    EXPECT_EQ(box.currentText(), "7");
    box.setCurrentIndex(0);
    EXPECT_EQ(box.currentText(), "101");
    box.lineEdit()->clear();
    box.lineEdit()->insert("12 Suite"); // as a paste
    EXPECT_EQ(box.currentText(), "12");
}

TEST(ReceptionDialogs, ArrivalShowsTheCardAndItsChoiceReachesTheTables)
{
    Martin h;
    EXPECT_TRUE(runArrival(nullptr, h.fiche, [&](QDialog &d) {
        EXPECT_EQ(field<QLineEdit>(d, "client")->text(), "Martin");
        EXPECT_TRUE(field<QLineEdit>(d, "occupant")->isReadOnly());
        EXPECT_EQ(field<QDateEdit>(d, "since")->date(), QDate(2024, 5, 3));
        auto *room = field<RoomBox>(d, "room");
        EXPECT_EQ(room->currentText(), "101"); // the first free room
        room->setCurrentIndex(room->findText("102 Simple"));
        field<QDateEdit>(d, "leaving")->setDate(QDate(2024, 5, 9));
        return click(d, "OK");
    }));
    EXPECT_EQ(h.roomLine(1, 8), "Martin");
    EXPECT_EQ(h.clients.card().room, "102");
    EXPECT_EQ(h.clients.card().leaving, QDate(2024, 5, 9));
    EXPECT_EQ(h.clients.card().situation, 0);
}

TEST(ReceptionDialogs, CancelChangesNothing)
{
    Martin h;
    const QStringList rooms = h.lines(Table::Rooms);
    auto cancel = [](QDialog &d) { return click(d, "Annuller"); };
    for (auto run : {runArrival, runDeparture, runReservation, runClosing, runTransfer})
        EXPECT_FALSE(run(nullptr, h.fiche, cancel));
    EXPECT_EQ(h.lines(Table::Rooms), rooms);
    EXPECT_FALSE(h.fiche.set().isDirty());
}

TEST(ReceptionDialogs, DepartureAndReservationReachTheTables)
{
    Martin h;
    EXPECT_TRUE(runReservation(nullptr, h.fiche, [](QDialog &d) {
        EXPECT_EQ(field<QLineEdit>(d, "occupant")->text(), "Martin");
        return click(d, "OK");
    }));
    EXPECT_EQ(h.roomLine(0, 17), "Martin");
    EXPECT_EQ(h.roomLine(0, 8), "Durand");

    h.clients.card().room = "101";
    EXPECT_TRUE(runDeparture(nullptr, h.fiche, [](QDialog &d) {
        EXPECT_EQ(field<QLineEdit>(d, "room")->text(), "101");
        return click(d, "OK");
    }));
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.clients.card().situation, 3);
}

TEST(ReceptionDialogs, ClosingAndTransferStartFromTheRoomCard)
{
    Martin h;
    EXPECT_TRUE(runClosing(nullptr, h.fiche, [](QDialog &d) {
        d.show();
        EXPECT_EQ(d.focusWidget(), field<QLineEdit>(d, "reason"));
        EXPECT_EQ(field<RoomBox>(d, "room")->currentText(), "101");
        EXPECT_EQ(field<QDateEdit>(d, "until")->date(), QDate::currentDate());
        field<QDateEdit>(d, "from")->setDate(QDate(2024, 6, 1));
        field<QDateEdit>(d, "until")->setDate(QDate(2024, 6, 3));
        QTest::keyClicks(field<QLineEdit>(d, "reason"), "Peinture");
        return click(d, "OK");
    }));
    EXPECT_EQ(h.lines(Table::Rooms).mid(15, 3),
              QStringList({"01/06/2024", "03/06/2024", "Peinture"}));

    EXPECT_TRUE(runTransfer(nullptr, h.fiche, [](QDialog &d) {
        EXPECT_EQ(field<RoomBox>(d, "source")->currentText(), "101");
        auto *target = field<RoomBox>(d, "target");
        EXPECT_EQ(target->currentText(), QString());
        QTest::keyClicks(target->lineEdit(), "102");
        return click(d, "OK");
    }));
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.roomLine(1, 8), "Durand");
}
