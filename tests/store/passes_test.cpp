#include "store/passes.h"
#include "table_helpers.h"

#include <gtest/gtest.h>

using namespace passes;

namespace {

// Repairs a copy of the lines; gives the lines after it and the count.
struct Repaired
{
    QStringList lines;
    int count = 0;
    bool changed = false;
    Report report;
};

Repaired repaired(const QStringList &lines, int width = 5)
{
    RecordTable t = tableOf(lines, width);
    Repaired r;
    r.count = t.countBlocks();
    r.changed = repair(t, r.count, &r.report);
    r.lines = linesOf(t);
    // A repaired table needs nothing more.
    int again = r.count;
    EXPECT_FALSE(repair(t, again));
    EXPECT_EQ(again, r.count);
    return r;
}

} // namespace

TEST(Squeeze, DropsOnlyTheLinesBeforeTheFirstBlock)
{
    RecordTable t = tableOf(
        {"", "junk", "<BLOC00000>", "</BLOC00000>", "between", "<BLOC00001>", "</BLOC00001>"});
    EXPECT_EQ(squeeze(t), 2);
    EXPECT_EQ(linesOf(t).first(), "<BLOC00000>");
    EXPECT_TRUE(linesOf(t).contains("between"));
    RecordTable noBlock = tableOf({"a", "b"});
    squeeze(noBlock);
    EXPECT_TRUE(noBlock.isEmpty());
}

// Each damage a table can take, and the sound form the repair gives it.
// The report counts: dropped lines, end and start markers added, copies
// removed, blocks renumbered, lines neutralised.
TEST(Repair, GivesEachDamagedTableItsSoundForm)
{
    const struct
    {
        const char *what;
        int count;
        const char *report;
        QStringList lines, repaired;
    } cases[] = {
        {"out of order, a line between blocks: sound all the same",
         2,
         "0 0 0 0 0 0",
         {"<BLOC00001>", "b", "</BLOC00001>", "note", "<BLOC00000>", "a", "</BLOC00000>"},
         {"<BLOC00001>", "b", "</BLOC00001>", "note", "<BLOC00000>", "a", "</BLOC00000>"}},
        {"lost end markers are given back without copying anything",
         4,
         "1 2 0 0 0 0",
         {"stray", "<BLOC00001>", "b", "</BLOC00001>", "<BLOC00000>", "a", "<BLOC00002>", "c",
          "</BLOC00002>", "<BLOC00003>", "d"},
         oneLineBlocks({"a", "b", "c", "d"})},
        {"gaps and unreadable numbers are closed in number order",
         4,
         "0 0 0 0 3 0",
         {"<BLOC00007>", "g", "</BLOC00007>", "<BLOCxy>", "?", "</BLOCxy>", "<BLOC00000>", "a",
          "</BLOC00000>", "<BLOC 0003>", "c", "</BLOC 0003>"},
         oneLineBlocks({"a", "c", "g", "?"})},
        // The last block of each number keeps it; an exact copy goes; a
        // different block is numbered after the others.
        {"copies go but different blocks of one number stay",
         3,
         "0 0 0 2 1 0",
         {"<BLOC00000>", "a", "</BLOC00000>", "<BLOC00001>", "old", "</BLOC00001>", "<BLOC00001>",
          "b", "</BLOC00001>", "<BLOC00001>", "b", "</BLOC00001>", "<BLOC00000>", "a",
          "</BLOC00000>"},
         oneLineBlocks({"a", "b", "old"})},
        // A client named "<BLOC00000>" and a note "</BLOC99999>": client 0
        // is not touched, and client 1 keeps every field in its place.
        {"text that looks like a marker stays in its block",
         2,
         "0 0 0 0 0 3",
         {"<BLOC00000>", "DUPONT", "</BLOC00000>", "<BLOC00001>", "<BLOC00000>", "MEMO x",
          "</BLOC99999>", "<BLOC", "</BLOC00001>"},
         {"<BLOC00000>", "DUPONT", "</BLOC00000>", "<BLOC00001>", " <BLOC00000>", "MEMO x",
          " </BLOC99999>", " <BLOC", "</BLOC00001>"}},
        {"a lost start marker is given back and lone end markers go",
         3,
         "3 0 1 0 0 0",
         {"<BLOC00000>", "a", "</BLOC00000>", "b1", "b2", "</BLOC00001>", "</BLOC00009>", "",
          "</BLOC00007>", "<BLOC00002>", "c", "</BLOC00002>"},
         oneLineBlocks({"a"}) + blockLines(1, {"b1", "b2"}) + blockLines(2, {"c"})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Repaired r = repaired(c.lines);
        EXPECT_EQ(r.lines, c.repaired);
        EXPECT_EQ(r.count, c.count);
        EXPECT_EQ(r.changed, c.lines != c.repaired);
        const Report &p = r.report;
        EXPECT_EQ(p.changed(), r.changed);
        EXPECT_EQ(QString::asprintf("%d %d %d %d %d %d", p.linesDropped, p.endMarkersAdded,
                                    p.startMarkersAdded, p.duplicatesRemoved, p.renumbered,
                                    p.neutralised),
                  c.report);
    }
    EXPECT_EQ(repaired({"stray", "<BLOC00000>", "a", "<BLOC00001>", "b"}).report.describe(),
              "2 marqueurs de fin ajoutés, 1 ligne hors fiche retirée");
}

// A twenty-year hotel passes 99,999 invoices: a marker's number keeps every
// digit. A whole set past that width through repair, deletion and
// renumbering is FileSet.InvoicesPastTheMarkerWidthAreKeptThroughASave's.
TEST(WideNumbers, MarkersKeepEveryDigit)
{
    EXPECT_EQ(RecordTable::numberText(12, 5), "00012");
    EXPECT_EQ(RecordTable::numberText(100000, 5), "100000");
    EXPECT_EQ(RecordTable::numberText(12345, 4), "12345");
    EXPECT_EQ(RecordTable::markerNumber("<BLOC100000>"), 100000);
    EXPECT_EQ(RecordTable::markerNumber("</BLOC0012>"), 12);
    EXPECT_FALSE(RecordTable::markerNumber("<BLOC00012x>"));
    // "<BLOC0100000>" reads as 100000 but is not its marker.
    EXPECT_FALSE(RecordTable(5).startNumber("<BLOC0100000>"));
    EXPECT_FALSE(RecordTable(5).startNumber("<BLOC0012>"));
    EXPECT_EQ(RecordTable(4).startNumber("<BLOC10000>"), 10000);
}

TEST(Renumber, BlocksAboveTheDeletedOneCloseTheGap)
{
    RecordTable t = tableOf(oneLineBlocks({"a", "b", "c"}));
    int count = 3;
    ASSERT_TRUE(deleteBlock(t, 0));
    renumber(t, count, 0);
    EXPECT_EQ(linesOf(t), oneLineBlocks({"b", "c"}));
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
