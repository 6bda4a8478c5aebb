#include "purchasing_fixture.h"
#include "stats/journal.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

qint64 monthBase()
{
    const QDate d = QDate::currentDate();
    return (qint64(d.year()) * 100 + d.month()) * 1000;
}

LineGrid gridOf(const QStringList &quantities, const QStringList &prices,
                const QStringList &discounts = {}, const QStringList &vats = {})
{
    LineGrid g(ordercol::Count, OrderCard::kRows);
    for (int i = 0; i < quantities.size(); ++i) {
        g.setCell(i + 1, ordercol::Quantity, quantities[i]);
        g.setCell(i + 1, ordercol::Price, prices.value(i));
        g.setCell(i + 1, ordercol::Discount, discounts.value(i));
        g.setCell(i + 1, ordercol::Vat, vats.value(i));
    }
    return g;
}

} // namespace

TEST(OrderTotals, WithAndWithoutTaxAsTheLineStepLeavesTheCells)
{
    const std::array<double, 3> rates{20, 10, 5.5};
    LineGrid g = gridOf({"2"}, {"10"}, {"10"}, {"1"});
    LineTotals ht = Calculec(g, false, rates, 2);
    EXPECT_EQ(g.cell(1, ordercol::Amount).trimmed(), "18,00");
    EXPECT_EQ(QStringList({ht.exclusiveText, ht.vatText, ht.totalText}),
              QStringList({"18,00", "3,60", "21,60"}));
    LineTotals ttc = Calculec(g, true, rates, 2);
    EXPECT_EQ(g.cell(1, ordercol::Amount).trimmed(), "18,00");
    EXPECT_EQ(QStringList({ttc.exclusiveText, ttc.vatText, ttc.totalText}),
              QStringList({"15,00", "3,00", "18,00"}));

    // Each VAT code adds its own rate's tax.
    LineGrid mixed = gridOf({"1", "1", "1"}, {"100", "100", "100"}, {}, {"1", "2", "3"});
    const LineTotals m = Calculec(mixed, false, rates, 2);
    EXPECT_EQ(m.totalVat, Money::parse(u"35,5"));
    EXPECT_EQ(m.total, Money::parse(u"335,5"));

    LineGrid cells = gridOf({"3 kg", "4", "2", ""}, {"2,5", "", "1", "9"}, {}, {"", "", "7", ""});
    const LineTotals t = Calculec(cells, false, rates, 2);
    // "3 kg" counts as 3 and stays as typed, right-aligned.
    EXPECT_EQ(cells.cell(1, ordercol::Quantity), text::Rset(u"3 kg", 80));
    EXPECT_EQ(cells.cell(1, ordercol::Amount).trimmed(), "7,50");
    // A price is kept as typed, an empty one too; the empty "T" becomes "1".
    EXPECT_EQ(cells.cell(1, ordercol::Price).trimmed(), "2,5");
    EXPECT_EQ(cells.cell(2, ordercol::Price).trimmed(), "");
    EXPECT_EQ(cells.cell(2, ordercol::Amount).trimmed(), "0,00");
    EXPECT_EQ(cells.cell(2, ordercol::Vat), "1");
    // A "T" of 7 counts under code 1 (shown as the code it counts under).
    EXPECT_EQ(t.exclusive[0], Money::parse(u"9,5"));
    EXPECT_TRUE((t.exclusive[1] + t.exclusive[2]).isZero());
    // A row without quantity is passed over and keeps its price as typed.
    EXPECT_EQ(cells.cell(4, ordercol::Price), "9");
    EXPECT_TRUE(cells.cell(4, ordercol::Amount).isEmpty());

    // A bad cell is named with its line.
    LineGrid bad = gridOf({"2", "x"}, {"abc", "1"});
    const LineTotals b = Calculec(bad, false, rates, 2);
    ASSERT_EQ(b.bad.size(), 2);
    EXPECT_EQ(b.bad[0], (BadCell{1, ordercol::Price}));
    EXPECT_EQ(badCellMessage(bad, b.bad[1], kOrderColumns), "Ligne 2 : " + text::realError(u"x"));
}

