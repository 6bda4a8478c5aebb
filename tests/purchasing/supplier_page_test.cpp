#include "purchasing_fixture.h"

namespace {

// A record window showing the supplier page over literal lines.
struct Suppliers : Purchasing
{
    explicit Suppliers(const QStringList &lines = {}) : Purchasing({}, lines, PageId::Suppliers) {}
};

} // namespace

TEST(SupplierCard, WritesTheBlockLayoutReadsItBackAndNumbersNewCards)
{
    Suppliers s(supplier(0, "10001", "Brasserie du Port"));
    SupplierCard &c = s.suppliers.card();
    EXPECT_EQ(c.account, "401000");
    c.observations = {"Livre le mardi", ""};
    c.statement[0] = {"02/05/2026", "Commande 202405001",
                      text::Rset(u"21,60", suppliers::kAmountWidth)};
    s.suppliers.touch();
    s.suppliers.EcritFour();
    QStringList expected =
        supplier(0, "10001", "Brasserie du Port", "Boissons",
                 {"MEMOLivre le mardi", "MEMO",
                  suppliers::statementLine("02/05/2026", "Commande 202405001", "21,60")});
    EXPECT_EQ(s.lines(), expected);
    EXPECT_EQ(expected[25], "DATA02/05/2026\tCommande 202405001\t" + c.statement[0].amount);
    const SupplierCard written = c;
    s.suppliers.LitFour();
    EXPECT_EQ(s.suppliers.card(), written);
    EXPECT_FALSE(s.suppliers.modified());

    // A card with no note and no statement takes 24 lines.
    Suppliers fresh;
    fresh.editSupplier("Primeurs Lebrun");
    fresh.suppliers.EcritFour();
    EXPECT_EQ(fresh.lines().size(), 24);
    EXPECT_EQ(fresh.fiche.set().count(Table::Suppliers), 1);

    // An empty stored account stays empty; an empty stored code gets the next one.
    Suppliers t(supplier(0, "", "Sans code", "Divers", {}, "") + supplier(1, "10004", "B"));
    EXPECT_EQ(t.suppliers.card().account, "");
    EXPECT_EQ(t.suppliers.card().code, "10005");
    EXPECT_FALSE(t.suppliers.modified());
}

TEST(LitFour, ReadsTaggedLinesAfterTheFieldsUpToTheEndMarker)
{
    QStringList tagged;
    for (int i = 0; i < 240; ++i)
        tagged << "MEMOligne " + QString::number(i);
    for (int i = 0; i < 70; ++i)
        tagged << "DATA01/01/2026\tFacture " + QString::number(i) + "\t5";
    // An account that happens to begin like a tag is a field, not a note line;
    // the next block's lines belong to it.
    Suppliers s(supplier(0, "10001", "Long", "Bar", tagged, "MEMO607") +
                supplier(1, "10002", "Suivant", "Bar", {"MEMOautre"}));
    const SupplierCard &c = s.suppliers.card();
    EXPECT_EQ(c.account, "MEMO607");
    ASSERT_EQ(c.observations.size(), 240);
    EXPECT_EQ(c.observations.last(), "ligne 239");
    EXPECT_EQ(c.statement.last().label, "Facture 62");
    EXPECT_EQ(c.statement[0].amount, text::Rset(u"5", suppliers::kAmountWidth));
    EXPECT_EQ(c.moreStatement.size(), 7);

    // Rows beyond the grid and a short row are kept when the card is written.
    const QStringList before = s.lines();
    s.suppliers.card().statement[0] = {"", "x", ""};
    s.suppliers.touch();
    s.suppliers.EcritFour();
    EXPECT_EQ(s.lines().size(), before.size());
    EXPECT_EQ(s.lines()[23 + 240], "DATA\tx\t");
}

TEST(StatementEntry, FormatsTheAmountAndFillsTheFirstEmptyRow)
{
    Suppliers s(
        supplier(0, "10001", "A", "Bar",
                 {"DATA01/01/2026\tAvoir\t" + text::Rset(u"3,00", suppliers::kAmountWidth)}));
    s.fiche.settings().decimals = 2;
    s.suppliers.entryDate = QDate(2026, 5, 2);
    s.suppliers.entryLabel = "Facture 12";
    s.suppliers.entryAmount = "12,5";
    EXPECT_TRUE(s.suppliers.addStatementRow());
    EXPECT_EQ(
        s.suppliers.card().statement[1],
        (StatementRow{"02/05/2026", "Facture 12", text::Rset(u"12,50", suppliers::kAmountWidth)}));
    EXPECT_TRUE(s.suppliers.entryLabel.isEmpty());
    EXPECT_TRUE(s.suppliers.modified());

    // A full grid keeps the entry and says why.
    for (StatementRow &r : s.suppliers.card().statement)
        r = {"01/01/2026", "x", "1"};
    s.suppliers.entryLabel = "Remise";
    s.suppliers.entryAmount = "1";
    EXPECT_FALSE(s.suppliers.addStatementRow());
    EXPECT_EQ(s.suppliers.entryLabel, "Remise");
    EXPECT_EQ(s.ui.shown.size(), 1);
}

TEST(SupplierBlocks, GrowPastFourDigits)
{
    QStringList lines;
    for (int i = 0; i < 10000; ++i)
        lines << "<BLOC" + RecordTable::numberText(i, 4) + ">" << QString::number(10001 + i)
              << "</BLOC" + RecordTable::numberText(i, 4) + ">";
    Suppliers s(lines);
    s.suppliers.add();
    EXPECT_TRUE(s.ui.shown.isEmpty());
    EXPECT_EQ(s.suppliers.card().code, "20001");
    s.editSupplier("Dix millième");
    s.suppliers.EcritFour();
    EXPECT_EQ(s.lines()[30000], "<BLOC10000>");
    EXPECT_EQ(s.lines().last(), "</BLOC10000>");
    s.suppliers.previous();
    s.suppliers.next();
    EXPECT_EQ(s.suppliers.card().name, "Dix millième");
}
