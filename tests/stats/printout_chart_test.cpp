#include "stats/chart.h"
#include "stats/grid_printout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

GridSheet sheetOf(int rows)
{
    GridSheet s;
    s.columns = {{"", 64}, {"Mois", 321}, {"C.A. mois", 126, true}};
    for (int k = 1; k <= rows; ++k)
        s.rows << QStringList{QString::number(k), QStringLiteral("Mois %1").arg(k), QStringLiteral("%1,00").arg(k)};
    return s;
}

QList<const PrintItem *> items(const PrintPage &page, PrintItem::Kind kind)
{
    QList<const PrintItem *> found;
    for (const PrintItem &i : page)
        if (i.kind == kind)
            found << &i;
    return found;
}

const PrintItem *textItem(const PrintPage &page, const QString &text)
{
    for (const PrintItem &i : page)
        if (i.kind == PrintItem::Kind::Text && i.text == text)
            return &i;
    return nullptr;
}

} // namespace

TEST(GridPrintout, RunsOverPagesWithinTheMarginsOnAnyPrinter)
{
    // Every row printed once, each page with its head band, nothing past
    // the bottom margin.
    const PrintDocument doc = gridPrintout(sheetOf(100), "Statistiques ventes au 15/06/2026", "",
                                           100, QDate(2026, 6, 15), a4Metrics(600, false));
    ASSERT_GE(doc.pages().size(), 2);
    int rowsPrinted = 0;
    for (const PrintPage &page : doc.pages()) {
        EXPECT_NE(textItem(page, "C.A. mois"), nullptr);
        for (const PrintItem &i : page) {
            EXPECT_LE(i.y2, 287 - 287 / 25.0 - 3 + 1e-9);
            if (i.kind == PrintItem::Kind::Text && i.text.startsWith("Mois "))
                ++rowsPrinted;
        }
    }
    EXPECT_EQ(rowsPrinted, 100);

    // A printer narrower in pixels than the grid on screen: the columns
    // still run from margin to margin.
    PageMetrics narrow{400, 560, 200, 280};
    const PrintPage page =
        gridPrintout(sheetOf(3), "t", "Tête", 2, QDate(2026, 1, 2), narrow).pages().value(0);
    QList<double> columns;
    for (const PrintItem *l : items(page, PrintItem::Kind::Line))
        if (l->x == l->x2)
            columns << l->x;
    ASSERT_EQ(columns.size(), 4);
    EXPECT_DOUBLE_EQ(*std::min_element(columns.begin(), columns.end()), 8);
    EXPECT_DOUBLE_EQ(*std::max_element(columns.begin(), columns.end()), 192);
    EXPECT_EQ(textItem(page, "Mois 3"), nullptr);
}

TEST(Chart, ScalesLargeTurnoversWithoutOverflow)
{
    // No bar at or below zero.
    EXPECT_TRUE(Chart(QStringList{"-5,00", "-1"}).bars().isEmpty());
    EXPECT_TRUE(Chart(QStringList{}).bars().isEmpty());
    EXPECT_EQ(Chart(QStringList{"-5,00", "abc", "4"}).bars().size(), 1);
    // 9 million and more: value x 280 no longer fits in 32 bits.
    const Chart chart(QStringList{"9000000,00", "18000000,00", "4500000000,00"});
    const QList<QRect> bars = chart.bars();
    ASSERT_EQ(bars.size(), 3);
    EXPECT_EQ(bars[2].top(), Chart::kAxisY - 280);
    EXPECT_EQ(bars[1].top(), Chart::kAxisY - 18000000LL * 280 / 4500000000LL);

    // The last 32 values are kept.
    QStringList amounts;
    for (int k = 1; k <= 40; ++k)
        amounts << QStringLiteral(" %1,00 ").arg(k);
    const QList<qint64> kept = Chart(amounts).values();
    EXPECT_EQ(kept.size(), 32);
    EXPECT_EQ(kept.value(0), 9);
}

TEST(Chart, AScaleInRoundStepsAndANameForEachBarShown)
{
    const struct
    {
        QStringList amounts;
        QList<qint64> scale;
    } cases[] = {
        {{"11"}, {0, 2, 4, 6, 8, 10}},
        {{"10", "3"}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {{"12", "4500,4"}, {0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500}},
        {{"-3", "0"}, {}},
    };
    for (const auto &c : cases) {
        const Chart chart(c.amounts);
        EXPECT_EQ(chart.scale(), c.scale) << c.amounts.join(' ').toStdString();
        if (!c.scale.isEmpty()) {
            EXPECT_EQ(chart.yOf(chart.maximum()), Chart::kAxisY - Chart::kTallest);
        }
    }
    QStringList amounts, months;
    for (int i = 0; i < 33; ++i)
        amounts << QString::number(i), months << QStringLiteral(" Mois %1 ").arg(i);
    const Chart chart(amounts, months);
    ASSERT_EQ(chart.labels().size(), 32);
    EXPECT_EQ(chart.labels().first() + "/" + chart.labels().last(), "Mois 1/Mois 32");
}
