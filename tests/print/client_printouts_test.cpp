#include "clients/client_printouts.h"
#include "print_items.h"

#include <gtest/gtest.h>

TEST(ClientList, ChosenClientNumbersAreBlockNumbersLessOneWithinTheTable)
{
    // Client numbers 3 to 5 are blocks 2, 3 and 4.
    const RecordTable t = clients(8);
    const PrintDocument doc = ImpCli(t, clientBlocks(3, 5, 8), kLandscape);
    ASSERT_EQ(doc.pages().size(), 1);
    const PrintPage &p = doc.pages()[0];
    EXPECT_EQ(column(p, 5), (QStringList{"Nom 2", "Nom 3", "Nom 4"}));
    EXPECT_EQ(textAt(p, 255, 10), "Fax 2");

    EXPECT_EQ(clientBlocks(0, 99, 8).first, 0);
    EXPECT_EQ(clientBlocks(0, 99, 8).last, 7);
    // A missing block is skipped without leaving a gap.
    EXPECT_EQ(column(ImpCli(clients(8, 3), clientBlocks(3, 5, 8), kLandscape).pages()[0], 5),
              (QStringList{"Nom 2", "Nom 4"}));
}

TEST(ClientList, LongTextsStopBeforeTheNextColumn)
{
    QStringList lines = clientBlock(0);
    lines[5] = "Résidence des Grands Chênes, bâtiment C, escalier 4";
    lines[7] = "75011";
    lines[10] = "+44 20 7946 0958 poste 1234";
    lines[11] = "+44 20 7946 0959 poste 5678 (bureau)";
    const PrintDocument doc = ImpCli(tableOf(lines), clientBlocks(1, 1, 1), kLandscape);
    const PrintPage &p = doc.pages()[0];
    const struct
    {
        double x, next;
    } cut[] = {{55, 105}, {225, 255}, {255, double(kLandscape.widthMm)}};
    for (const auto &c : cut) {
        const QString t = textAt(p, c.x, 10);
        EXPECT_TRUE(t.endsWith(u'…')) << t.toStdString();
        const double w = arialWidthMm(t, 10);
        // Short of the next column, yet not cut more than a letter too soon.
        EXPECT_LT(c.x + w, c.next) << t.toStdString();
        EXPECT_GT(c.x + w, c.next - 5) << t.toStdString();
    }
    EXPECT_TRUE(textAt(p, 55, 10).startsWith("Résidence des Grands Ch"));
    EXPECT_EQ(textAt(p, 155, 10), "75011");
    EXPECT_EQ(textAt(p, 5, 10), "Nom 0"); // what fits is printed whole

    // A cut never ends on a blank before "…"; and a column too narrow for
    // "…" prints nothing.
    EXPECT_EQ(elidedArial("ab cdefgh", arialWidthMm(u"ab …", 10), PrintFont{}), "ab…");
    EXPECT_EQ(elidedArial("abc", 0.5, PrintFont{}), "");
}

TEST(PrintDocument, MhMvUseWholePixelsPerMillimetreAndMvIsThreeMillimetresLow)
{
    // 4724 px over 200 mm is 23.62 px/mm: positions use 23.
    EXPECT_EQ(Mv(PageMetrics{4724, 6780, 200, 287}, 60), 63 * 23);
    EXPECT_EQ(Mh(PageMetrics{}, 10), 0); // no printer: no division by zero
    EXPECT_EQ(Mv(PageMetrics{}, 10), 0);
}
