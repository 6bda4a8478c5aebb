#include "record_table.h"

#include "codec.h"
#include "text.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

constexpr qsizetype kMinSideLimit = 8 << 20;
constexpr qsizetype kWriteChunk = 1 << 20;

int indexSize(int width)
{
    int n = 1;
    for (int i = 0; i < width; ++i)
        n *= 10;
    return width > 0 ? n : 0;
}

} // namespace

RecordTable::RecordTable(int markerWidth) : m_width(markerWidth), m_sideLimit(kMinSideLimit) {}

void RecordTable::setBytes(QByteArray bytes, std::shared_ptr<const void> owner)
{
    m_data = std::move(bytes);
    m_owner = std::move(owner);
    m_side.clear();
    m_sideLimit = kMinSideLimit;
    m_spans.clear();
    m_spans.reserve(std::size_t(m_data.size() / 24 + 16));
    text::forEachLine(m_data, [this](qsizetype start, qsizetype length) {
        m_spans.push_back({uint32_t(start), uint32_t(length)});
    });
    // Files of short lines outgrow the guess; what the growth left over
    // would stay held for as long as the set is open.
    if (m_spans.capacity() - m_spans.size() > m_spans.size() / 8)
        m_spans.shrink_to_fit();
    changed();
}

void RecordTable::clear()
{
    m_data.clear();
    m_owner.reset();
    m_side.clear();
    m_spans.clear();
    m_spans.shrink_to_fit();
    changed();
}

QByteArrayView RecordTable::line(qsizetype i) const
{
    return view(m_spans[std::size_t(i)]);
}

QString RecordTable::text(qsizetype i) const
{
    return cp1252::decode(line(i));
}

QList<QByteArray> RecordTable::lines(qsizetype first, qsizetype count) const
{
    QList<QByteArray> out;
    out.reserve(count);
    for (qsizetype i = first; i < first + count; ++i)
        out.push_back(line(i).toByteArray());
    return out;
}

RecordTable::Span RecordTable::store(QByteArrayView bytes)
{
    if (m_side.size() + bytes.size() > m_sideLimit)
        compactSide();
    const Span s{uint32_t(m_side.size()) | kSide, uint32_t(bytes.size())};
    m_side.append(bytes.data(), bytes.size());
    return s;
}

// The side buffer only grows while lines are changed; once it is large,
// copy the lines still in use into a fresh one.
void RecordTable::compactSide()
{
    QByteArray fresh;
    for (Span &s : m_spans) {
        if (s.pos & kSide) {
            const uint32_t pos = uint32_t(fresh.size());
            fresh.append(data(s), s.len);
            s.pos = pos | kSide;
        }
    }
    m_side = std::move(fresh);
    m_sideLimit = std::max(kMinSideLimit, 2 * m_side.size() + kMinSideLimit);
}

quint64 RecordTable::nextRevision()
{
    // Sets are read on a worker thread while the window is already up.
    static std::atomic<quint64> last{0};
    return ++last;
}

void RecordTable::changed()
{
    m_revision = nextRevision();
    m_indexValid = false;
    forgetWrites();
}

void RecordTable::forgetWrites()
{
    m_writes.clear();
    m_writesBase = m_revision;
}

void RecordTable::noteWrite(qint64 n)
{
    if (m_writes.size() >= kMaxWrites) {
        forgetWrites();
        return;
    }
    m_writes.push_back({m_revision, n});
}

bool RecordTable::blocksWrittenSince(quint64 revision, std::vector<qint64> &blocks) const
{
    blocks.clear();
    if (revision == m_revision)
        return true;
    std::size_t from = 0;
    if (revision != m_writesBase) {
        const auto it = std::find_if(m_writes.begin(), m_writes.end(),
                                     [&](const Write &w) { return w.revision == revision; });
        if (it == m_writes.end())
            return false;
        from = std::size_t(it - m_writes.begin()) + 1;
    }
    for (std::size_t k = from; k < m_writes.size(); ++k)
        blocks.push_back(m_writes[k].block);
    return true;
}

void RecordTable::setLine(qsizetype i, QByteArrayView bytes)
{
    // A field line changed in place moves no marker: the block index holds,
    // and what is derived per block only needs its own block read again.
    const bool marker = (!line(i).isEmpty() && line(i).front() == '<') ||
                        (!bytes.isEmpty() && bytes.front() == '<');
    m_spans[std::size_t(i)] = store(bytes);
    if (marker) {
        changed();
        return;
    }
    m_revision = nextRevision();
    qsizetype start = i - 1;
    while (start >= 0 && !isStart(line(start)) && !isEnd(line(start)))
        --start;
    const std::optional<qint64> n = start >= 0 ? startNumber(line(start)) : std::nullopt;
    if (n)
        noteWrite(*n);
    else
        forgetWrites();
}

