#pragma once

#include "record_table.h"

#include <QString>

// The passes that keep a block table sound: compaction before a save, the
// repair at every open, deletion of a block by number, and renumbering after
// a record is deleted. One routine serves every block table; a table differs
// only by its marker width.
namespace passes {

// What a pass changed, for the messages and for the file-set tool.
struct Report
{
    bool rebuilt = false;        // the repair rewrote the table
    int linesDropped = 0;        // lines outside any block that were dropped
    int endMarkersAdded = 0;     // blocks that had lost their end marker
    int startMarkersAdded = 0;   // blocks that had lost their start marker
    int duplicatesRemoved = 0;   // copies of a block identical to the one kept
    int renumbered = 0;          // blocks given another number (gaps, unreadable
                                 // or repeated numbers, markers spelt otherwise)
    int neutralised = 0;         // lines inside a block that looked like a marker,
                                 // kept with one leading blank
    qint64 bytesAdded = 0;       // bytes of the lines the repair wrote anew
    int leadingLinesDropped = 0; // lines before the first block (compaction)

    bool changed() const { return rebuilt || leadingLinesDropped; }
    // What changed, in French ("1 marqueur de fin ajouté, 2 lignes retirées").
    QString describe() const;
};

// Drops the lines before the first start marker; returns how many.
int squeeze(RecordTable &table);

// Puts a table whose blocks are damaged into its sound form, in one sweep
// that reads and one that writes, whatever the bytes:
//  - a block ends at the first line that is its end marker; one that lost it
//    ends before the next line that begins a block (or at the end of the
//    table), and is given its end marker there;
//  - a line inside a block that begins "<BLOC" or "</BLOC" but is neither
//    the block's marker nor the start of the next block (a name typed as
//    "<BLOC00000>", say) is kept as text, with one leading blank;
//  - a copy of a block identical to the last block of that number goes;
//    a different block of the same number is kept under a new number;
//  - the blocks are renumbered 0, 1, 2, ... in the order of their numbers,
//    then those whose number could not be read, so no gap is left;
//  - lines standing between a block and a lone end marker are that
//    block's lines: they are given back their start marker;
//  - other lines between blocks and end markers outside any block go.
// A table that is already sound (every block closed, numbered 0 .. n-1 once
// each, markers as startMarker writes them) is left untouched, its lines
// between blocks included. `count` becomes the number of blocks. Returns
// whether the table changed.
bool repair(RecordTable &table, int &count, Report *report = nullptr);

// Deletes the first block numbered n; returns whether there was one.
bool deleteBlock(RecordTable &table, qint64 n);

// After the block at position k has been removed: the blocks above k close
// the gap and the count goes down by one. Nothing changes when the count is
// below 2. Markers whose number is not a whole number are left as they are.
void renumber(RecordTable &table, int &count, int k);

} // namespace passes
