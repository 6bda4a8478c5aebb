#include "print/print_document.h"

#include <QRawFont>

#include <gtest/gtest.h>

TEST(PrintDocument, MhMvUseWholePixelsPerMillimetreAndMvIsThreeMillimetresLow)
{
    // 4724 px over 200 mm is 23.62 px/mm: positions use 23.
    const PageMetrics m{4724, 6780, 200, 287};
    EXPECT_EQ(Mh(m, 0), 0);
    EXPECT_EQ(Mh(m, 35), 35 * 23);
    EXPECT_EQ(Mv(m, 0), 3 * 23);
    EXPECT_EQ(Mv(m, 60), 63 * 23);
    EXPECT_EQ(Mh(PageMetrics{}, 10), 0); // no printer: no division by zero
    EXPECT_EQ(Mv(PageMetrics{}, 10), 0);
}

// The width table against the font the printer is given for Arial.
TEST(PrintDocument, ArialWidthsMatchLiberationSans)
{
    for (bool bold : {false, true}) {
        QFont f("Arial");
        f.setBold(bold);
        f.setPixelSize(1000);
        const QRawFont raw = QRawFont::fromFont(f);
        if (!raw.familyName().contains("Liberation Sans"))
            GTEST_SKIP() << "Arial is not Liberation Sans here";
        const QString chars =
            QStringLiteral(" !\"#%&'()*,-./019:;?@ABIJMWZ[]^_`abfijlmrtwz{|}~éèàçôÉÇ°€");
        for (QChar c : chars) {
            const QList<quint32> glyphs = raw.glyphIndexesForString(QString(c));
            const double font = raw.advancesForGlyphIndexes(glyphs).value(0).x();
            const double table = arialWidthMm(QString(c), 72.0 / 25.4 * 1000, bold);
            EXPECT_NEAR(table, font, 1.5) << QString(c).toStdString() << (bold ? " bold" : "");
        }
    }
    // 4725 thousandths of an em at 10 points.
    EXPECT_NEAR(arialWidthMm(u"Téléphone", 10), 47.25 * 25.4 / 72, 1e-9);
}
