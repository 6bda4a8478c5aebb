#include "scripted_ui.h"
#include "stock/article_page.h"
#include "store/table_helpers.h"
#include "store/text.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// An article block; `tagged` lines go between the seven fields and the end.
QStringList article(int n, const QString &code, const QString &designation,
                    const QString &family = "Bar", const QStringList &tagged = {},
                    const QString &account = "707000", const QString &supplier = "")
{
    const QString num = RecordTable::numberText(n, 4) + ">";
    return QStringList{"<BLOC" + num, code,  family,  designation,
                       "   2,00",     "  1", account, supplier} +
           tagged + QStringList{"</BLOC" + num};
}

// A record window holding an article table built from literal lines.
struct Articles
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ArticlePage page{fiche};

    explicit Articles(const QStringList &lines = {})
    {
        fiche.setPage(PageId::Articles, &page);
        fiche.set().table(Table::Articles).setBytes(crlf(lines));
        fiche.set().setCount(Table::Articles, fiche.set().table(Table::Articles).countBlocks());
        fiche.selectPage(PageId::Articles);
    }
    QStringList lines() const { return linesOf(fiche.set().table(Table::Articles)); }
    int position() const { return fiche.set().position(Table::Articles); }
    int count() const { return fiche.set().count(Table::Articles); }
    void edit(const QString &designation)
    {
        page.card().designation = designation;
        page.touch();
    }
};

} // namespace

TEST(ArticleCard, WritesTheBlockLayoutAndReadsItBack)
{
    Articles a(article(0, "10001", "Café", "Bar"));
    ArticleCard &c = a.page.card();
    EXPECT_EQ(c.price, text::Rset(u"2,00", ArticlePage::kPriceWidth));
    c.description = {"Grand crème"};
    c.observations = {"Promotion"};
    c.movements[0] = {"01/03/2026", "Achat", text::Rset(u"12,00", ArticlePage::kQuantityWidth)};
    a.page.touch();
    a.page.EcritArt();
    EXPECT_EQ(a.lines(),
              (QStringList{"<BLOC0000>", "10001", "Bar", "Café", c.price, c.rate, "707000", "",
                           "MEM4Grand crème", "MEM5Promotion",
                           "DATA01/03/2026\tAchat\t" + c.movements[0].quantity, "</BLOC0000>"}));
    const ArticleCard written = c;
    a.page.LitArt();
    EXPECT_EQ(a.page.card(), written);
    EXPECT_FALSE(a.page.modified());

    // Reading an empty table counts nothing and the first card is block 0.
    Articles empty;
    EXPECT_EQ(empty.count(), 0);
    EXPECT_EQ(empty.page.card().code + "|" + empty.page.card().account, u"10001|707000"_s);
    empty.edit("Croissant");
    empty.page.EcritArt();
    EXPECT_EQ(empty.count(), 1);
    EXPECT_EQ(empty.lines().first(), u"<BLOC0000>"_s);
}

TEST(ArticleCard, ReadsTagsOnlyAfterTheFieldsAndKeepsEveryMovement)
{
    // An account and a supplier that begin like tags stay fields.
    QStringList tagged;
    for (int i = 0; i < 250; ++i)
        tagged << u"DATA01/01/2026\tLigne %1\t1"_s.arg(i);
    Articles a(article(0, "10001", "Eau", "Bar", tagged, "MEM4 compte", "DATAFRANCE") +
               article(1, "10002", "Jus"));
    const ArticleCard &c = a.page.card();
    EXPECT_EQ(c.account + "|" + c.supplier, u"MEM4 compte|DATAFRANCE"_s);
    EXPECT_TRUE(c.description.isEmpty());
    EXPECT_EQ(c.movements[62].label, u"Ligne 62"_s);
    ASSERT_EQ(c.moreMovements.size(), 187);

    // Written back, every movement is still there, before the next block.
    a.edit("Eau plate");
    a.fiche.Suivant();
    EXPECT_EQ(a.lines().filter("DATA01/01/2026").size(), 250);
    EXPECT_TRUE(a.lines()[8 + 249].startsWith(u"DATA01/01/2026\tLigne 249\t"_s));
    EXPECT_EQ(a.page.card().designation, u"Jus"_s);
}

TEST(PriceAndMovements, AreFormattedAndMarkOnlyAChange)
{
    Articles a(article(0, "10001", "Café"));
    ArticlePage &p = a.page;
    p.enterPrice();
    EXPECT_EQ(p.card().price, u"2,00"_s);
    EXPECT_TRUE(p.leavePrice());
    EXPECT_FALSE(p.modified());

    p.enterPrice();
    p.card().price = "12,5";
    EXPECT_TRUE(p.leavePrice());
    EXPECT_EQ(p.card().price, text::Rset(u"12,50", ArticlePage::kPriceWidth));
    EXPECT_TRUE(p.card().price.startsWith(u' '));
    EXPECT_TRUE(p.modified());

    p.enterPrice();
    p.card().price = "12x";
    EXPECT_FALSE(p.leavePrice());
    EXPECT_EQ(p.card().price, u"12x"_s);

    // A price finer than the amounts is kept, never rounded; past four
    // decimals it is refused.
    p.enterPrice();
    p.card().price = "8,333";
    EXPECT_TRUE(p.leavePrice());
    EXPECT_EQ(p.card().price, text::Rset(u"8,333", ArticlePage::kPriceWidth));
    p.enterPrice();
    p.card().price = "1,23456";
    EXPECT_FALSE(p.leavePrice());
    EXPECT_TRUE(a.ui.shown.last().contains(u"quatre décimales au plus")) << qPrintable(a.ui.shown.last());
    a.ui.shown.removeLast();
    p.card().price = "1,2345";
    EXPECT_TRUE(p.leavePrice());

    p.entryDate = QDate(2026, 3, 4);
    p.entryLabel = "Livraison";
    p.entryQuantity = "24";
    EXPECT_TRUE(p.addMovement());
    EXPECT_EQ(p.card().movements[0],
              (MovementRow{"04/03/2026", "Livraison",
                           text::Rset(u"24,00", ArticlePage::kQuantityWidth)}));
    EXPECT_TRUE(p.entryLabel.isEmpty() && p.entryQuantity.isEmpty());

    // A full grid refuses the movement and says so: the entry row keeps it.
    for (MovementRow &r : p.card().movements)
        r = {"01/01/2026", "Plein", "1"};
    p.entryLabel = "De trop";
    p.entryQuantity = "1";
    EXPECT_FALSE(p.addMovement());
    EXPECT_EQ(p.entryLabel, u"De trop"_s);
    EXPECT_EQ(a.ui.shown.size(), 2);
}