TEST(OrderNumbering, GridLinesThenMonthBaseThenHighestStoredNumberLineOnly)
{
    Purchasing o;
    EXPECT_EQ(o.page.card().number, QString::number(monthBase() + 1));
    // In the grid Enter completes a line, and lines delete.
    LineGrid &g = o.grid();
    g.cursorRow = 1;
    g.cursorColumn = ordercol::Price;
    EXPECT_EQ(o.page.StringGrid8KeyPress(u'.'), u',');
    g.cursorColumn = ordercol::Ref;
    EXPECT_EQ(o.page.StringGrid8KeyPress(u'.'), u'.');

    o.typeLine(1, "A", "2", "10");
    EXPECT_EQ(g.cell(1, ordercol::Vat), "1");
    EXPECT_EQ(o.page.totals().totalText, "24,00");
    EXPECT_EQ(g.cursorRow, 2);
    EXPECT_EQ(g.cursorColumn, 0);
    EXPECT_TRUE(o.page.modified());
    EXPECT_TRUE(o.fiche.set().isDirty());
    o.typeLine(2, "B", "1", "1");

    g.cursorRow = 1;
    o.page.SupLigne3(); // the grid has not the focus
    EXPECT_EQ(g.cell(1, ordercol::Ref), "A");
    o.page.gridFocus = true;
    o.page.SupLigne3();
    EXPECT_EQ(g.cell(1, ordercol::Ref), "B");
    EXPECT_EQ(g.highest, 1);
    o.page.card().supplier = "10001";
    o.page.Creer();
    EXPECT_EQ(o.page.card().number, QString::number(monthBase() + 2));

    // A higher number stored, even of a later month, is followed. Address
    // or memo lines that begin "NUM" are no number, nor a number line that
    // is not a whole number, and none of them stops the scan.
    OrderFields odd;
    odd.number = "12AB";
    odd.address[0] = "NUM999999999";
    OrderFields later;
    later.number = "209912007";
    Purchasing stored(orderBlock(0, {"MEMONUM999999998"}, odd) + orderBlock(1, {}, later));
    EXPECT_EQ(stored.page.Numeroc(), 209912008);
}

TEST(OrderBlock, ReadsEveryHeaderFieldAndEveryTaggedLine)
{
    OrderFields f;
    f.date = "31/02/2024"; // not a date: the fields after it still read
    f.tax = "TTCY";
    f.validated = "?";
    QStringList tagged;
    for (int i = 0; i < 70; ++i)
        tagged << cmde("R" + QString::number(i), "1", "1");
    for (int i = 0; i < 40; ++i)
        tagged << "MEMOligne " + QString::number(i);
    Purchasing o(orderBlock(0, tagged, f));
    const OrderCard &c = o.page.card();
    EXPECT_EQ(c.date, QDate::currentDate());
    EXPECT_EQ(c.supplier, "10001");
    EXPECT_EQ(c.address[3], "29200 BREST");
    EXPECT_TRUE(c.pricesWithTax);
    EXPECT_FALSE(c.validated);
    EXPECT_EQ(c.lines.readRows(), 63);
    EXPECT_EQ(c.lines.more.size(), 7);
    EXPECT_EQ(c.memo.size(), 40);
    EXPECT_EQ(c.memo.last(), "ligne 39");
    // 70 lines at 1,00 with tax included.
    EXPECT_EQ(o.page.totals().totalText, "70,00");
}

TEST(OrderBlock, RewrittenOrderMovesToTheEndWithNothingLost)
{
    const QStringList first = orderBlock(0, {cmde("A", "2", "10"), "MEMOà livrer", "XTRA kept"});
    OrderFields second;
    second.number = "202405002";
    Purchasing o(first + orderBlock(1, {cmde("B", "1", "1")}, second));
    o.page.card().payment = "Réglement à 30 jours";
    o.page.touch();
    o.page.next();
    const QStringList l = o.lines();
    EXPECT_EQ(l.first(), "<BLOC0001>");
    const qsizetype at = l.indexOf("<BLOC0000>");
    ASSERT_GT(at, 0);
    EXPECT_EQ(
        l.mid(at),
        QStringList({"<BLOC0000>", "NUM202405001", "15/05/2024", "10001", "Réglement à 30 jours",
                     "Brasserie du Port", "2 quai Sud", "", "29200 BREST", "TTCN", "N",
                     "CMDEA\tArticle A\t" + text::Rset(u"2", 80) + "\t" + text::Rset(u"10", 90) +
                         "\t\t" + text::Rset(u"20,00", 90) + "\t1",
                     "MEMOà livrer", "XTRA kept", "</BLOC0000>"}));
}

