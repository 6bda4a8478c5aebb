#pragma once

#include "safe_save.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// One table of a hotel file set: an ordered list of Windows-1252 lines in
// which a record is a block from "<BLOC00012>" to "</BLOC00012>".
//
// A table keeps the bytes of its file (mapped rather than copied where that
// is safe: see MappedFile) and a list of line spans into them, so opening a
// set copies no line; a changed or added line is kept in a side
// buffer. Views returned by line() stay valid until the next change.
//
// Blocks are found as the first line equal to their start marker. An index
// from marker to line makes that O(1); it is rebuilt lazily after a change.
class RecordTable
{
public:
    // Marker width 5 (clients, rooms, invoices), 4 (articles, suppliers,
    // orders) or 0 for the main courante, which has no blocks.
    explicit RecordTable(int markerWidth = 5);

    int markerWidth() const { return m_width; }

    // Replaces every line by the lines of a file's bytes. `owner`, when
    // given, is what keeps bytes that are not a copy of their own (a mapped
    // file) alive for as long as the table reads them.
    void setBytes(QByteArray bytes, std::shared_ptr<const void> owner = {});
    void clear();

    qsizetype size() const { return qsizetype(m_spans.size()); }
    bool isEmpty() const { return m_spans.empty(); }
    QByteArrayView line(qsizetype i) const;
    // Whether line i begins with `c`.
    bool startsWith(qsizetype i, char c) const
    {
        const Span s = m_spans[std::size_t(i)];
        return s.len > 0 && *data(s) == c;
    }
    QString text(qsizetype i) const;
    QList<QByteArray> lines(qsizetype first, qsizetype count) const;

    void setLine(qsizetype i, QByteArrayView bytes);
    void insert(qsizetype i, const QList<QByteArray> &lines);
    void append(QByteArrayView bytes);
    void remove(qsizetype first, qsizetype count);
    // Rebuilds the table from the listed lines, in the listed order: an
    // entry k >= 0 is line k as it stands, an entry -1 - j is added[j].
    void keepLines(const std::vector<qsizetype> &order, const QList<QByteArray> &added = {});

    // The block number text: n zero-padded to at least the marker width; a
    // number that needs more digits keeps all of them (a twenty-year hotel
    // passes 99,999 invoices).
    static QByteArray numberText(qint64 n, int width);
    QByteArray startMarker(qint64 n) const;
    QByteArray endMarker(qint64 n) const;

    // The number written in a marker line: every character after "<BLOC"
    // or "</BLOC" up to ">" (or the end of the line), blanks before the
    // digits allowed; nothing when that is not a whole number.
    static std::optional<qint64> markerNumber(QByteArrayView line);
    // The number of a line that is exactly the start (end) marker of a
    // block, as startMarker() writes it; nothing for any other line.
    std::optional<qint64> startNumber(QByteArrayView line) const;
    std::optional<qint64> endNumber(QByteArrayView line) const;
    // Whether the line is exactly the end marker of block n.
    bool isEndOf(QByteArrayView line, qint64 n) const;
    static bool isStart(QByteArrayView line) { return line.startsWith("<BLOC"); }
    static bool isEnd(QByteArrayView line) { return line.startsWith("</BLOC"); }

    // First line equal to the given one, or -1.
    qsizetype indexOf(QByteArrayView line, qsizetype from = 0) const;
    // Line of the first start marker of block n, or -1 (O(1) between changes).
    qsizetype blockStart(qint64 n) const;
    // From a block's start line: the line of its end marker. A block that
    // lost its end marker ends before the next line that begins a block (or
    // at the end of the table), so rewriting or deleting it never takes the
    // records that follow with it.
    qsizetype blockEnd(qsizetype start, qint64 n) const;
    // Where a card stops reading block n from its start line: at its end
    // marker, or just after the last line it still owns when it lost it.
    qsizetype blockStop(qsizetype start, qint64 n) const
    {
        const qsizetype end = blockEnd(start, n);
        return isEndOf(line(end), n) ? end : end + 1;
    }
    // The lines of block n, markers included; empty when there is none.
    QList<QByteArray> block(qint64 n) const;

    // Deletes block n (from its start marker to its end marker, or to the
    // end of the table). Returns the line it stood at, or -1.
    qsizetype removeBlock(qint64 n);
    // Rewrites block n: in place when `keepPlace` and the block is there,
    // else at the end of the table. The lines include both markers.
    void writeBlock(qint64 n, const QList<QByteArray> &lines, bool keepPlace);

    // Lines that begin a block.
    int countBlocks() const;

    // Changes at every change of a line, so that what is derived from the
    // whole table can be kept until the table changes.
    quint64 revision() const { return m_revision; }
    // The blocks rewritten (or changed in a field line) since `revision`,
    // oldest first, when nothing else changed since: what is kept per
    // block then reads only those again. False when the table changed in
    // any other way, or too long ago; `blocks` is then to be ignored.
    bool blocksWrittenSince(quint64 revision, std::vector<qint64> &blocks) const;

    void writeTo(SafeSave::Sink &sink) const;
    QByteArray toBytes() const;

private:
    struct Span
    {
        uint32_t pos; // top bit: the line lives in the side buffer
        uint32_t len;
    };
    static constexpr uint32_t kSide = 0x80000000u;

    const char *data(Span s) const
    {
        return (s.pos & kSide) ? m_side.constData() + (s.pos & ~kSide) : m_data.constData() + s.pos;
    }
    QByteArrayView view(Span s) const { return QByteArrayView(data(s), s.len); }
    Span store(QByteArrayView bytes);
    void changed();
    void buildIndex() const;
    bool patchIndexFor(qsizetype start, qsizetype oldCount, const QList<QByteArray> &lines);
    bool movesOnlyItsOwnMarker(qsizetype start, const QList<QByteArray> &lines) const;
    void compactSide();
    void noteWrite(qint64 n);
    void appended(qsizetype from);
    void forgetWrites();

    int m_width;
    QByteArray m_data;
    std::shared_ptr<const void> m_owner;
    QByteArray m_side;
    qsizetype m_sideLimit;
    std::vector<Span> m_spans;
    mutable std::vector<int32_t> m_index; // marker number -> first line, -1
    mutable bool m_indexComplete = true;  // no marker lies beyond m_index
    mutable bool m_indexUnique = true;    // no marker stands twice
    mutable bool m_indexValid = false;
    // Numbers no other state of any table has had: whatever is worked out
    // from a table can be kept for as long as its revision stays the same.
    static quint64 nextRevision();
    quint64 m_revision = nextRevision();
    struct Write
    {
        quint64 revision; // the table's revision once block was written
        qint64 block;
    };
    static constexpr std::size_t kMaxWrites = 64;
    std::vector<Write> m_writes;
    quint64 m_writesBase = m_revision;
};
