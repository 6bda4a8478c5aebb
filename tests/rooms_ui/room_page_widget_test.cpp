// The room page and the room dialogs: edits reach the card, refreshing never
// marks it, and each dialog's Result gives what its controls hold.
#include "rooms/ui/room_dialogs.h"
#include "rooms/ui/room_list_dialog.h"
#include "rooms/ui/room_page_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class NoUi : public Ui
{
public:
    void inform(const QString &) override {}
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    bool askOkCancel(const QString &) override { return false; }
    QString chooseOpenFile() override { return {}; }
    QString chooseSaveFile(const QString &) override { return {}; }
};

template <typename W> W *named(QWidget *parent, const QString &text)
{
    for (QLabel *label : parent->findChildren<QLabel *>())
        if (label->text() == text)
            return qobject_cast<W *>(label->buddy());
    for (W *w : parent->findChildren<W *>())
        if (w->accessibleName() == text || w->objectName() == text)
            return w;
    return nullptr;
}

template <typename B> B *button(QWidget *parent, const QString &text)
{
    for (B *b : parent->findChildren<B *>())
        if (b->text() == text || b->toolTip() == text)
            return b;
    return nullptr;
}

class RoomPageWidget : public ::testing::Test
{
protected:
    NoUi ui;
    Fiche fiche{ui};
    RoomPage page{fiche};
    RoomCard &card = page.card();
    std::unique_ptr<TRoomPage> widget;

    void SetUp() override
    {
        fiche.lists().categories = {"Double", "Suite"};
        page.LitChambre();
        widget = std::make_unique<TRoomPage>(page, fiche, ui);
    }
    void unmark() { fiche.set().setPageModified(Table::Rooms, false); }
    QString lit()
    {
        QString out;
        for (QToolButton *b :
             widget->findChild<QWidget *>("indicators")->findChildren<QToolButton *>())
            out += b->isEnabled() ? '1' : '0';
        return out;
    }
};

TEST_F(RoomPageWidget, EveryKindOfFieldReachesTheCardAndMarksIt)
{
    auto *number = named<QLineEdit>(widget.get(), "Numéro");
    QTest::keyClicks(number, "101");
    EXPECT_EQ(card.number, "101");
    EXPECT_TRUE(page.modified());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(number, &out);
    EXPECT_EQ(number->text(), "  101");
    EXPECT_EQ(card.number, "  101");

    unmark();
    QTest::keyClicks(named<QComboBox>(widget.get(), "Catégorie")->lineEdit(), "Suite");
    EXPECT_EQ(card.category, "Suite");
    EXPECT_TRUE(page.modified());

    unmark();
    named<QSpinBox>(widget.get(), "Nombre lits")->setValue(2);
    EXPECT_EQ(card.beds, 2);
    EXPECT_TRUE(page.modified());
    button<QCheckBox>(widget.get(), "WC")->click();
    EXPECT_TRUE(card.comfort[1]);
    EXPECT_EQ(lit(), "010000110");

    unmark();
    QTest::keyClicks(named<QLineEdit>(widget.get(), "Occupant"), "DUPONT");
    EXPECT_EQ(card.occupant, "DUPONT");
    EXPECT_TRUE(page.modified());

    unmark();
    auto *from = named<QLineEdit>(widget.get(), "Du");
    from->setCursorPosition(0);
    QTest::keyClicks(from, "0103");
    EXPECT_EQ(card.closedFrom, "01/03/    ");
    EXPECT_TRUE(page.modified());
    QTest::keyClicks(named<QLineEdit>(widget.get(), "Motif"), "Fuite");
    button<QToolButton>(widget.get(), "Libérer chambre")->click();
    EXPECT_EQ(card.closedFrom, RoomCard::kNoDate);
    EXPECT_TRUE(card.closedReason.isEmpty());
    EXPECT_TRUE(named<QLineEdit>(widget.get(), "Motif")->text().isEmpty());

    unmark();
    QTest::keyClicks(named<QPlainTextEdit>(widget.get(), "Observations"), "a\rb");
    EXPECT_EQ(card.note, QStringList({"a", "b"}));
    EXPECT_TRUE(page.modified());
}