TEST(OrderCreation, BlockNumbersAreGivenBackAndNeverReused)
{
    // A block cut short (fewer than 12 lines in the table) still counts.
    Purchasing o({"<BLOC0000>", "NUM202405001", "15/05/2024", "10001", "</BLOC0000>"});
    o.page.Creer();
    EXPECT_EQ(o.position(), 1);
    // An order never written gives its number back.
    o.page.Creer();
    EXPECT_EQ(o.position(), 1);
    EXPECT_EQ(o.fiche.set().count(Table::Orders), 1);
    o.page.card().supplier = "10002";
    o.page.touch();
    o.typeLine(1, "R", "1", "1");
    o.page.Creer();
    EXPECT_EQ(o.position(), 2);
    EXPECT_EQ(o.lines().mid(0, 5),
              QStringList({"<BLOC0000>", "NUM202405001", "15/05/2024", "10001", "</BLOC0000>"}));
    EXPECT_EQ(o.lines()[5], "<BLOC0001>");

    // Once the only order is deleted, numbering starts again from block 0.
    Purchasing one(orderBlock(0, {cmde("A", "1", "1")}));
    one.page.SupCmd();
    EXPECT_TRUE(one.lines().isEmpty());
    one.page.Creer();
    EXPECT_EQ(one.position(), 0);
}

TEST(OrderLeaving, AnIncompleteEditedOrderIsNotDroppedWithoutAsking)
{
    Purchasing o(orderBlock(0, {cmde("A", "1", "1")}) + orderBlock(1, {cmde("B", "1", "1")}));
    o.page.Creer();
    o.page.card().supplier = "10009"; // no line: the order cannot be stored
    o.page.touch();
    // Showing another page and coming back keeps it on screen.
    o.fiche.selectPage(PageId::Planning);
    o.fiche.selectPage(PageId::Orders);
    EXPECT_EQ(o.page.card().supplier, "10009");

    o.ui.okCancel = {false};
    o.page.previous();
    EXPECT_EQ(o.ui.shown, QStringList{"Commande incomplète : l'abandonner ?"});
    EXPECT_EQ(o.position(), 2);
    EXPECT_EQ(o.page.card().supplier, "10009");

    o.ui.okCancel = {true};
    o.page.previous();
    EXPECT_EQ(o.position(), 1);
    EXPECT_EQ(o.fiche.set().count(Table::Orders), 2);
    EXPECT_EQ(o.page.card().lines.cell(1, ordercol::Ref), "B");

    // An order that was only read leaves without a question.
    o.ui.shown.clear();
    o.page.first();
    EXPECT_TRUE(o.ui.shown.isEmpty());
}

// Saving stores the order and the supplier cards shown without leaving them;
// leaving the page without saving commits the card too.
TEST(PurchasingSave, TheCardsShownAreStoredWithoutLeavingThem)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("HOTEL.htl");
    Purchasing o(orderBlock(0, {cmde("A", "1", "1")}), suppliersNamed({"Avant"}));
    o.page.card().address[1] = "Quai Nord";
    o.page.touch();
    ASSERT_TRUE(o.fiche.Sauve(file));
    o.fiche.selectPage(PageId::Suppliers);
    o.editSupplier("Après");
    ASSERT_TRUE(o.fiche.Sauve(file));
    EXPECT_FALSE(o.suppliers.modified());

    Purchasing reopened;
    ASSERT_TRUE(reopened.fiche.Charge(file));
    reopened.fiche.selectPage(PageId::Orders);
    EXPECT_EQ(reopened.page.card().address[1], "Quai Nord");
    reopened.fiche.selectPage(PageId::Suppliers);
    EXPECT_EQ(reopened.suppliers.card().name, "Après");
    reopened.editSupplier("Encore");
    reopened.fiche.selectPage(PageId::Planning);
    EXPECT_EQ(reopened.lines(Table::Suppliers)[3], "Encore");
    EXPECT_TRUE(reopened.fiche.set().isDirty());
}

