#include "purchasing/supplier_page.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"
#include "store/text.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A supplier block: 22 field lines (code, family, name, then "f4".."f22"
// unless given), `tagged` lines, the end marker.
QStringList supplier(qint64 n, const QString &code, const QString &name,
                     const QString &family = "Boissons", const QStringList &tagged = {},
                     const QString &account = "401000")
{
    const QString num = RecordTable::numberText(n, 4) + ">";
    QStringList lines{"<BLOC" + num, code, family, name};
    for (int i = 4; i <= 21; ++i)
        lines << "f" + QString::number(i);
    lines << account;
    return lines + tagged + QStringList{"</BLOC" + num};
}

// A record window holding a supplier table built from literal lines.
struct Suppliers
{
    ScriptedUi ui;
    Fiche fiche{ui};
    SupplierPage page{fiche};

    explicit Suppliers(const QStringList &lines = {})
    {
        fiche.setPage(PageId::Suppliers, &page);
        RecordTable &t = fiche.set().table(Table::Suppliers);
        t.setBytes(crlf(lines));
        fiche.set().setCount(Table::Suppliers, t.countBlocks());
        fiche.selectPage(PageId::Suppliers);
    }
    QStringList lines() const { return linesOf(fiche.set().table(Table::Suppliers)); }
    int position() const { return fiche.set().position(Table::Suppliers); }
    void editName(const QString &name)
    {
        page.card().name = name;
        page.touch();
    }
};

QStringList named(const QStringList &names, const QStringList &families = {})
{
    QStringList lines;
    for (int i = 0; i < names.size(); ++i)
        lines += supplier(i, QString::number(10001 + i), names[i], families.value(i, "Boissons"));
    return lines;
}

} // namespace

TEST(SupplierCard, WritesTheBlockLayoutAndReadsItBack)
{
    Suppliers s(supplier(0, "10001", "Brasserie du Port"));
    SupplierCard &c = s.page.card();
    EXPECT_EQ(c.account, "401000");
    EXPECT_EQ(c.email, "f11");
    EXPECT_EQ(c.risk, "f21");
    c.observations = {"Livre le mardi", ""};
    c.statement[0] = {"02/05/2026", "Commande 202405001",
                      text::Rset(u"21,60", suppliers::kAmountWidth)};
    s.page.touch();
    s.page.EcritFour();
    QStringList expected = supplier(0, "10001", "Brasserie du Port", "Boissons",
                                    {"MEMOLivre le mardi", "MEMO",
                                     suppliers::statementLine("02/05/2026", "Commande 202405001",
                                                              "21,60")});
    EXPECT_EQ(s.lines(), expected);
    EXPECT_EQ(expected[25], "DATA02/05/2026\tCommande 202405001\t" + c.statement[0].amount);
    const SupplierCard written = c;
    s.page.LitFour();
    EXPECT_EQ(s.page.card(), written);
    EXPECT_FALSE(s.page.modified());
}

TEST(SupplierCard, NewAndStoredCardsDifferInCodeAndAccount)
{
    // A card with no note and no statement takes 24 lines.
    Suppliers s;
    EXPECT_EQ(s.page.card().code, "10001");
    EXPECT_EQ(s.page.card().account, "607000");
    s.editName("Primeurs Lebrun");
    s.page.EcritFour();
    EXPECT_EQ(s.lines().size(), 24);
    EXPECT_EQ(s.fiche.set().count(Table::Suppliers), 1);

    // An empty stored account stays empty; an empty stored code gets the next one.
    Suppliers t(supplier(0, "", "Sans code", "Divers", {}, "") + supplier(1, "10004", "B"));
    EXPECT_EQ(t.page.card().account, "");
    EXPECT_EQ(t.page.card().code, "10005");
    EXPECT_FALSE(t.page.modified());
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
    const SupplierCard &c = s.page.card();
    EXPECT_EQ(c.account, "MEMO607");
    ASSERT_EQ(c.observations.size(), 240);
    EXPECT_EQ(c.observations.last(), "ligne 239");
    EXPECT_EQ(c.statement.last().label, "Facture 62");
    EXPECT_EQ(c.statement[0].amount, text::Rset(u"5", suppliers::kAmountWidth));
    EXPECT_EQ(c.moreStatement.size(), 7);

    // Rows beyond the grid and a short row are kept when the card is written.
    const QStringList before = s.lines();
    s.page.card().statement[0] = {"", "x", ""};
    s.page.touch();
    s.page.EcritFour();
    EXPECT_EQ(s.lines().size(), before.size());
    EXPECT_EQ(s.lines()[23 + 240], "DATA\tx\t");
}

