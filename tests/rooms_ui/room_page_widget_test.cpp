// The room page: every kind of field reaches the card and marks it.
#include "rooms/ui/room_page_widget.h"

#include "scripted_ui.h"
#include "widget_lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class RoomPageWidget : public ::testing::Test
{
protected:
    ScriptedUi ui;
    Fiche fiche{ui};
    RoomPage page{fiche};
    RoomCard &card = page.card();
    std::unique_ptr<TRoomPage> widget;
    QWidget *w = nullptr;

    void SetUp() override
    {
        fiche.lists().categories = {"Double", "Suite"};
        page.LitChambre();
        widget = std::make_unique<TRoomPage>(page, fiche, ui);
        w = widget.get();
    }
    // Whether `edit`, made on a card not marked, marks it.
    template <typename F> bool marks(F edit)
    {
        fiche.set().setPageModified(Table::Rooms, false);
        edit();
        return page.modified();
    }
};

TEST_F(RoomPageWidget, EveryKindOfFieldReachesTheCardAndMarksIt)
{
    auto *number = named<QLineEdit>(w, "Numéro");
    EXPECT_TRUE(marks([&] { QTest::keyClicks(number, "101"); }));
    EXPECT_EQ(card.number, "101");
    leave(number);
    EXPECT_EQ(number->text(), "  101");
    EXPECT_EQ(card.number, "  101");

    EXPECT_TRUE(
        marks([&] { QTest::keyClicks(named<QComboBox>(w, "Catégorie")->lineEdit(), "Suite"); }));
    EXPECT_EQ(card.category, "Suite");
    EXPECT_TRUE(marks([&] { named<QSpinBox>(w, "Nombre lits")->setValue(2); }));
    EXPECT_EQ(card.beds, 2);
    button<QCheckBox>(w, "WC")->click();
    EXPECT_TRUE(card.comfort[1]);
    EXPECT_TRUE(marks([&] { QTest::keyClicks(named<QLineEdit>(w, "Occupant"), "DUPONT"); }));
    EXPECT_EQ(card.occupant, "DUPONT");

    auto *from = named<QLineEdit>(w, "Du");
    from->setCursorPosition(0);
    EXPECT_TRUE(marks([&] { QTest::keyClicks(from, "0103"); }));
    EXPECT_EQ(card.closedFrom, "01/03/    ");
    QTest::keyClicks(named<QLineEdit>(w, "Motif"), "Fuite");
    button<QToolButton>(w, "Libérer chambre")->click();
    EXPECT_EQ(card.closedFrom, RoomCard::kNoDate);
    EXPECT_TRUE(card.closedReason.isEmpty());
    EXPECT_TRUE(named<QLineEdit>(w, "Motif")->text().isEmpty());

    EXPECT_TRUE(marks([&] { QTest::keyClicks(named<QPlainTextEdit>(w, "Observations"), "a\rb"); }));
    EXPECT_EQ(card.note, QStringList({"a", "b"}));

    // The entry row adds a history row only with both dates.
    auto *entryFrom = widget->findChild<QLineEdit *>("entryFrom");
    auto *add = button<QToolButton>(w, "...");
    entryFrom->setCursorPosition(0);
    QTest::keyClicks(entryFrom, "01012026");
    QTest::keyClicks(widget->findChild<QLineEdit *>("entryDescription"), "Peinture");
    EXPECT_FALSE(marks([&] { add->click(); })); // no end date
    EXPECT_TRUE(card.history[0].isEmpty());
    auto *until = widget->findChild<QLineEdit *>("entryUntil");
    until->setCursorPosition(0);
    QTest::keyClicks(until, "3");
    EXPECT_TRUE(marks([&] { add->click(); }));
    EXPECT_EQ(card.history[0], (RoomHistoryRow{"01/01/2026", "3 /  /    ", "Peinture"}));
    EXPECT_EQ(entryFrom->displayText(), "__/__/____");
}

} // namespace
