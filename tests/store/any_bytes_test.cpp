// Files edited by hand or cut short must never crash a reader or a pass.

#include "store/file_set.h"
#include "store/passes.h"
#include "table_helpers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// Random bytes biased towards what matters to the store: markers, digits,
// line ends and tabs.
QByteArray noise(std::mt19937 &rng, int size)
{
    static const QList<QByteArray> pieces = {"<BLOC", "</BLOC", "0000", "00001>", "0>", ">", "\r\n",
                                             "\r",    "\n",     "\t",   "DATA",   "MEMO", "\xE9", "-1",
                                             "x",     "99999",  "<BLOC00000>", "</BLOC00000>"};
    QByteArray out;
    while (out.size() < size) {
        if (rng() % 3 == 0)
            out += char(rng() % 256);
        else
            out += pieces[rng() % pieces.size()];
    }
    return out;
}

} // namespace

TEST(AnyBytes, PassesSurviveNoiseAndKeepTheirPromises)
{
    std::mt19937 rng(20261206);
    for (int round = 0; round < 400; ++round) {
        for (int width : {5, 4}) {
            RecordTable t(width);
            t.setBytes(noise(rng, int(rng() % 600)));
            int count = t.countBlocks();
            if (passes::repair(t, count)) {
                // A rebuilt table holds blocks 0, 1, ... in that order.
                EXPECT_EQ(count, t.countBlocks());
                EXPECT_TRUE(t.isEmpty() || t.line(0) == t.startMarker(0));
            }
            for (int n = 0; n < count; ++n)
                EXPECT_GE(t.blockStart(n), 0);
            for (int n = -1; n <= count; ++n)
                t.block(n);
            t.writeBlock(int(rng() % 3), {t.startMarker(0), "x", t.endMarker(0)}, rng() % 2);
            passes::deleteBlock(t, int(rng() % 4));
            passes::renumber(t, count, int(rng() % 3));
            passes::squeeze(t);
            EXPECT_TRUE(t.isEmpty() || RecordTable::isStart(t.line(0)));
            // Whatever is left is written back with CR LF endings only.
            RecordTable again(width);
            again.setBytes(t.toBytes());
            EXPECT_EQ(again.lines(0, again.size()), t.lines(0, t.size()));
        }
    }
}

TEST(AnyBytes, OpeningStrangeFilesNeverFails)
{
    const QList<QByteArray> files = {
        "",
        "</BLOC00001>",
        "<BLOC00000>",
        "<BLOC",
        "<BLOC00000>\r</BLOC00000>\r<BLOC00001>\r",          // CR only
        "<BLOCabcde>\r\n</BLOCabcde>\r\n<BLOCabcde>\r\n",     // not numbers
        "<BLOC-0001>\r\n</BLOC-0001>\r\n",
        "<BLOC00000>\r\n" + QByteArray(100000, 'A') + "\r\n</BLOC00000>\r\n",
        QByteArray(300000, '\n'),
        QByteArray("\0\0\xFF\xFE\n<BLOC00000>\0", 18),
    };
    QTemporaryDir dir;
    for (const QByteArray &bytes : files) {
        for (const char *ext : {"htl", "chb", "fct", "mnc", "stk", "frs", "cmd"})
            writeFile(dir.filePath(QStringLiteral("X.") + QLatin1String(ext)), bytes);
        FileSet set;
        ASSERT_TRUE(set.Charge(dir.filePath("X.htl"), dir.path()));
        for (Table t : kBlockTables) {
            set.setPosition(t, 0);
            set.deleteCurrent(t);
            EXPECT_GE(set.count(t), 0);
        }
        set.SetSauve();
        ASSERT_TRUE(set.Sauve(set.clientFile()));
        FileSet reopened;
        EXPECT_TRUE(reopened.Charge(dir.filePath("X.htl"), dir.path()));
    }
}

