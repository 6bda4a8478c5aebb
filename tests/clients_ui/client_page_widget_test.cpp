// The client page widget: every kind of field reaches the card and marks it.
#include "clients/ui/client_page_widget.h"

#include "scripted_ui.h"
#include "widget_lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class ClientPageWidget : public ::testing::Test
{
protected:
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage page{fiche};
    ClientCard &card = page.card();
    std::unique_ptr<TClientPage> widget;
    QWidget *w = nullptr;

    void SetUp() override
    {
        page.LitFiche();
        widget = std::make_unique<TClientPage>(page, ui);
        w = widget.get();
    }

    // Whether `edit`, made on a card not marked, marks it.
    template <typename F> bool marks(F edit)
    {
        fiche.set().setPageModified(Table::Clients, false);
        edit();
        return page.modified();
    }

    QLineEdit *entry(const char *name) { return widget->findChild<QLineEdit *>(name); }
};

TEST_F(ClientPageWidget, EveryKindOfFieldReachesTheCardAndMarksIt)
{
    EXPECT_TRUE(marks([&] { named<QLineEdit>(w, "Nom Prénom")->insert("Durand Zoé"); }));
    EXPECT_EQ(card.name, u"Durand Zoé");
    EXPECT_TRUE(marks([&] { QTest::keyClicks(named<QLineEdit>(w, "Adresse", 1), "Bat. B"); }));
    EXPECT_EQ(card.address2, u"Bat. B");
    EXPECT_TRUE(card.address1.isEmpty());
    EXPECT_TRUE(marks([&] { button<QCheckBox>(w, "Marquer")->click(); }));
    EXPECT_TRUE(card.marked);
    EXPECT_FALSE(card.npai);
    EXPECT_TRUE(marks([&] { named<QDateEdit>(w, "Départ le")->setDate(QDate(2024, 5, 3)); }));
    EXPECT_EQ(card.leaving, QDate(2024, 5, 3));
    EXPECT_TRUE(marks([&] { named<QSpinBox>(w, "Nb. séjours")->setValue(-3); }));
    EXPECT_EQ(card.stays, -3);
    auto *family = named<QComboBox>(w, "Sit. familiale");
    EXPECT_TRUE(marks([&] { family->setCurrentIndex(1); }));
    EXPECT_EQ(card.family, u"Couple");
    family->clearEditText();
    QTest::keyClicks(family->lineEdit(), "Veuf");
    EXPECT_EQ(card.family, u"Veuf");
    auto *note = named<QPlainTextEdit>(w, "Observations");
    EXPECT_TRUE(marks([&] { QTest::keyClicks(note, "ligne 1\rligne 2"); }));
    EXPECT_EQ(card.note, QStringList({"ligne 1", "ligne 2"}));

    // "Parti" asks first, then frees the room: the page shows it at once.
    card.room = "  12";
    widget->refresh();
    EXPECT_FALSE(marks([&] { button<QRadioButton>(w, "Parti")->click(); }));
    EXPECT_EQ(card.situation, -1);
    EXPECT_TRUE(ui.shown.last().startsWith("Départ de "));
    ui.okCancel = {true};
    EXPECT_TRUE(marks([&] { button<QRadioButton>(w, "Parti")->click(); }));
    EXPECT_EQ(card.situation, 3);
    EXPECT_TRUE(named<QLineEdit>(w, "Chambre")->text().isEmpty());

    // "Total dû" is right-aligned on leaving it.
    auto *due = named<QLineEdit>(w, "Total dû");
    QTest::keyClicks(due, "12,5");
    leave(due);
    EXPECT_TRUE(due->text().startsWith(u' '));
    EXPECT_EQ(due->text().trimmed(), u"12,5");
    EXPECT_EQ(card.due, due->text());

    // The room picker is only asked for.
    QSignalSpy picker(widget.get(), &TClientPage::roomPickerRequested);
    EXPECT_FALSE(marks([&] { button<QToolButton>(w, "...")->click(); }));
    EXPECT_EQ(picker.count(), 1);

    // The birth date keeps its ten characters.
    auto *birth = named<QLineEdit>(w, "Date naiss.");
    EXPECT_EQ(card.birthDate, u"  /  /    ");
    birth->setCursorPosition(0);
    EXPECT_TRUE(marks([&] { QTest::keyClicks(birth, "1407"); }));
    EXPECT_EQ(card.birthDate, u"14/07/    ");
    QTest::keyClicks(birth, "1962");
    EXPECT_EQ(card.birthDate, u"14/07/1962");
    birth->selectAll();
    QTest::keyClick(birth, Qt::Key_Delete);
    EXPECT_EQ(card.birthDate, u"  /  /    ");

    // What a file cannot hold is refused (the fields' own rule); the euro is
    // a Windows-1252 character, and a TAB would split a history line.
    auto *town = named<QLineEdit>(w, "Ville");
    town->insert("A€b");
    town->insert("Ω");
    EXPECT_EQ(card.town, u"A€b");
    entry("entryLabel")->insert("a\tb");
    EXPECT_TRUE(entry("entryLabel")->text().isEmpty());
}

} // namespace