void RecordTable::insert(qsizetype i, const QList<QByteArray> &lines)
{
    std::vector<Span> spans;
    spans.reserve(std::size_t(lines.size()));
    for (const QByteArray &l : lines)
        spans.push_back(store(l));
    const qsizetype from = size();
    m_spans.insert(m_spans.begin() + i, spans.begin(), spans.end());
    if (i == from)
        appended(from);
    else
        changed();
}

// Lines added at the end from line `from`: the block index takes their
// markers and the blocks they begin count as written, when they are whole
// blocks.
void RecordTable::appended(qsizetype from)
{
    m_revision = nextRevision();
    if (!m_indexValid || !m_indexComplete || m_width == 0) {
        m_indexValid = false;
        forgetWrites();
        return;
    }
    const std::size_t limit = std::size_t(std::max<qsizetype>(indexSize(m_width), size() + 1));
    bool whole = from < size() && startNumber(line(from)).has_value();
    for (qsizetype k = from; k < size(); ++k) {
        const QByteArrayView l = line(k);
        if (l.isEmpty() || l.front() != '<' || !isStart(l))
            continue;
        const std::optional<qint64> v = startNumber(l);
        if (!v) {
            whole = false;
            continue;
        }
        if (std::size_t(*v) >= limit) {
            m_indexValid = false;
            forgetWrites();
            return;
        }
        if (std::size_t(*v) >= m_index.size())
            m_index.resize(std::min(limit, std::max(std::size_t(*v) + 1, 2 * m_index.size())), -1);
        if (m_index[std::size_t(*v)] < 0)
            m_index[std::size_t(*v)] = int32_t(k);
        else
            m_indexUnique = false;
        if (whole)
            noteWrite(*v);
    }
    if (!whole)
        forgetWrites();
}

void RecordTable::append(QByteArrayView bytes)
{
    m_spans.push_back(store(bytes));
    appended(size() - 1);
}

void RecordTable::remove(qsizetype first, qsizetype count)
{
    m_spans.erase(m_spans.begin() + first, m_spans.begin() + first + count);
    changed();
}

void RecordTable::keepLines(const std::vector<qsizetype> &order, const QList<QByteArray> &added)
{
    std::vector<Span> spans;
    spans.reserve(order.size());
    for (qsizetype i : order)
        spans.push_back(i >= 0 ? m_spans[std::size_t(i)] : store(added[-1 - i]));
    m_spans = std::move(spans);
    changed();
}

QByteArray RecordTable::numberText(qint64 n, int width)
{
    return QByteArray::number(n).rightJustified(width, '0');
}

QByteArray RecordTable::startMarker(qint64 n) const
{
    return "<BLOC" + numberText(n, m_width) + '>';
}

QByteArray RecordTable::endMarker(qint64 n) const
{
    return "</BLOC" + numberText(n, m_width) + '>';
}

std::optional<qint64> RecordTable::markerNumber(QByteArrayView line)
{
    const qsizetype at = isEnd(line) ? 6 : isStart(line) ? 5 : -1;
    if (at < 0)
        return std::nullopt;
    QByteArrayView t = line.sliced(at);
    if (const qsizetype close = t.indexOf('>'); close >= 0)
        t = t.first(close);
    qsizetype i = 0;
    while (i < t.size() && t[i] == ' ')
        ++i;
    // Eighteen digits at most: no block number comes near, and the value
    // cannot overflow.
    if (i == t.size() || t.size() - i > 18)
        return std::nullopt;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9')
            return std::nullopt;
        v = v * 10 + (t[i] - '0');
    }
    return v;
}

namespace {

// The number of "<prefix>digits>" when the digits are written exactly as
// numberText writes them.
std::optional<qint64> exactNumber(QByteArrayView line, QByteArrayView prefix, int width)
{
    const qsizetype digits = line.size() - prefix.size() - 1;
    if (digits < width || digits > 18 || !line.startsWith(prefix) || line.back() != '>')
        return std::nullopt;
    const char *p = line.data() + prefix.size();
    if (digits > width && p[0] == '0')
        return std::nullopt;
    qint64 v = 0;
    for (qsizetype k = 0; k < digits; ++k) {
        if (p[k] < '0' || p[k] > '9')
            return std::nullopt;
        v = v * 10 + (p[k] - '0');
    }
    return v;
}

} // namespace

