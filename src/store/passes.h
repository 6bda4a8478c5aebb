#pragma once

#include "record_table.h"

// The passes that keep a block table sound: compaction before a save,
// verification and duplicate removal at every open, deletion of a block by
// number, and renumbering after a record is deleted. One routine serves every
// block table; a table differs only by its marker width and its guards.
namespace passes {

// What a pass changed, for the messages and for the file-set tool.
struct Report
{
    bool rebuilt = false;        // the verification rebuilt the table
    int linesDropped = 0;        // lines that are no longer in the table
    int blocksLost = 0;          // blocks counted before that the rebuild lost
    int duplicatesRemoved = 0;   // second copies of a block number removed
    int leadingLinesDropped = 0; // lines before the first block (compaction)

    bool changed() const
    {
        return rebuilt || linesDropped || duplicatesRemoved || leadingLinesDropped;
    }
};

// Drops the lines before the first start marker; returns how many.
int squeeze(RecordTable &table);

// Rebuilds the table in block-number order when its start and end markers
// do not balance: blocks 0 .. count-1 are taken up to the first missing
// number, each up to its end marker or the end of the table; everything else
// is dropped. `count` becomes the number of blocks of the rebuilt table.
// Returns whether the table was rebuilt.
bool verify(RecordTable &table, int &count, Report *report = nullptr);

// Removes the first copy of each block number (0 .. count-1) that appears
// more than once. The count is not changed. With `guarded` (invoices,
// articles, suppliers, orders) the pass does nothing when the count is below
// 1 and ends at the first marker whose number is not a whole number; the
// client and room tables leave such markers out and go on.
int removeDuplicates(RecordTable &table, int count, bool guarded, Report *report = nullptr);

// Deletes the first block numbered n; returns whether there was one.
bool deleteBlock(RecordTable &table, qint64 n);

// After the block at position k has been removed: the blocks above k close
// the gap and the count goes down by one. Nothing changes when the count is
// below 2. Markers whose number is not a whole number are left as they are.
void renumber(RecordTable &table, int &count, int k);

} // namespace passes
