#include "passes.h"

#include <vector>

namespace passes {

int squeeze(RecordTable &table)
{
    qsizetype first = 0;
    while (first < table.size() && !RecordTable::isStart(table.line(first)))
        ++first;
    if (first > 0)
        table.remove(0, first);
    return int(first);
}

bool verify(RecordTable &table, int &count, Report *report)
{
    qsizetype balance = 0;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QByteArrayView l = table.line(i);
        if (RecordTable::isStart(l))
            ++balance;
        else if (RecordTable::isEnd(l))
            --balance;
    }
    if (balance == 0)
        return false;

    std::vector<qsizetype> kept;
    kept.reserve(std::size_t(table.size()));
    for (int n = 0; n < count; ++n) {
        const qsizetype start = table.blockStart(n);
        if (start < 0)
            break;
        // Copied up to its end marker or, without one, to the end of the
        // table; the duplicate pass then removes what was copied twice.
        qsizetype end = table.indexOf(table.endMarker(n), start);
        if (end < 0)
            end = table.size() - 1;
        for (qsizetype i = start; i <= end; ++i)
            kept.push_back(i);
    }
    const qsizetype before = table.size();
    table.keepLines(kept);
    const int oldCount = count;
    count = table.countBlocks();
    if (report) {
        report->rebuilt = true;
        report->linesDropped += int(std::max<qsizetype>(0, before - table.size()));
        report->blocksLost += std::max(0, oldCount - count);
    }
    return true;
}

int removeDuplicates(RecordTable &table, int count, bool guarded, Report *report)
{
    if (guarded && count < 1)
        return 0;
    std::vector<int> tally(std::size_t(std::max(count, 0)), 0);
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QByteArrayView l = table.line(i);
        if (!RecordTable::isStart(l))
            continue;
        const std::optional<qint64> n = table.markerNumber(l);
        if (!n && guarded)
            break;
        if (n && *n >= 0 && *n < count)
            ++tally[std::size_t(*n)];
    }
    int removed = 0;
    for (int n = 0; n < count; ++n) {
        if (tally[std::size_t(n)] < 2)
            continue;
        // "<BLOC 0001>" reads as 1 but is not the marker of 1.
        const qsizetype start = table.blockStart(n);
        if (start < 0)
            continue;
        const qsizetype lines = table.blockEnd(start, n) - start + 1;
        table.remove(start, lines);
        ++removed;
        if (report) {
            report->duplicatesRemoved++;
            report->linesDropped += int(lines);
        }
    }
    return removed;
}

bool deleteBlock(RecordTable &table, qint64 n)
{
    return table.removeBlock(n) >= 0;
}

void renumber(RecordTable &table, int &count, int k)
{
    if (count < 2)
        return;
    for (qsizetype i = 0; i < table.size(); ++i) {
        const QByteArrayView l = table.line(i);
        const bool start = RecordTable::isStart(l);
        if (!start && !RecordTable::isEnd(l))
            continue;
        const std::optional<qint64> m = table.markerNumber(l);
        if (m && *m - 1 >= k)
            table.setLine(i, start ? table.startMarker(*m - 1) : table.endMarker(*m - 1));
    }
    --count;
}

} // namespace passes

