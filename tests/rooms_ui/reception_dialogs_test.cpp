// The reception dialogs: what they show from the cards, and that what is
// chosen in them reaches the tables. No dialog is run modally.

#include "clients/client_page.h"
#include "rooms/room_page.h"
#include "rooms/ui/arrive_dialog.h"
#include "rooms/ui/depart_dialog.h"
#include "rooms/ui/fermer_dialog.h"
#include "rooms/ui/reception_commands.h"
#include "rooms/ui/reserv_dialog.h"
#include "rooms/ui/transfert_dialog.h"

#include "scripted_ui.h"
#include "store/table_helpers.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Martin (reserved, 03/05 to 05/05/2024) is shown on the client card; room
// 101 is occupied by Durand, 102 is free, and the room card shows 101.
struct Hotel
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    RoomPage rooms{fiche};

    Hotel()
    {
        fiche.setPage(PageId::Clients, &clients);
        fiche.setPage(PageId::Rooms, &rooms);
        reception::installSituationHook(fiche);
        QStringList client(25);
        client[0] = u"<BLOC00000>"_s;
        client[4] = u"Martin"_s;
        client[15] = u"03/05/2024"_s;
        client[17] = u"05/05/2024"_s;
        client[24] = u"1"_s;
        fiche.set().table(Table::Clients) = tableOf(client << u"</BLOC00000>"_s);
        fiche.set().table(Table::Rooms) = tableOf(room(0, u"  101"_s, u"Double"_s, u"Durand"_s) +
                                                  room(1, u"  102"_s, u"Simple"_s, {}));
        fiche.set().setCount(Table::Clients, 1);
        fiche.set().setCount(Table::Rooms, 2);
        clients.read();
        rooms.read();
    }
    static QStringList room(int n, const QString &number, const QString &designation,
                            const QString &occupant)
    {
        QStringList l(18);
        l[0] = u"<BLOC%1>"_s.arg(n, 5, 10, QLatin1Char('0'));
        l[1] = number;
        l[3] = designation;
        l[8] = occupant;
        l[15] = l[16] = u"  /  /    "_s;
        return l << u"</BLOC%1>"_s.arg(n, 5, 10, QLatin1Char('0'));
    }
    QString roomLine(int block, int offset)
    {
        const RecordTable &t = fiche.set().table(Table::Rooms);
        return t.text(t.blockStart(block) + offset);
    }
};