TEST(OrderValidation, PostsTheTotalShownToTheExactSupplier)
{
    const QStringList supplierLines = supplier(0, "10001", "Dix mille un", "Boissons",
                                               {"DATA01/05/2024\tAvoir\t  5,00", "MEMOnote"}) +
                                      supplier(1, "1", "Un");
    OrderFields f;
    f.supplier = "1";
    Purchasing o(orderBlock(0, {cmde("A", "2", "10", "1", "10")}, f), supplierLines);
    // The supplier card shown with an edit is written back first and read
    // again after.
    o.fiche.selectPage(PageId::Suppliers);
    o.suppliers.showBlock(1);
    o.editSupplier("Après");
    o.page.LitCmd();
    // A quantity changed without Enter: validation totals it first.
    o.grid().setCell(1, ordercol::Quantity, "4");
    ASSERT_TRUE(o.page.Valider());
    EXPECT_EQ(o.suppliers.card().name, "Après");
    EXPECT_EQ(o.suppliers.card().statement[0].label, "Commande 202405001");
    EXPECT_TRUE(o.page.card().validated);
    EXPECT_EQ(o.page.statusText(), "Cmde validée");
    EXPECT_EQ(o.page.totals().totalText, "43,20");

    const QStringList s = o.lines(Table::Suppliers);
    const QString posted = "DATA" + text::dateText(QDate::currentDate()) +
                           "\tCommande 202405001\t" + text::Rset(u"43,20", 95);
    EXPECT_EQ(s.count(posted), 1);
    EXPECT_EQ(s.indexOf(posted), s.indexOf("</BLOC0001>") - 1);
    EXPECT_EQ(s.indexOf("DATA01/05/2024\tAvoir\t  5,00") + 1, s.indexOf("MEMOnote"));
    EXPECT_EQ(s[s.indexOf("<BLOC0001>") + 3], "Après");
    // The order is stored validated.
    EXPECT_EQ(o.lines()[10], "Y");
    // Validating again posts nothing more.
    o.page.Valider();
    EXPECT_EQ(o.lines(Table::Suppliers).count(posted), 1);
}

TEST(OrderValidation, RefusesWhatCannotBePosted)
{
    // An order without a line is not validated.
    Purchasing o({}, supplier(0, "10001", "Brasserie"));
    o.page.card().supplier = "10001";
    o.page.touch();
    EXPECT_FALSE(o.page.Valider());
    EXPECT_FALSE(o.page.card().validated);
    EXPECT_TRUE(o.lines().isEmpty());
    EXPECT_EQ(o.ui.shown.size(), 1);

    // A full statement keeps the order open, with a message.
    QStringList full;
    for (int i = 0; i < 63; ++i)
        full << "DATA01/05/2024\tLigne\t  1,00";
    Purchasing f(orderBlock(0, {cmde("A", "1", "1")}), supplier(0, "10001", "Plein", "Bar", full));
    EXPECT_FALSE(f.page.Valider());
    EXPECT_FALSE(f.page.card().validated);
    EXPECT_EQ(f.lines(Table::Suppliers).size(), 24 + 63);
    ASSERT_EQ(f.ui.shown.size(), 1);
    EXPECT_TRUE(f.ui.shown[0].contains("plein"));
}

// A validated order keeps the rates it was computed with: the supplier's
// statement, the page and the journal say the same whatever the rates
// become; a draft follows today's.
TEST(OrderTotals, AValidatedOrderKeepsItsRatesAndFigures)
{
    Purchasing o(orderBlock(0, {cmde("A", "2", "10")}));
    ASSERT_TRUE(o.page.Valider());
    EXPECT_TRUE(o.lines().contains("TOTV20\t10\t5,5\t24\t20\t4\t0\t0\t0\t0\t0\t0\t0\t24"))
        << o.lines().join('\n').toStdString();
    o.fiche.settings().vatRates = {30, 10, 5.5};
    o.page.LitCmd();
    EXPECT_EQ(o.page.totals().vatText, "4,00");
    EXPECT_EQ(o.page.totals().totalText, "24,00");
    JournalSettings js;
    js.vatRates = o.fiche.settings().vatRates;
    qint64 deductible = 0;
    for (const JournalLine &l : journalLines(o.fiche.set(), js))
        if (l.accountIndex == account::TvaDeductible)
            deductible += l.debit - l.credit;
    EXPECT_EQ(deductible, 400);

    Purchasing draft(orderBlock(0, {cmde("A", "2", "10")}));
    draft.fiche.settings().vatRates = {30, 10, 5.5};
    draft.page.LitCmd();
    EXPECT_EQ(draft.page.totals().vatText, "6,00");
}
