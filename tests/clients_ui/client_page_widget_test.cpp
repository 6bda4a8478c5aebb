// The client page widget: every kind of field reaches the card, reading the
// card back never marks it, and the history entry row fills the grid.
#include "clients/ui/client_page_widget.h"

#include "scripted_ui.h"
#include "widget_lookup.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

// Cards are written with designated initializers; the fields left out keep
// their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

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

TEST_F(ClientPageWidget, RefreshShowsTheCardWithoutMarkingIt)
{
    // clang-format off
    card = {.code = "10042", .npai = true, .name = "Martin", .since = QDate(2023, 12, 31),
            .stays = 123456, .birthDate = "01/02/1970", .family = "Autre", .situation = 1,
            .note = {"a", QString(), "b"}};
    // clang-format on
    card.history[0] = {"01/01/2024", "Nuit", "     60,00"};
    widget->refresh();

    EXPECT_FALSE(page.modified());
    EXPECT_EQ(named<QLineEdit>(w, "Code client")->text(), u"10042");
    EXPECT_TRUE(button<QCheckBox>(w, "NPAI")->isChecked());
    EXPECT_EQ(named<QLineEdit>(w, "Nom Prénom")->text(), u"Martin");
    EXPECT_EQ(named<QDateEdit>(w, "Depuis le")->date(), QDate(2023, 12, 31));
    EXPECT_EQ(named<QSpinBox>(w, "Nb. séjours")->value(), 123456);
    EXPECT_EQ(named<QLineEdit>(w, "Date naiss.")->text(), u"01/02/1970");
    EXPECT_EQ(named<QComboBox>(w, "Sit. familiale")->currentText(), u"Autre");
    EXPECT_TRUE(button<QRadioButton>(w, "Réserve")->isChecked());
    EXPECT_EQ(named<QPlainTextEdit>(w, "Observations")->toPlainText(), u"a\n\nb");
    EXPECT_EQ(cell(w, 0, 1), u"Nuit");

    // Reading the next card: none chosen, and the values it holds unchanged.
    page.LitFiche();
    const ClientCard read = card;
    widget->refresh();
    EXPECT_FALSE(page.modified());
    EXPECT_EQ(card, read);
    for (QAbstractButton *b : widget->findChild<QButtonGroup *>()->buttons())
        EXPECT_FALSE(b->isChecked()) << b->text().toStdString();
    EXPECT_TRUE(cell(w, 0, 0).isEmpty());
}

TEST_F(ClientPageWidget, EntryRowAddsAHistoryRow)
{
    auto *ok = button<QPushButton>(w, "OK");
    widget->findChild<QDateEdit *>("entryDate")->setDate(QDate(2024, 3, 9));
    entry("entryLabel")->insert("Séjour");
    QTest::keyClicks(entry("entryAmount"), "80.5");
    EXPECT_EQ(entry("entryAmount")->text(), u"80,5");
    EXPECT_FALSE(page.modified());
    ok->click();
    EXPECT_TRUE(page.modified());
    EXPECT_EQ(QStringList({cell(w, 0, 0), cell(w, 0, 1), cell(w, 0, 2).trimmed()}),
              QStringList({"09/03/2024", "Séjour", "80,50"}));
    EXPECT_TRUE(entry("entryLabel")->text().isEmpty());
    EXPECT_TRUE(entry("entryAmount")->text().isEmpty());
    EXPECT_TRUE(ui.shown.isEmpty());

    // Not a number: the message, and no row.
    QTest::keyClicks(entry("entryLabel"), "Bar");
    QTest::keyClicks(entry("entryAmount"), "dix");
    ok->click();
    EXPECT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(cell(w, 1, 0).isEmpty());
    EXPECT_EQ(entry("entryLabel")->text(), u"Bar");
}

} // namespace