TEST(StatementEntry, FormatsTheAmountAndFillsTheFirstEmptyRow)
{
    Suppliers s(supplier(0, "10001", "A", "Bar",
                         {"DATA01/01/2026\tAvoir\t" + text::Rset(u"3,00", suppliers::kAmountWidth)}));
    s.fiche.settings().decimals = 2;
    s.page.entryDate = QDate(2026, 5, 2);
    s.page.entryLabel = "Facture 12";
    s.page.entryAmount = "12,5";
    EXPECT_TRUE(s.page.addStatementRow());
    EXPECT_EQ(s.page.card().statement[1],
              (StatementRow{"02/05/2026", "Facture 12", text::Rset(u"12,50", suppliers::kAmountWidth)}));
    EXPECT_TRUE(s.page.entryLabel.isEmpty());
    EXPECT_TRUE(s.page.modified());

    // An empty label or amount adds nothing; a wrong amount is said and kept.
    s.page.entryLabel = "  ";
    s.page.entryAmount = "4";
    EXPECT_TRUE(s.page.addStatementRow());
    EXPECT_TRUE(s.page.card().statement[2].isEmpty());
    s.page.entryLabel = "Remise";
    s.page.entryAmount = "douze";
    EXPECT_FALSE(s.page.addStatementRow());
    EXPECT_EQ(s.page.entryAmount, "douze");
    EXPECT_EQ(s.ui.shown.size(), 1);
    EXPECT_TRUE(s.page.card().statement[2].isEmpty());

    // A full grid keeps the entry and says why.
    for (StatementRow &r : s.page.card().statement)
        r = {"01/01/2026", "x", "1"};
    s.page.entryAmount = "1";
    EXPECT_FALSE(s.page.addStatementRow());
    EXPECT_EQ(s.page.entryLabel, "Remise");
    EXPECT_EQ(s.ui.shown.size(), 2);
}

TEST(BlockOfCode, MatchesTheWholeTrimmedCodeAsText)
{
    const RecordTable t = tableOf(supplier(0, "10001", "A") + supplier(1, " 1 ", "B") +
                                      supplier(2, "10001", "C") + supplier(3, "001", "D"),
                                  4);
    EXPECT_EQ(suppliers::blockOfCode(t, u"1"), 1);
    EXPECT_EQ(suppliers::blockOfCode(t, u"10001 "), 0);
    EXPECT_EQ(suppliers::blockOfCode(t, u"01"), -1);
    EXPECT_EQ(suppliers::blockOfCode(t, u"1000"), -1);
    EXPECT_EQ(suppliers::blockOfCode(t, u""), -1);
}

TEST(CopyPaste, GivesTheAddressToTheCardShownUnderANewCode)
{
    Suppliers s(named({"Source", "Cible"}));
    s.page.paste();
    EXPECT_FALSE(s.page.modified());
    s.page.copy();
    s.page.next();
    s.page.paste();
    const SupplierCard &c = s.page.card();
    EXPECT_EQ(c.code, "10003");
    EXPECT_EQ(c.name, "Source");
    EXPECT_EQ(c.email, "f11");
    EXPECT_TRUE(s.page.modified());
    s.page.EcritFour();
    EXPECT_EQ(s.lines()[24 + 1], "10003");
    EXPECT_EQ(s.lines()[24 + 3], "Source");
}

TEST(SupplierBlocks, GrowPastFourDigits)
{
    QStringList lines;
    for (int i = 0; i < 10000; ++i)
        lines << "<BLOC" + RecordTable::numberText(i, 4) + ">" << QString::number(10001 + i)
              << "</BLOC" + RecordTable::numberText(i, 4) + ">";
    Suppliers s(lines);
    s.page.add();
    EXPECT_TRUE(s.ui.shown.isEmpty());
    EXPECT_EQ(s.page.card().code, "20001");
    s.editName("Dix millième");
    s.page.EcritFour();
    EXPECT_EQ(s.lines()[30000], "<BLOC10000>");
    EXPECT_EQ(s.lines().last(), "</BLOC10000>");
    s.page.previous();
    s.page.next();
    EXPECT_EQ(s.page.card().name, "Dix millième");
}

TEST(SupplierSave, StoresTheCardShownWithoutLeavingIt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("HOTEL.htl");
    Suppliers s(named({"Avant"}));
    s.editName("Après");
    ASSERT_TRUE(s.fiche.Sauve(file));
    EXPECT_FALSE(s.page.modified());

    Suppliers reopened;
    ASSERT_TRUE(reopened.fiche.Charge(file));
    reopened.fiche.selectPage(PageId::Suppliers);
    EXPECT_EQ(reopened.page.card().name, "Après");
    // Leaving the page without saving commits the card too.
    reopened.editName("Encore");
    reopened.fiche.selectPage(PageId::Planning);
    EXPECT_EQ(reopened.lines()[3], "Encore");
    EXPECT_TRUE(reopened.fiche.set().isDirty());
}
