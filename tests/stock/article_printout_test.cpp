#include "print/print_items.h"
#include "stock/article_printout.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

ArticleCard card()
{
    ArticleCard c;
    c.code = "10001";
    c.family = "Bar";
    c.designation = "Café crème";
    c.price = "   2,50";
    c.rate = " 1";
    c.account = "707000";
    c.supplier = "Brûlerie";
    c.movements[0] = {"01/03/2026", "Achat", "  12,00"};
    c.movements[1] = {"02/03/2026", "Vente", "  -3,00"};
    c.description = {"Tasse", "25 cl"};
    c.observations = {"Promotion"};
    return c;
}

} // namespace

TEST(ImpArt, ContinuesWhatPassesTheFootOnTheNextPage)
{
    ArticleCard c = card();
    for (int i = 0; i < ArticleCard::kMovementRows; ++i)
        c.movements[i] = {"01/01/2026", u"Ligne %1"_s.arg(i + 1), "1"};
    // A long description pushes the observations down instead of under them.
    c.description = QStringList(8, u"Description"_s);
    const PrintDocument doc = ImpArt(c, kPortrait);
    ASSERT_EQ(doc.pages().size(), 2);
    const PrintPage &first = doc.pages()[0];
    EXPECT_EQ(textAt(first, 120, 45), u"Description"_s);
    EXPECT_EQ(textAt(first, 120, 50), u"Promotion"_s);

    QStringList labels = column(first, 35, 45);
    const PrintPage &second = doc.pages()[1];
    EXPECT_EQ(textAt(second, 35, 5), u"10001"_s);
    labels += column(second, 35, 15);
    ASSERT_EQ(labels.size(), ArticleCard::kMovementRows);
    EXPECT_EQ(labels.last(), u"Ligne 63"_s);
    for (const PrintItem &i : first)
        EXPECT_FALSE(doc.beyondBottom(int(i.y), 10)) << i.text.toStdString();
}
