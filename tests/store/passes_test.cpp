#include "store/passes.h"
#include "table_helpers.h"

#include <gtest/gtest.h>

using namespace passes;

TEST(Squeeze, DropsOnlyTheLinesBeforeTheFirstBlock)
{
    RecordTable t = tableOf({"", "junk", "<BLOC00000>", "</BLOC00000>", "between", "<BLOC00001>",
                             "</BLOC00001>"});
    EXPECT_EQ(squeeze(t), 2);
    EXPECT_EQ(linesOf(t).first(), "<BLOC00000>");
    EXPECT_TRUE(linesOf(t).contains("between"));
    RecordTable noBlock = tableOf({"a", "b"});
    squeeze(noBlock);
    EXPECT_TRUE(noBlock.isEmpty());
}

TEST(Verify, MissingEndMarkerRebuildsInNumberOrder)
{
    RecordTable t = tableOf({"stray", "<BLOC00001>", "b", "</BLOC00001>", "<BLOC00000>", "a",
                             "<BLOC00002>", "c", "</BLOC00002>", "<BLOC00009>", "z", "</BLOC00009>"});
    int count = t.countBlocks();
    ASSERT_EQ(count, 4);
    Report r;
    EXPECT_TRUE(verify(t, count, &r));
    // Block 0 has lost its end: it runs to the end of the table, so its copy
    // holds blocks 2 and 9 too; then 1 and 2 follow. Block 3 is missing, so
    // nothing is looked for after it.
    EXPECT_EQ(linesOf(t), QStringList({"<BLOC00000>", "a", "<BLOC00002>", "c", "</BLOC00002>",
                                       "<BLOC00009>", "z", "</BLOC00009>", "<BLOC00001>", "b",
                                       "</BLOC00001>", "<BLOC00002>", "c", "</BLOC00002>"}));
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(r.rebuilt);
}

TEST(Verify, MissingStartMarkerLosesTheBlocksFromThere)
{
    RecordTable t = tableOf({"<BLOC00000>", "a", "</BLOC00000>", "b", "</BLOC00001>", "<BLOC00002>",
                             "c", "</BLOC00002>"});
    int count = 3; // as counted when the file was opened
    Report r;
    EXPECT_TRUE(verify(t, count, &r));
    EXPECT_EQ(linesOf(t), QStringList({"<BLOC00000>", "a", "</BLOC00000>"}));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(r.blocksLost, 2);
    EXPECT_EQ(r.linesDropped, 5);
}

TEST(Duplicates, FirstCopyOfARepeatedNumberGoes)
{
    RecordTable t = tableOf({"<BLOC00000>", "</BLOC00000>", "<BLOC00003>", "old", "</BLOC00003>",
                             "<BLOC00001>", "</BLOC00001>", "<BLOC00002>", "</BLOC00002>",
                             "<BLOC00003>", "new", "</BLOC00003>"});
    const int count = t.countBlocks();
    EXPECT_EQ(removeDuplicates(t, count, false), 1);
    EXPECT_FALSE(linesOf(t).contains("old"));
    EXPECT_TRUE(linesOf(t).contains("new"));
    // A number outside the count takes no part.
    RecordTable outside = tableOf({"<BLOC00007>", "</BLOC00007>", "<BLOC00007>", "</BLOC00007>"});
    EXPECT_EQ(removeDuplicates(outside, 2, false), 0);
}

TEST(Duplicates, UnreadableNumbers)
{
    const QStringList lines = {"<BLOC00000>", "a", "</BLOC00000>", "<BLOCxx>",   "</BLOCxx>",
                               "<BLOC00000>", "b", "</BLOC00000>"};
    // Clients and rooms leave the marker out and go on...
    RecordTable clients = tableOf(lines);
    EXPECT_EQ(removeDuplicates(clients, 2, false), 1);
    EXPECT_FALSE(linesOf(clients).contains("a"));
    // ... the other tables end the pass there.
    RecordTable invoices = tableOf(lines);
    EXPECT_EQ(removeDuplicates(invoices, 2, true), 0);
    EXPECT_EQ(invoices.size(), lines.size());
    // Guarded tables do nothing without a count.
    RecordTable empty = tableOf({"<BLOC0000>", "</BLOC0000>", "<BLOC0000>", "</BLOC0000>"}, 4);
    EXPECT_EQ(removeDuplicates(empty, 0, true), 0);
}

TEST(Renumber, BlocksAboveTheDeletedOneCloseTheGap)
{
    RecordTable t = tableOf({"<BLOC00000>", "a", "</BLOC00000>", "<BLOC00001>", "b", "</BLOC00001>",
                             "<BLOC00002>", "c", "</BLOC00002>"});
    int count = 3;
    ASSERT_TRUE(deleteBlock(t, 0));
    renumber(t, count, 0);
    EXPECT_EQ(linesOf(t), QStringList({"<BLOC00000>", "b", "</BLOC00000>", "<BLOC00001>", "c",
                                       "</BLOC00001>"}));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(t.blockStart(1), 3);

    // Deleting the last block removes its end marker too.
    ASSERT_TRUE(deleteBlock(t, 1));
    EXPECT_EQ(t.size(), 3);

    // With one record nothing is renumbered and the count stays.
    RecordTable one = tableOf({"<BLOC00000>", "</BLOC00000>"});
    int oneCount = 1;
    deleteBlock(one, 0);
    renumber(one, oneCount, 0);
    EXPECT_EQ(oneCount, 1);
}

TEST(Renumber, CodesThatAreNotNumbersAreLeftAlone)
{
    RecordTable t = tableOf({"<BLOC00000>", "</BLOC00000>", "<BLOCabc", "<BLOC", "</BLOC-x>",
                             "<BLOC00002>", "</BLOC00002>"},
                            5);
    int count = 3;
    renumber(t, count, 1);
    EXPECT_EQ(linesOf(t), QStringList({"<BLOC00000>", "</BLOC00000>", "<BLOCabc", "<BLOC", "</BLOC-x>",
                                       "<BLOC00001>", "</BLOC00001>"}));
    EXPECT_EQ(count, 2);
}
