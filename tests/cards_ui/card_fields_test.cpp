// The pieces every card page builds on, over a card of their own: bound
// fields mark the card only when the card changes, the grids read their rows
// as asked, and the list window gives back the block of the row chosen.
#include "cards/ui/card_fields.h"
#include "cards/ui/card_list_dialog.h"
#include "cards/ui/grid_model.h"

#include "widget_lookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
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
    EXPECT_EQ(name->text(), u"Martin");
    EXPECT_EQ(arrival->displayText(), u"31/12/2026");
    EXPECT_TRUE(marked->isChecked());
    EXPECT_EQ(beds->value(), 3);
    EXPECT_EQ(kind->currentText(), u"Suite"); // typed, not one of the items
    EXPECT_EQ(note->toPlainText(), u"x\n\ny");
    EXPECT_EQ(entryField->text(), u"Bar");
    // Nothing that show() wrote came back into the card.
    EXPECT_EQ(card.note, QStringList({"x", "", "y"}));

    // A value shown unchanged leaves the cursor of the field being typed in.
    name->setCursorPosition(2);
    fields->show();
    EXPECT_EQ(name->cursorPosition(), 2);
}

TEST_F(Fields, LeavingAFieldRunsItsRuleAndTabFollowsTheOrderOfMaking)
{
    int runs = 0;
    fields->onLeave(due, [&] {
        ++runs;
        card.due = card.due.rightJustified(8);
    });
    QTest::keyClicks(due, "5");
    leave(name); // another field's leaving runs no rule
    EXPECT_EQ(runs, 0);
    leave(due);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(due->text(), u"       5");
    EXPECT_EQ(card.due, u"       5");

    // Tab visits the fields in the order they were made.
    auto *button = new QPushButton(QStringLiteral("OK"), &page);
    fields->addToTabOrder(button);
    // Parented again, "due" would come last on its own.
    due->setParent(nullptr);
    due->setParent(&page);
    fields->chainTabOrder();
    // The next widget Tab reaches, past the inner parts of a compound field.
    auto next = [](QWidget *w) {
        QWidget *n = w->nextInFocusChain();
        while (w->isAncestorOf(n) || !(n->focusPolicy() & Qt::TabFocus))
            n = n->nextInFocusChain();
        return n;
    };
    EXPECT_EQ(next(name), due);
    EXPECT_EQ(next(note), entryField);
    EXPECT_EQ(next(entryField), button);
}

TEST(GridModel, ReadsCellsOnlyBelowItsCountAndReloadsInPlace)
{
    QStringList rows = {"a", "b"};
    GridModel model({{QStringLiteral("Nom")}, {QStringLiteral("Prix"), Qt::AlignRight, true}});
    model.setRows(int(rows.size()), [&rows](int row, int column) {
        return column == 0 ? rows[row] : QString::number(row);
    });
    EXPECT_EQ(model.index(1, 0).data().toString(), u"b");
    EXPECT_FALSE(model.data(model.index(2, 0), Qt::DisplayRole).isValid());
    EXPECT_EQ(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_FALSE(model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).isValid());

    QTableView *view = gridView(&model);
    view->selectRow(1);
    rows[1] = "c";
    model.reload(2); // same rows: the selection stays
    EXPECT_EQ(model.index(1, 0).data().toString(), u"c");
    EXPECT_TRUE(view->selectionModel()->isRowSelected(1));
    rows << "d";
    model.reload(3);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_FALSE(view->selectionModel()->hasSelection());
    delete view;
}

class Blocks : public CardListDialog
{
public:
    Blocks()
        : CardListDialog(QStringLiteral("Liste"), {{}, {QStringLiteral("Nom")}}, {0, 80},
                         QSize(300, 200), nullptr)
    {}
    void Init(const QList<int> &blocks)
    {
        setRows(
            int(blocks.size()), [](int row, int) { return row; },
            [blocks](int row) { return blocks[row]; });
    }
};

TEST(CardListDialog, EnterOrDoubleClickGivesTheBlockAndFermerNone)
{
    Blocks list;
    list.Init({7, 3});
    auto *view = list.findChild<QTableView *>();
    EXPECT_TRUE(view->isColumnHidden(0));
    EXPECT_TRUE(view->selectionModel()->isRowSelected(0)); // the first row, ready for Enter
    view->setCurrentIndex(view->model()->index(1, 1));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(list.Result(), 3);

    list.Init({5});
    EXPECT_EQ(list.Result(), -1); // a new list forgets the last choice
    emit view->doubleClicked(view->model()->index(0, 1));
    EXPECT_EQ(list.Result(), 5);
    button<QPushButton>(&list, "Fermer")->click();
    EXPECT_EQ(list.Result(), -1);

    list.Init({});
    QTest::keyClick(view, Qt::Key_Enter); // nothing to choose
    EXPECT_EQ(list.Result(), -1);
}

} // namespace
