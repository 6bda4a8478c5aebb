#pragma once

#include "record_table.h"

#include <vector>

// The blocks of a table as the sorts move them, whole.

// A block as a sort moves it: its start marker line, the last line before
// its end marker, and the end marker line (-1 when it has none).
struct BlockSpan
{
    qsizetype start, last, end;
};

// Every block in table order; the lines outside blocks are left out.
inline std::vector<BlockSpan> blockSpans(const RecordTable &t)
{
    std::vector<BlockSpan> blocks;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QByteArrayView l = t.line(i);
        if (!RecordTable::isStart(l))
            continue;
        const qsizetype end = t.blockEnd(i, t.markerNumber(l).value_or(-1));
        const bool closed = end > i && RecordTable::isEnd(t.line(end));
        blocks.push_back({i, closed ? end - 1 : end, closed ? end : -1});
        i = end;
    }
    return blocks;
}