TEST_F(RoomPageWidget, RefreshShowsTheCardWithoutMarkingIt)
{
    card.number = "   12";
    card.category = "Autre";
    card.beds = 3;
    card.floor = -1;
    card.comfort = {true, false, false, false, false, true};
    card.closedUntil = "31/12/2026";
    card.note = {"x", "y"};
    card.history[0] = {"01/01/2026", "02/01/2026", "Peinture"};
    emit fiche.cardChanged(PageId::Rooms);

    EXPECT_FALSE(page.modified());
    EXPECT_EQ(named<QLineEdit>(widget.get(), "Numéro")->text(), "   12");
    EXPECT_EQ(named<QComboBox>(widget.get(), "Catégorie")->currentText(), "Autre");
    EXPECT_EQ(named<QSpinBox>(widget.get(), "Etage")->value(), -1);
    EXPECT_EQ(named<QLineEdit>(widget.get(), "Au")->displayText(), "31/12/2026");
    EXPECT_EQ(named<QPlainTextEdit>(widget.get(), "Observations")->toPlainText(), "x\ny");
    EXPECT_EQ(lit(), "100001111");
    QAbstractItemModel *grid = widget->findChild<QTableView *>()->model();
    EXPECT_EQ(grid->data(grid->index(0, 2)).toString(), "Peinture");

    page.LitChambre(); // an empty card: everything greyed, nothing marked
    widget->refresh();
    EXPECT_FALSE(page.modified());
    EXPECT_EQ(card, RoomCard());
    EXPECT_EQ(lit(), "000000000");
    EXPECT_TRUE(grid->data(grid->index(0, 2)).toString().isEmpty());
}

TEST_F(RoomPageWidget, EntryRowAddsAHistoryRowOnlyWithBothDates)
{
    auto *from = widget->findChild<QLineEdit *>("entryFrom");
    auto *add = button<QToolButton>(widget.get(), "...");
    from->setCursorPosition(0);
    QTest::keyClicks(from, "01012026");
    QTest::keyClicks(widget->findChild<QLineEdit *>("entryDescription"), "Peinture");
    add->click();
    EXPECT_TRUE(card.history[0].isEmpty()); // no end date
    EXPECT_FALSE(page.modified());

    auto *until = widget->findChild<QLineEdit *>("entryUntil");
    until->setCursorPosition(0);
    QTest::keyClicks(until, "3");
    add->click();
    EXPECT_EQ(card.history[0], (RoomHistoryRow{"01/01/2026", "3 /  /    ", "Peinture"}));
    EXPECT_EQ(from->displayText(), "__/__/____");
    EXPECT_TRUE(page.modified());
}

TEST(RoomDialogs, ResultsGiveWhatTheControlsHold)
{
    TChambre category;
    category.Init({"Double", "Suite"}, "Suite");
    category.findChild<QComboBox *>()->setEditText("dou é");
    button<QPushButton>(&category, "OK")->click();
    EXPECT_EQ(category.Result(), std::optional<QString>("DOU é"));
    button<QPushButton>(&category, "Annuler")->click();
    EXPECT_EQ(category.Result(), std::nullopt);

    TRChb number;
    number.show(); // Enter clicks the default button of a dialog shown
    number.Init();
    QTest::keyClicks(number.findChild<QLineEdit *>(), "1a0 1.");
    EXPECT_TRUE(number.Result().isEmpty()); // not confirmed yet
    QTest::keyClick(number.findChild<QLineEdit *>(), Qt::Key_Return);
    EXPECT_EQ(number.Result(), "10 1.");

    TTri3 sort;
    button<QPushButton>(&sort, "OK")->click();
    EXPECT_EQ(sort.Result(), 0);
    button<QRadioButton>(&sort, "Occupant")->click();
    button<QPushButton>(&sort, "OK")->click();
    EXPECT_EQ(sort.Result(), 1);
    button<QPushButton>(&sort, "Anuler")->click();
    EXPECT_EQ(sort.Result(), -1);

    TListeCh picker;
    picker.Init({"  101\tDouble", "   12\tSuite"});
    auto *list = picker.findChild<QListWidget *>();
    EXPECT_EQ(list->item(0)->text(), "101 Double");
    button<QPushButton>(&picker, "OK")->click();
    EXPECT_TRUE(picker.Result().isEmpty()); // none chosen
    list->setCurrentRow(1);
    button<QPushButton>(&picker, "OK")->click();
    EXPECT_EQ(picker.Result(), "12");

    TFListe3 rooms;
    RoomListRow a, b;
    a.block = 4;
    b.block = 2;
    rooms.Init({a, b});
    auto *view = rooms.findChild<QTableView *>();
    view->setCurrentIndex(view->model()->index(1, 2));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(rooms.Result(), 2);
    button<QPushButton>(&rooms, "Fermer")->click();
    EXPECT_EQ(rooms.Result(), -1);
}

} // namespace