QPushButton *button(QDialog &dialog, const QString &text)
{
    for (QPushButton *b : dialog.findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

int click(QDialog &dialog, const QString &text)
{
    QPushButton *b = button(dialog, text);
    EXPECT_TRUE(b) << text.toStdString();
    if (b)
        QTest::mouseClick(b, Qt::LeftButton);
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
    box.setRooms({u"  101\tDouble"_s, u"  102\t"_s}, u"7"_s);
    EXPECT_EQ(box.itemText(0), u"101 Double"_s);
    EXPECT_EQ(box.itemText(1), u"102"_s);
    EXPECT_EQ(box.currentText(), u"7"_s);
    box.setCurrentIndex(0);
    EXPECT_EQ(box.currentText(), u"101"_s);
    box.lineEdit()->clear();
    box.lineEdit()->insert(u"12 Suite"_s); // as a paste
    EXPECT_EQ(box.currentText(), u"12"_s);
}

TEST(ReceptionDialogs, ArrivalShowsTheCardAndItsChoiceReachesTheTables)
{
    Hotel h;
    bool shown = false;
    EXPECT_TRUE(runArrival(nullptr, h.fiche, [&](QDialog &d) {
        shown = true;
        EXPECT_EQ(d.windowTitle(), u"Arrivée du client"_s);
        EXPECT_EQ(field<QLineEdit>(d, "client")->text(), u"Martin"_s);
        EXPECT_TRUE(field<QLineEdit>(d, "occupant")->isReadOnly());
        EXPECT_EQ(field<QDateEdit>(d, "since")->date(), QDate(2024, 5, 3));
        auto *room = field<RoomBox>(d, "room");
        EXPECT_EQ(room->currentText(), u"101"_s); // the first free room
        room->setCurrentIndex(room->findText(u"102 Simple"_s));
        field<QDateEdit>(d, "leaving")->setDate(QDate(2024, 5, 9));
        return click(d, u"OK"_s);
    }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(h.roomLine(1, 8), u"Martin"_s);
    EXPECT_EQ(h.clients.card().room, u"102"_s);
    EXPECT_EQ(h.clients.card().leaving, QDate(2024, 5, 9));
    EXPECT_EQ(h.clients.card().situation, 0);
}

TEST(ReceptionDialogs, CancelChangesNothing)
{
    Hotel h;
    const QStringList rooms = linesOf(h.fiche.set().table(Table::Rooms));
    auto cancel = [](QDialog &d) { return click(d, u"Annuller"_s); };
    EXPECT_FALSE(runArrival(nullptr, h.fiche, cancel));
    EXPECT_FALSE(runDeparture(nullptr, h.fiche, cancel));
    EXPECT_FALSE(runReservation(nullptr, h.fiche, cancel));
    EXPECT_FALSE(runClosing(nullptr, h.fiche, cancel));
    EXPECT_FALSE(runTransfer(nullptr, h.fiche, cancel));
    EXPECT_EQ(linesOf(h.fiche.set().table(Table::Rooms)), rooms);
    EXPECT_FALSE(h.fiche.set().isDirty());
}

TEST(ReceptionDialogs, DepartureAndReservationReachTheTables)
{
    Hotel h;
    EXPECT_TRUE(runReservation(nullptr, h.fiche, [](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), u"Réservation de chambre"_s);
        EXPECT_EQ(field<QLineEdit>(d, "occupant")->text(), u"Martin"_s);
        return click(d, u"OK"_s);
    }));
    EXPECT_EQ(h.roomLine(0, 17), u"Martin"_s);
    EXPECT_EQ(h.roomLine(0, 8), u"Durand"_s);

    h.clients.card().room = u"101"_s;
    EXPECT_TRUE(runDeparture(nullptr, h.fiche, [](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), u"Départ du client"_s);
        EXPECT_EQ(field<QLineEdit>(d, "room")->text(), u"101"_s);
        return click(d, u"OK"_s);
    }));
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.clients.card().situation, 3);
}

TEST(ReceptionDialogs, ClosingAndTransferStartFromTheRoomCard)
{
    Hotel h;
    EXPECT_TRUE(runClosing(nullptr, h.fiche, [](QDialog &d) {
        d.show();
        EXPECT_EQ(d.focusWidget(), field<QLineEdit>(d, "reason"));
        EXPECT_EQ(field<RoomBox>(d, "room")->currentText(), u"101"_s);
        EXPECT_EQ(field<QDateEdit>(d, "until")->date(), QDate::currentDate());
        field<QDateEdit>(d, "from")->setDate(QDate(2024, 6, 1));
        field<QDateEdit>(d, "until")->setDate(QDate(2024, 6, 3));
        QTest::keyClicks(field<QLineEdit>(d, "reason"), u"Peinture"_s);
        return click(d, u"OK"_s);
    }));
    EXPECT_EQ(h.roomLine(0, 15), u"01/06/2024"_s);
    EXPECT_EQ(h.roomLine(0, 16), u"03/06/2024"_s);
    EXPECT_EQ(h.roomLine(0, 17), u"Peinture"_s);

    EXPECT_TRUE(runTransfer(nullptr, h.fiche, [](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), u"Fermer une chambre"_s);
        EXPECT_EQ(field<RoomBox>(d, "source")->currentText(), u"101"_s);
        auto *target = field<RoomBox>(d, "target");
        EXPECT_EQ(target->currentText(), QString());
        QTest::keyClicks(target->lineEdit(), u"102"_s);
        return click(d, u"OK"_s);
    }));
    EXPECT_EQ(h.roomLine(0, 8), QString());
    EXPECT_EQ(h.roomLine(1, 8), u"Durand"_s);
}
