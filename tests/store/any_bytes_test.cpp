// Files edited by hand or cut short must never crash a reader or a pass.

#include "store/file_set.h"
#include "table_helpers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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
        writeSetFiles(dir.path(), "X", {bytes, bytes, bytes, bytes, bytes, bytes, bytes});
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