std::optional<qint64> RecordTable::startNumber(QByteArrayView line) const
{
    return m_width > 0 ? exactNumber(line, "<BLOC", m_width) : std::nullopt;
}

std::optional<qint64> RecordTable::endNumber(QByteArrayView line) const
{
    return m_width > 0 ? exactNumber(line, "</BLOC", m_width) : std::nullopt;
}

qsizetype RecordTable::indexOf(QByteArrayView wanted, qsizetype from) const
{
    for (qsizetype i = std::max<qsizetype>(from, 0); i < size(); ++i) {
        const Span s = m_spans[std::size_t(i)];
        if (s.len == wanted.size() && std::memcmp(data(s), wanted.data(), s.len) == 0)
            return i;
    }
    return -1;
}

void RecordTable::buildIndex() const
{
    // Block numbers of a sound table stay below its line count; a larger
    // number (a damaged file) is looked for line by line instead.
    // The index grows to the largest number met, not to the line count: a
    // table of a million lines holds far fewer blocks.
    const std::size_t n = std::size_t(std::max<qsizetype>(indexSize(m_width), size() + 1));
    m_index.assign(std::size_t(indexSize(m_width)), -1);
    m_indexComplete = true;
    m_indexUnique = true;
    for (std::size_t i = 0; i < m_spans.size(); ++i) {
        const Span s = m_spans[i];
        if (s.len < uint32_t(m_width + 6) || data(s)[0] != '<')
            continue;
        const std::optional<qint64> v = startNumber(view(s));
        if (!v)
            continue;
        if (std::size_t(*v) >= n) {
            m_indexComplete = false;
            continue;
        }
        if (std::size_t(*v) >= m_index.size())
            m_index.resize(std::min(n, std::max(std::size_t(*v) + 1, 2 * m_index.size())), -1);
        if (m_index[std::size_t(*v)] < 0)
            m_index[std::size_t(*v)] = int32_t(i);
        else
            m_indexUnique = false;
    }
    m_indexValid = true;
}

qsizetype RecordTable::blockStart(qint64 n) const
{
    if (m_width == 0)
        return -1;
    if (n < 0)
        return indexOf(startMarker(n));
    if (!m_indexValid)
        buildIndex();
    if (std::size_t(n) < m_index.size())
        return m_index[std::size_t(n)];
    return m_indexComplete ? -1 : indexOf(startMarker(n));
}

bool RecordTable::isEndOf(QByteArrayView line, qint64 n) const
{
    // Read rather than built: a pass over every block asks this of each
    // of its lines.
    if (line.size() < 8 || line[1] != '/')
        return false;
    return m_width > 0 ? endNumber(line) == n : line == endMarker(n);
}

qsizetype RecordTable::blockEnd(qsizetype start, qint64 n) const
{
    for (qsizetype i = start + 1; i < size(); ++i) {
        const QByteArrayView l = line(i);
        if (isEndOf(l, n))
            return i;
        if (isStart(l))
            return i - 1;
    }
    return size() - 1;
}

QList<QByteArray> RecordTable::block(qint64 n) const
{
    const qsizetype start = blockStart(n);
    if (start < 0)
        return {};
    return lines(start, blockEnd(start, n) - start + 1);
}

qsizetype RecordTable::removeBlock(qint64 n)
{
    const qsizetype start = blockStart(n);
    if (start < 0)
        return -1;
    remove(start, blockEnd(start, n) - start + 1);
    return start;
}

