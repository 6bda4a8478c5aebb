#include "table_helpers.h"

#include "store/field_index.h"

#include <functional>

#include <gtest/gtest.h>

TEST(RecordTable, BlockWithoutEndMarkerStopsAtTheNextBlock)
{
    // Rewriting block 0 must not take block 1 with it.
    RecordTable t = tableOf(QStringList{"<BLOC00000>", "a"} + blockLines(1, {"b"}));
    EXPECT_EQ(t.block(0), QList<QByteArray>({"<BLOC00000>", "a"}));
    t.writeBlock(0, latin1(blockLines(0, {"A"})), true);
    EXPECT_EQ(linesOf(t), oneLineBlocks({"A", "b"}));
    // A block whose end marker lies past another block ends before that one.
    RecordTable nested = tableOf(QStringList{"<BLOC00000>", "a"} + blockLines(1, {"b"}) +
                                 QStringList{"</BLOC00000>"});
    nested.removeBlock(0);
    EXPECT_EQ(linesOf(nested), blockLines(1, {"b"}) + QStringList{"</BLOC00000>"});
    // The last block without an end runs to the end of the table.
    RecordTable last = tableOf({"x", "<BLOC00000>", "a", "b"});
    last.removeBlock(0);
    EXPECT_EQ(linesOf(last), QStringList({"x"}));
}

// Rooms and invoices write a block back at the end of the table: the index
// follows without being rebuilt, and a marker standing twice still finds
// its first line. Written in place, a block keeps its place unless it was
// last: with no line after it, it is appended again.
TEST(RecordTable, ABlockMovedToTheEndIsFoundThereAndTheOthersStillFound)
{
    RecordTable t = tableOf(oneLineBlocks({"a", "b", "c"}));
    ASSERT_EQ(t.blockStart(1), 3);
    t.writeBlock(0, latin1(blockLines(0, {"A", "A2"})), true);
    EXPECT_EQ(linesOf(t), blockLines(0, {"A", "A2"}) + blockLines(1, {"b"}) + blockLines(2, {"c"}));
    t.writeBlock(1, latin1(blockLines(1, {"B", "B2"})), false);
    EXPECT_EQ(linesOf(t),
              blockLines(0, {"A", "A2"}) + blockLines(2, {"c"}) + blockLines(1, {"B", "B2"}));
    EXPECT_EQ(t.blockStart(0), 0);
    EXPECT_EQ(t.blockStart(2), 4);
    EXPECT_EQ(t.blockStart(1), 7);
    // The last block rewritten in place stays last.
    t.writeBlock(1, latin1(blockLines(1, {"B3"})), true);
    EXPECT_EQ(t.lines(7, 3), latin1(blockLines(1, {"B3"})));
    EXPECT_EQ(t.blockStart(2), 4);
    // A block written into an empty table is appended.
    RecordTable empty;
    empty.writeBlock(0, latin1(blockLines(0, {})), true);
    EXPECT_EQ(empty.size(), 2);

    RecordTable twice = tableOf(oneLineBlocks({"a"}) + oneLineBlocks({"copy"}));
    ASSERT_EQ(twice.blockStart(0), 0);
    twice.writeBlock(0, latin1(blockLines(0, {"A"})), false);
    // The copy is now the first line carrying the marker.
    EXPECT_EQ(twice.blockStart(0), 0);
    EXPECT_EQ(twice.block(0)[1], "copy");
}

TEST(RecordTable, ManyChangesKeepEveryLine)
{
    // Enough rewrites to make the side buffer start again more than once.
    RecordTable t(4);
    QList<QByteArray> expected;
    for (int i = 0; i < 200; ++i)
        expected << QByteArray::number(i);
    t.insert(0, expected);
    const QByteArray big(100000, 'x');
    for (int round = 0; round < 300; ++round) {
        const int i = (round * 7) % 200;
        expected[i] = QByteArray::number(round) + big.left(round * 97);
        t.setLine(i, expected[i]);
    }
    t.append(big);
    expected << big;
    EXPECT_EQ(t.lines(0, t.size()), expected);
}

// Blocks with their code on line 1; each case changes the table between two
// lookups and says which block the second finds and how many blocks that
// lookup may read again (-1: any number, the table changed as a whole).
TEST(FieldIndex, FindsTheFirstBlockInTableOrderReadingOnlyWhatChanged)
{
    auto block = [](int n, const QString &code) { return blockLines(n, {code, "x"}); };
    struct Case
    {
        const char *what;
        std::function<void(RecordTable &)> change;
        QByteArray code;
        qint64 found;
        int reads;
    };
    const std::vector<Case> cases = {
        {"field changed in place", [](RecordTable &t) { t.setLine(5, " A "); }, "A", 1, 1},
        {"code moved away", [](RecordTable &t) { t.setLine(5, "Z"); }, "B", 4, 1},
        {"first block rewritten to a later one's code, growing",
         [&](RecordTable &t) {
             t.writeBlock(2, latin1(block(2, "C") + QStringList{"MEMO"}), true);
         },
         "C", 2, 1},
        {"marker line changed", [](RecordTable &t) { t.setLine(8, "<BLOC00009>"); }, "A", 9, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        // Block 2 stands first; blocks 1 and 3 share a code.
        RecordTable t =
            tableOf(block(2, "A0") + block(1, "B") + block(0, "A") + block(3, "C") + block(4, "B"));
        FieldIndex index(1);
        ASSERT_EQ(index.firstBlock(t, "A"), 0);
        const quint64 before = index.blocksRead();
        c.change(t);
        EXPECT_EQ(index.firstBlock(t, c.code), c.found);
        if (c.reads >= 0) {
            EXPECT_EQ(index.blocksRead() - before, quint64(c.reads));
        }
    }
}
