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

TEST(GridPrintout, RunsOverPagesWithItsHeadBandAndColumnLinesWithinTheMargins)
{
    const QDate today(2026, 6, 15);
    const PrintDocument doc = gridPrintout(sheetOf(100), "Statistiques ventes au 15/06/2026", "", 100,
                                           today, a4Metrics(600, false));
    ASSERT_GE(doc.pages().size(), 2);
    int rowsPrinted = 0;
    for (const PrintPage &page : doc.pages()) {
        ASSERT_NE(textItem(page, "Imprimé le 15/06/2026"), nullptr);
        EXPECT_NE(textItem(page, "C.A. mois"), nullptr);
        const auto fills = items(page, PrintItem::Kind::Fill);
        ASSERT_EQ(fills.size(), 1);
        EXPECT_EQ(fills[0]->rgb, 0xC0C0C0u);
        // Four column lines (three columns and the right edge), down to the last row.
        int vertical = 0;
        double lowest = 0;
        for (const PrintItem *l : items(page, PrintItem::Kind::Line)) {
            if (l->x == l->x2) {
                ++vertical;
                EXPECT_EQ(l->y, fills[0]->y);
            }
            lowest = std::max(lowest, l->y2);
        }
        EXPECT_EQ(vertical, 4);
        for (const PrintItem &i : page) {
            EXPECT_LE(i.y2, 287 - 287 / 25.0 - 3 + 1e-9); // within the bottom margin
            if (i.kind == PrintItem::Kind::Text && i.text.startsWith("Mois "))
                ++rowsPrinted;
        }
    }
    EXPECT_EQ(rowsPrinted, 100);
    EXPECT_NE(textItem(doc.pages().last(), "Mois 100"), nullptr);

    // It fits between the margins on any printer.
    // A printer narrower in pixels than the grid on screen.
    PageMetrics narrow{400, 560, 200, 280};
    const PrintDocument narrowDoc =
        gridPrintout(sheetOf(3), "t", "Tête", 2, QDate(2026, 1, 2), narrow);
    ASSERT_EQ(narrowDoc.pages().size(), 1);
    const PrintPage &page = narrowDoc.pages()[0];
    QList<double> columns;
    for (const PrintItem *l : items(page, PrintItem::Kind::Line))
        if (l->x == l->x2)
            columns << l->x;
    std::sort(columns.begin(), columns.end());
    ASSERT_EQ(columns.size(), 4);
    EXPECT_DOUBLE_EQ(columns.first(), 8);
    EXPECT_DOUBLE_EQ(columns.last(), 192);
    // Widths in proportion to the screen: 64, 321, 126 pixels.
    EXPECT_NEAR((columns[2] - columns[1]) / (columns[1] - columns[0]), 321.0 / 64, 1e-9);
    // Rows 1 and 2 only; the amount right-aligned at its column's edge.
    EXPECT_EQ(textItem(page, "Mois 3"), nullptr);
    const PrintItem *amount = textItem(page, "2,00");
    ASSERT_NE(amount, nullptr);
    EXPECT_TRUE(amount->align == Align::Right && amount->x > 190 && amount->x < 192) << amount->x;
    EXPECT_NE(textItem(page, "Tête"), nullptr);

    // The job is titled with today and lays out on the printer.
    const PrintJob job = gridPrintoutJob(sheetOf(2), "Statistiques clients au ", "", 2, QDate(2026, 3, 1));
    EXPECT_EQ(job.title, "Statistiques clients au 01/03/2026");
    const PrintDocument laidOut = job.layout(a4Metrics(300, false), {});
    EXPECT_EQ(laidOut.title(), job.title);
    EXPECT_NE(textItem(laidOut.pages()[0], "Mois 2"), nullptr);
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
    const Chart two(QStringList{"8000000", "16000000"});
    EXPECT_EQ(two.bars()[0].top(), Chart::kAxisY - 140);

    // The last 32 values are kept, rounded half to even.
    QStringList amounts;
    for (int k = 1; k <= 40; ++k)
        amounts << QStringLiteral(" %1,50 ").arg(k);
    const Chart last(amounts);
    ASSERT_EQ(last.values().size(), 32);
    // 9,5, 10,5 and 40,5.
    EXPECT_EQ(QList({last.values()[0], last.values()[1], last.values()[31]}),
              QList<qint64>({10, 10, 40}));
    const QList<QRect> lastBars = last.bars();
    ASSERT_EQ(lastBars.size(), 32);
    EXPECT_EQ(lastBars.last().top(), Chart::kAxisY - Chart::kTallest);
    EXPECT_EQ(lastBars.last().left(), 20 + 15 * 31);
    EXPECT_EQ(lastBars.first().top(), Chart::kAxisY - 10 * 280 / 40);
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
        {{"120000000"}, {0, 20000000, 40000000, 60000000, 80000000, 100000000, 120000000}},
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