void RecordTable::writeBlock(qint64 n, const QList<QByteArray> &lines, bool keepPlace)
{
    const qsizetype start = blockStart(n);
    if (keepPlace && start >= 0 && m_indexValid) {
        const qsizetype end = blockEnd(start, n);
        if (end + 1 < size() && patchIndexFor(start, end - start + 1, lines)) {
            // The block is rewritten where it stands: only the lines after it
            // move, so the index is shifted rather than rebuilt.
            std::vector<Span> spans;
            spans.reserve(std::size_t(lines.size()));
            for (const QByteArray &l : lines)
                spans.push_back(store(l));
            const qsizetype old = end - start + 1;
            if (qsizetype(spans.size()) >= old) {
                std::copy(spans.begin(), spans.begin() + old, m_spans.begin() + start);
                m_spans.insert(m_spans.begin() + end + 1, spans.begin() + old, spans.end());
            } else {
                std::copy(spans.begin(), spans.end(), m_spans.begin() + start);
                m_spans.erase(m_spans.begin() + start + qsizetype(spans.size()), m_spans.begin() + end + 1);
            }
            m_revision = nextRevision();
            noteWrite(n);
            return;
        }
    }
    if (start >= 0 && m_indexValid && m_indexUnique && std::size_t(n) < m_index.size()) {
        const qsizetype end = blockEnd(start, n);
        const bool last = end + 1 == size();
        if ((!keepPlace || last) && movesOnlyItsOwnMarker(start, lines)) {
            // The block moves to the end of the table (rooms and invoices
            // write theirs there): the lines after it move up by its length
            // and only its own entry changes, so the index is patched rather
            // than rebuilt over every line. No other line carries its marker.
            const qsizetype old = end - start + 1;
            m_spans.erase(m_spans.begin() + start, m_spans.begin() + end + 1);
            const qsizetype at = size();
            for (const QByteArray &l : lines)
                m_spans.push_back(store(l));
            for (int32_t &entry : m_index)
                if (entry > start)
                    entry = int32_t(entry - old);
            m_index[std::size_t(n)] = int32_t(at);
            m_revision = nextRevision();
            noteWrite(n);
            return;
        }
    }
    const qsizetype at = removeBlock(n);
    if (keepPlace && at >= 0 && at < size())
        insert(at, lines);
    else
        insert(size(), lines);
    noteWrite(n);
}

// The new lines of a block begin with its own marker and hold no other line
// that begins a block.
bool RecordTable::movesOnlyItsOwnMarker(qsizetype start, const QList<QByteArray> &lines) const
{
    if (lines.isEmpty() || lines.front() != line(start))
        return false;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (isStart(lines[i]))
            return false;
    return true;
}

bool RecordTable::patchIndexFor(qsizetype start, qsizetype oldCount, const QList<QByteArray> &lines)
{
    // Only when the new block starts with the same marker and holds no other
    // line that begins a block, so that no marker appears or disappears.
    if (!movesOnlyItsOwnMarker(start, lines))
        return false;
    const qsizetype delta = lines.size() - oldCount;
    if (delta != 0)
        for (int32_t &at : m_index)
            if (at > start)
                at = int32_t(at + delta);
    return true;
}

int RecordTable::countBlocks() const
{
    int n = 0;
    for (const Span s : m_spans)
        if (s.len >= 5 && std::memcmp(data(s), "<BLOC", 5) == 0)
            ++n;
    return n;
}

void RecordTable::writeTo(SafeSave::Sink &sink) const
{
    // Lines still where the file had them, each followed by its CR LF, are
    // written straight from the file's bytes in runs; changed lines and other
    // line ends go through a buffer.
    const char *base = m_data.constData();
    const qsizetype dataSize = m_data.size();
    qsizetype runStart = 0, runEnd = 0;
    QByteArray chunk;
    auto flushRun = [&] {
        if (runEnd > runStart)
            sink.write(QByteArrayView(base + runStart, runEnd - runStart));
        runStart = runEnd = 0;
    };
    auto flushChunk = [&] {
        if (!chunk.isEmpty())
            sink.write(chunk);
        chunk.resize(0);
    };
    for (const Span s : m_spans) {
        const qsizetype end = qsizetype(s.pos) + s.len;
        if (!(s.pos & kSide) && end + 1 < dataSize && base[end] == '\r' && base[end + 1] == '\n') {
            if (runEnd == qsizetype(s.pos) && runEnd > runStart) {
                runEnd = end + 2;
                continue;
            }
            flushChunk();
            flushRun();
            runStart = s.pos;
            runEnd = end + 2;
            continue;
        }
        flushRun();
        if (chunk.size() + qsizetype(s.len) + 2 > kWriteChunk)
            flushChunk();
        if (s.len > kWriteChunk) {
            sink.write(view(s));
            chunk.append("\r\n", 2);
            continue;
        }
        chunk.append(data(s), s.len);
        chunk.append("\r\n", 2);
    }
    flushChunk();
    flushRun();
}

QByteArray RecordTable::toBytes() const
{
    class Collect : public SafeSave::Sink
    {
    public:
        QByteArray bytes;
        void write(QByteArrayView b) override { bytes.append(b.data(), b.size()); }
    } collect;
    writeTo(collect);
    return collect.bytes;
}
