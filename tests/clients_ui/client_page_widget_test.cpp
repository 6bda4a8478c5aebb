// The client page widget: every kind of field reaches the card, reading the
// card back never marks it, and the history entry row fills the grid.
#include "clients/ui/client_page_widget.h"

#include <QAbstractItemModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class ScriptedUi : public Ui
{
public:
    QStringList informed;
    void inform(const QString &text) override { informed << text; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    bool askOkCancel(const QString &) override { return false; }
    QString chooseOpenFile() override { return {}; }
    QString chooseSaveFile(const QString &) override { return {}; }
};

class ClientPageWidget : public ::testing::Test
{
protected:
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage page{fiche};
    ClientCard &card = page.card();
    std::unique_ptr<TClientPage> widget;

    void SetUp() override
    {
        page.LitFiche();
        widget = std::make_unique<TClientPage>(page, ui);
    }

    void unmark() { fiche.set().setPageModified(Table::Clients, false); }

    // The field a label names; `nth` tells the two "Adresse" apart.
    template <typename W> W *field(const QString &caption, int nth = 0)
    {
        for (QLabel *label : widget->findChildren<QLabel *>())
            if (label->text() == caption && nth-- == 0)
                return qobject_cast<W *>(label->buddy());
        return nullptr;
    }

    template <typename W> W *byText(const QString &text)
    {
        for (W *w : widget->findChildren<W *>())
            if (w->text() == text)
                return w;
        return nullptr;
    }

    QLineEdit *entry(const char *name) { return widget->findChild<QLineEdit *>(name); }

    QString gridCell(int row, int column)
    {
        QAbstractItemModel *m = widget->findChild<QTableView *>()->model();
        return m->data(m->index(row, column)).toString();
    }
};

TEST_F(ClientPageWidget, EveryKindOfFieldReachesTheCardAndMarksIt)
{
    ASSERT_FALSE(page.modified());

    field<QLineEdit>(u"Nom Prénom"_qs)->insert(u"Durand Zoé"_qs);
    EXPECT_EQ(card.name, u"Durand Zoé");
    EXPECT_TRUE(page.modified());

    unmark();
    QTest::keyClicks(field<QLineEdit>(u"Adresse"_qs, 1), u"Bat. B"_qs);
    EXPECT_EQ(card.address2, u"Bat. B");
    EXPECT_TRUE(card.address1.isEmpty());
    EXPECT_TRUE(page.modified());

    unmark();
    byText<QCheckBox>(u"Marquer"_qs)->click();
    EXPECT_TRUE(card.marked);
    EXPECT_FALSE(card.npai);
    EXPECT_TRUE(page.modified());

    unmark();
    field<QDateEdit>(u"Départ le"_qs)->setDate(QDate(2024, 5, 3));
    EXPECT_EQ(card.leaving, QDate(2024, 5, 3));
    EXPECT_TRUE(page.modified());

    unmark();
    field<QSpinBox>(u"Nb. séjours"_qs)->setValue(-3);
    EXPECT_EQ(card.stays, -3);
    EXPECT_TRUE(page.modified());

    unmark();
    auto *family = field<QComboBox>(u"Sit. familiale"_qs);
    family->setCurrentIndex(1);
    EXPECT_EQ(card.family, u"Couple");
    EXPECT_TRUE(page.modified());
    family->clearEditText();
    QTest::keyClicks(family->lineEdit(), u"Veuf"_qs);
    EXPECT_EQ(card.family, u"Veuf");

    unmark();
    QTest::keyClicks(field<QPlainTextEdit>(u"Observations"_qs), u"ligne 1\rligne 2"_qs);
    EXPECT_EQ(card.note, QStringList({u"ligne 1"_qs, u"ligne 2"_qs}));
    EXPECT_TRUE(page.modified());

    unmark();
    QSignalSpy picker(widget.get(), &TClientPage::roomPickerRequested);
    byText<QToolButton>(u"..."_qs)->click();
    EXPECT_EQ(picker.count(), 1);
    EXPECT_FALSE(page.modified());
}

TEST_F(ClientPageWidget, BirthDateKeepsItsTenCharacters)
{
    auto *birth = field<QLineEdit>(u"Date naiss."_qs);
    EXPECT_EQ(card.birthDate, u"  /  /    ");

    birth->setCursorPosition(0);
    QTest::keyClicks(birth, u"1407"_qs);
    EXPECT_EQ(card.birthDate, u"14/07/    ");
    EXPECT_TRUE(page.modified());
    QTest::keyClicks(birth, u"1962"_qs);
    EXPECT_EQ(card.birthDate, u"14/07/1962");

    birth->selectAll();
    QTest::keyClick(birth, Qt::Key_Delete);
    EXPECT_EQ(card.birthDate, u"  /  /    ");
}

TEST_F(ClientPageWidget, ChoosingASituationUpdatesTheCard)
{
    card.room = u"  12"_qs;
    widget->refresh();

    byText<QRadioButton>(u"Parti"_qs)->click();
    EXPECT_EQ(card.situation, 3);
    EXPECT_TRUE(page.modified());
    // "Parti" frees the room: the page shows it at once.
    EXPECT_TRUE(field<QLineEdit>(u"Chambre"_qs)->text().isEmpty());
}

TEST_F(ClientPageWidget, RefreshShowsTheCardWithoutMarkingIt)
{
    card.code = u"10042"_qs;
    card.npai = true;
    card.name = u"Martin"_qs;
    card.since = QDate(2023, 12, 31);
    card.stays = 123456;
    card.birthDate = u"01/02/1970"_qs;
    card.family = u"Autre"_qs;
    card.situation = 1;
    card.note = {u"a"_qs, QString(), u"b"_qs};
    card.history[0] = {u"01/01/2024"_qs, u"Nuit"_qs, u"     60,00"_qs};
    widget->refresh();

    EXPECT_FALSE(page.modified());
    EXPECT_EQ(field<QLineEdit>(u"Code client"_qs)->text(), u"10042");
    EXPECT_TRUE(byText<QCheckBox>(u"NPAI"_qs)->isChecked());
    EXPECT_EQ(field<QLineEdit>(u"Nom Prénom"_qs)->text(), u"Martin");
    EXPECT_EQ(field<QDateEdit>(u"Depuis le"_qs)->date(), QDate(2023, 12, 31));
    EXPECT_EQ(field<QSpinBox>(u"Nb. séjours"_qs)->value(), 123456);
    EXPECT_EQ(field<QLineEdit>(u"Date naiss."_qs)->text(), u"01/02/1970");
    EXPECT_EQ(field<QComboBox>(u"Sit. familiale"_qs)->currentText(), u"Autre");
    EXPECT_TRUE(byText<QRadioButton>(u"Réserve"_qs)->isChecked());
    EXPECT_EQ(field<QPlainTextEdit>(u"Observations"_qs)->toPlainText(), u"a\n\nb");
    EXPECT_EQ(gridCell(0, 1), u"Nuit");

    // Reading the next card: none chosen, and the values it holds unchanged.
    page.LitFiche();
    const ClientCard read = card;
    widget->refresh();
    EXPECT_FALSE(page.modified());
    EXPECT_EQ(card, read);
    for (QAbstractButton *b : widget->findChild<QButtonGroup *>()->buttons())
        EXPECT_FALSE(b->isChecked()) << b->text().toStdString();
    EXPECT_TRUE(gridCell(0, 0).isEmpty());
}

TEST_F(ClientPageWidget, RefusesWhatAFileCannotHold)
{
    auto *town = field<QLineEdit>(u"Ville"_qs);
    town->insert(u"A€b"_qs);
    town->insert(u"Ω"_qs);
    EXPECT_EQ(card.town, u"A€b");

    auto *note = field<QPlainTextEdit>(u"Observations"_qs);
    note->insertPlainText(u"x\u03A9y\u00A0z"_qs);
    EXPECT_EQ(note->toPlainText(), u"xy z");
    EXPECT_EQ(card.note, QStringList(u"xy\u00A0z"_qs));

    // A TAB would split a history line into cells.
    entry("entryLabel")->insert(u"a\tb"_qs);
    EXPECT_TRUE(entry("entryLabel")->text().isEmpty());
}

TEST_F(ClientPageWidget, EntryRowAddsAHistoryRow)
{
    auto *ok = byText<QPushButton>(u"OK"_qs);
    widget->findChild<QDateEdit *>("entryDate")->setDate(QDate(2024, 3, 9));
    entry("entryLabel")->insert(u"Séjour"_qs);
    QTest::keyClicks(entry("entryAmount"), u"80.5"_qs);
    EXPECT_EQ(entry("entryAmount")->text(), u"80,5");
    EXPECT_FALSE(page.modified());

    ok->click();
    EXPECT_EQ(gridCell(0, 0), u"09/03/2024");
    EXPECT_EQ(gridCell(0, 1), u"Séjour");
    EXPECT_EQ(gridCell(0, 2).trimmed(), u"80,50");
    EXPECT_TRUE(entry("entryLabel")->text().isEmpty());
    EXPECT_TRUE(entry("entryAmount")->text().isEmpty());
    EXPECT_TRUE(page.modified());
    EXPECT_TRUE(ui.informed.isEmpty());

    // Not a number: the message, and no row.
    QTest::keyClicks(entry("entryLabel"), u"Bar"_qs);
    QTest::keyClicks(entry("entryAmount"), u"dix"_qs);
    ok->click();
    EXPECT_EQ(ui.informed.size(), 1);
    EXPECT_TRUE(gridCell(1, 0).isEmpty());
    EXPECT_EQ(entry("entryLabel")->text(), u"Bar");
}

TEST_F(ClientPageWidget, TotalDueIsRightAlignedOnLeavingIt)
{
    auto *due = field<QLineEdit>(u"Total dû"_qs);
    QTest::keyClicks(due, u"12,5"_qs);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(due, &out);

    EXPECT_TRUE(due->text().startsWith(u' '));
    EXPECT_EQ(due->text().trimmed(), u"12,5");
    EXPECT_EQ(card.due, due->text());
}

} // namespace
