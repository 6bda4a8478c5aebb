#pragma once

#include "store/record_table.h"

#include <QByteArrayView>
#include <QDate>

#include <optional>

// Reading the field lines of client and room blocks in one pass over a
// table, without decoding them: what the reception, the day at a glance
// and their tools share.
namespace blockfields {

// The field lines of one block, as far as the block really reaches: a block
// cut short by a marker never lends the next block's lines as its fields.
struct Block
{
    const RecordTable *table;
    qsizetype start;
    int reach; // offsets below this are lines of the block

    qsizetype lineOf(int offset) const { return offset < reach ? start + offset : -1; }
    QByteArrayView field(int offset) const
    {
        return offset < reach ? table->line(start + offset) : QByteArrayView();
    }
    // The block's number (-1 when its marker does not read as one).
    int number() const { return int(RecordTable::markerNumber(table->line(start)).value_or(-1)); }
};

// Markers are rare: most lines fail on their first byte.
inline bool isMarker(QByteArrayView l)
{
    return !l.isEmpty() && l.front() == '<' && (RecordTable::isStart(l) || RecordTable::isEnd(l));
}

inline bool isStart(QByteArrayView l)
{
    return !l.isEmpty() && l.front() == '<' && RecordTable::isStart(l);
}

// The block starting at `start`, read up to `lastOffset` at most.
inline Block blockAt(const RecordTable &t, qsizetype start, int lastOffset)
{
    int k = 1;
    for (; k <= lastOffset && start + k < t.size(); ++k)
        if (isMarker(t.line(start + k)))
            break;
    return {&t, start, k};
}

// Calls f(block) for every block of the table, in table order.
template <typename F> void forEachBlock(const RecordTable &t, int lastOffset, F &&f)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!isStart(t.line(i)))
            continue;
        const Block b = blockAt(t, i, lastOffset);
        f(b);
        i += b.reach - 1; // the lines skipped hold no marker
    }
}

// A stored date "dd/mm/yyyy" as a day number; nothing unless it is exactly
// ten characters and a real date.
inline std::optional<qint64> dayOf(QByteArrayView s)
{
    if (s.size() != 10 || s[2] != '/' || s[5] != '/')
        return std::nullopt;
    int v[3] = {0, 0, 0};
    const int first[3] = {0, 3, 6}, last[3] = {2, 5, 10};
    for (int part = 0; part < 3; ++part) {
        for (int i = first[part]; i < last[part]; ++i) {
            if (s[i] < '0' || s[i] > '9')
                return std::nullopt;
            v[part] = v[part] * 10 + (s[i] - '0');
        }
    }
    const QDate d(v[2], v[1], v[0]);
    if (!d.isValid())
        return std::nullopt;
    return d.toJulianDay();
}

} // namespace blockfields
