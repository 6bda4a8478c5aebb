// The day at a glance as a window: its lists and counts, the keys that move
// the day, and a guest chosen in it.

#include "rooms/hotel_fixture.h"
#include "rooms/ui/journee_window.h"

#include <QGroupBox>
#include <QTableWidget>
#include <QTest>

TEST(JourneeWindow, ListsTheDayMovesByDayAndOpensTheGuestChosen)
{
    Hotel h(client(0, "ARRIVE", "101", "1", "06/12/2026", "08/12/2026")
                + client(1, "PART", "102", "0", "03/12/2026", "06/12/2026")
                + client(2, "RETARD", "103", "0", "01/12/2026", "04/12/2026"),
            room(0, "  101", "Double") + room(1, "  102", "Simple") + room(2, "  103", "Suite"));
    TJournee w(h.fiche.set());
    QList<std::pair<int, TJournee::Action>> opened;
    w.Init(
        QDate(2026, 12, 6), [&](int block, TJournee::Action a) { opened << std::pair(block, a); },
        [](const journee::Day &) {});
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    QStringList titles;
    for (QGroupBox *box : w.findChildren<QGroupBox *>())
        titles << box->title();
    // The guest who should have left is counted with the departures.
    EXPECT_EQ(titles, QStringList({"Arrivées (1)", "Départs (2)", "Présents (2)", "Chambres libres ce soir (1)",
                                   "Non arrivés (0)"}));
    EXPECT_EQ(w.list(1)->item(1, 4)->text(), "en retard");
    EXPECT_EQ(w.list(0)->item(0, 0)->text(), "ARRIVE");
    EXPECT_EQ(w.list(0)->item(0, 4)->text(), "Réserve");
    EXPECT_EQ(w.list(3)->item(0, 0)->text(), "102");

    // Page Down from a list: the next day, where Arrive is in the house.
    w.list(0)->setFocus();
    QTest::keyClick(w.list(0), Qt::Key_PageDown);
    EXPECT_EQ(w.day(), QDate(2026, 12, 7));
    EXPECT_EQ(w.list(0)->rowCount(), 0);
    QTest::keyClick(w.list(0), Qt::Key_PageUp);
    EXPECT_EQ(w.day(), QDate(2026, 12, 6));

    // An expected guest is offered the arrival, a guest leaving the departure.
    w.list(0)->setCurrentCell(0, 0);
    QTest::keyClick(w.list(0), Qt::Key_Return);
    w.list(1)->setCurrentCell(0, 0);
    QTest::keyClick(w.list(1), Qt::Key_Return);
    w.list(1)->setCurrentCell(1, 0);
    QTest::keyClick(w.list(1), Qt::Key_Return);
    EXPECT_EQ(opened, (QList<std::pair<int, TJournee::Action>>{{0, TJournee::Action::Arrival},
                                                                {1, TJournee::Action::Departure},
                                                                {2, TJournee::Action::Departure}}));
    EXPECT_TRUE(w.isVisible());
    // A guest in the house: the card, and the window closes.
    w.list(2)->setCurrentCell(0, 0);
    QTest::keyClick(w.list(2), Qt::Key_Return);
    EXPECT_EQ(opened.last(), std::pair(1, TJournee::Action::ShowCard));
    EXPECT_FALSE(w.isVisible());
}
