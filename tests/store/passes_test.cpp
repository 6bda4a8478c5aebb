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

// A damaged table and the sound form the repair gives it; the other damages'
// sound forms are the fixture sets' expected files. The report counts:
// dropped lines, end and start markers added, copies removed, blocks
// renumbered, lines neutralised.
TEST(Repair, GivesEachDamagedTableItsSoundForm)
{
    const struct
    {
        const char *what;
        int count;
        const char *report;
        QStringList lines, repaired;
    } cases[] = {
        // A client named "<BLOC00000>" and a note "</BLOC99999>": client 0
        // is not touched, and client 1 keeps every field in its place.
        {"text that looks like a marker stays in its block",
         2,
         "0 0 0 0 0 3",
         {"<BLOC00000>", "DUPONT", "</BLOC00000>", "<BLOC00001>", "<BLOC00000>", "MEMO x",
          "</BLOC99999>", "<BLOC", "</BLOC00001>"},
         {"<BLOC00000>", "DUPONT", "</BLOC00000>", "<BLOC00001>", " <BLOC00000>", "MEMO x",
          " </BLOC99999>", " <BLOC", "</BLOC00001>"}},
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
