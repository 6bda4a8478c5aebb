#include "store/file_set.h"
#include "table_helpers.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

bool generate(const QString &dir)
{
    return QProcess::execute(QStringLiteral(CARVELLE_GENERATOR),
                             {"--small", "--seed", "3", dir, "DEMO"}) == 0;
}

} // namespace

// The demo hotel is a sound set: it opens without a repair, comes back byte
// for byte, and the generator writes the same bytes from the same seed.
TEST(GeneratedHotel, DemoSetIsSoundAndReproducible)
{
    QTemporaryDir a, b;
    ASSERT_TRUE(generate(a.path()) && generate(b.path()));
    FileSet set;
    ASSERT_TRUE(set.Charge(a.filePath("DEMO.htl"), a.path()));
    EXPECT_TRUE(set.messages().isEmpty()) << qPrintable(set.messages().join('\n'));
    EXPECT_FALSE(set.isDirty());
    EXPECT_GE(set.count(Table::Clients), 100);
    for (Table t : kBlockTables) {
        // Every record is where its number says, whole.
        for (int n = 0; n < set.count(t); ++n) {
            const qsizetype start = set.table(t).blockStart(n);
            ASSERT_GE(start, 0) << tableInfo(t).name << ' ' << n;
            EXPECT_EQ(set.table(t).line(set.table(t).blockEnd(start, n)), set.table(t).endMarker(n));
        }
    }
    for (Table t : kAllTables) {
        const QString name = QFileInfo(set.fileName(t)).fileName();
        EXPECT_EQ(readFile(a.filePath(name)), readFile(b.filePath(name))) << qPrintable(name);
        EXPECT_EQ(set.table(t).toBytes(), readFile(a.filePath(name))) << qPrintable(name);
    }
}
