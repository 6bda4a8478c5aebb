// The pieces every card page builds on, over a card of their own: bound
// fields mark the card only when the card changes.
#include "cards/ui/card_fields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Card
{
    QString name, due, arrival = QStringLiteral("  /  /    ");
    bool marked = false;
    int beds = 0;
    QString kind;
    QStringList note;
};

class Fields : public ::testing::Test
{
protected:
    Card card;
    QString entry; // an entry row's value: the page's, not the card's
    int touches = 0;
    QWidget page;
    CardFields *fields = new CardFields(&page, [this] { ++touches; });
    QLineEdit *name = fields->text(card.name);
    QLineEdit *due = fields->amount(card.due);
    QLineEdit *arrival = fields->maskedDate(card.arrival, QStringLiteral("00/00/0000"));
    QCheckBox *marked = fields->check(QStringLiteral("Marquer"), card.marked);
    QSpinBox *beds = fields->number(card.beds);
    QComboBox *kind =
        fields->combo(card.kind, {QStringLiteral("Simple"), QStringLiteral("Double")});
    QPlainTextEdit *note = fields->note(card.note);
    QLineEdit *entryField = fields->text(entry, CardFields::MarksNothing);

    Fields()
    {
        for (QWidget *w :
             QList<QWidget *>{name, due, arrival, marked, beds, kind, note, entryField})
            w->setParent(&page);
    }
};

TEST_F(Fields, EditsReachTheirValueOnlyCardValuesMarkItAndShowPutsThemBack)
{
    name->insert("Zoé");
    QTest::keyClicks(due, "12.5");
    arrival->setCursorPosition(0);
    QTest::keyClicks(arrival, "0103");
    marked->click();
    beds->setValue(-2);
    kind->setCurrentIndex(1);
    QTest::keyClicks(note, "a\rb");
    EXPECT_EQ(card.name, u"Zoé");
    EXPECT_EQ(card.due, u"12,5");
    EXPECT_EQ(card.arrival, u"01/03/    ");
    EXPECT_TRUE(card.marked);
    EXPECT_EQ(card.beds, -2);
    EXPECT_EQ(card.kind, u"Double");
    EXPECT_EQ(card.note, QStringList({"a", "b"}));
    EXPECT_GT(touches, 0);

    touches = 0;
    entryField->insert("Séjour");
    EXPECT_EQ(entry, u"Séjour");
    EXPECT_EQ(touches, 0);

    // What a file cannot hold is refused.
    name->insert("A\tB");
    name->insert("Ω");
    EXPECT_EQ(card.name, u"Zoé");
    note->insertPlainText("x\u03A9y\u00A0z");
    EXPECT_EQ(note->toPlainText(), u"a\nbxy z");
    EXPECT_EQ(card.note, QStringList({"a", "bxy\u00A0z"}));

    // show() puts every value back without marking the card.
    card = {"Martin", "5,00", "31/12/2026", true, 3, "Suite", {"x", "", "y"}};
    entry = "Bar";
    touches = 0;
    fields->show();
    EXPECT_EQ(touches, 0);
    EXPECT_EQ(arrival->displayText(), u"31/12/2026");
    EXPECT_EQ(note->toPlainText(), u"x\n\ny");
    EXPECT_EQ(entryField->text(), u"Bar");
    // Nothing that show() wrote came back into the card.
    EXPECT_EQ(card.note, QStringList({"x", "", "y"}));

    // A value shown unchanged leaves the cursor of the field being typed in.
    name->setCursorPosition(2);
    fields->show();
    EXPECT_EQ(name->cursorPosition(), 2);
}

} // namespace
