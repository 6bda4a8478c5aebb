#pragma once

#include "codec.h"
#include "record_table.h"
#include "text.h"

#include <QDate>

#include <QByteArrayView>
#include <QString>

#include <optional>

// Reading the fixed field lines of blocks, shared by every card page.

// Line `offset` of the block starting at `start`, or nothing when the block
// ends before it (a short block never lends the lines of the next one).
inline QByteArrayView blockField(const RecordTable &t, qsizetype start, int offset)
{
    for (qsizetype i = start + 1; i <= start + offset; ++i) {
        if (i >= t.size() || RecordTable::isStart(t.line(i)) || RecordTable::isEnd(t.line(i)))
            return {};
    }
    return t.line(start + offset);
}

inline QString blockFieldText(const RecordTable &t, qsizetype start, int offset)
{
    return cp1252::decode(blockField(t, start, offset));
}

// The fixed fields of one block read onto a card: lines from `start` up to
// (not including) `end`; a field past the end reads as empty.
struct BlockReader
{
    const RecordTable &table;
    qsizetype start, end;

    QString text(int offset) const { return start + offset < end ? table.text(start + offset) : QString(); }
    // Sets `d` only when the field holds a date.
    void date(int offset, QDate &d) const
    {
        const QDate read = text::storedDate(text(offset));
        if (read.isValid())
            d = read;
    }
};

// Calls f(startLine, blockNumber) for every numbered block, in table order,
// until f returns true.
template <typename F> void forEachNumberedBlock(const RecordTable &t, F &&f)
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QByteArrayView l = t.line(i);
        if (!RecordTable::isStart(l))
            continue;
        if (const auto n = RecordTable::markerNumber(l); n && *n >= 0 && f(i, *n))
            return;
    }
}

// Calls f(startLine, blockNumber, field) for every numbered block in table
// order, the field being line `offset` of the block as blockField gives it,
// in one pass over the lines; stops when f returns true.
template <typename F> void forEachBlockField(const RecordTable &t, int offset, F &&f)
{
    qsizetype start = -1; // the block whose field is still to come
    qint64 number = -1;
    auto report = [&](QByteArrayView field) {
        const bool stop = start >= 0 && number >= 0 && f(start, number, field);
        start = -1;
        return stop;
    };
    const qsizetype size = t.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QByteArrayView l = t.line(i);
        // Most lines are fields: one byte tells them from markers.
        if (l.isEmpty() || l.front() != '<') {
            if (start >= 0 && i == start + offset && report(l))
                return;
        } else if (RecordTable::isStart(l)) {
            if (report({}))
                return;
            start = i;
            number = t.markerNumber(l).value_or(-1);
        } else if (start < 0) {
            continue;
        } else if (RecordTable::isEnd(l)) {
            if (report({}))
                return;
        } else if (i == start + offset && report(l)) {
            return;
        }
    }
    report({});
}

// A stored code or number as a whole number of at most `maxDigits` digits,
// blanks around it allowed; nothing for any other text, which takes no part
// in numbering.
inline std::optional<qint64> wholeNumber(QByteArrayView text, int maxDigits)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > maxDigits)
        return std::nullopt;
    qint64 value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    return value;
}
