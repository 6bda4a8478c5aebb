#include "field_index.h"

#include <algorithm>

namespace {

// FNV-1a: a block whose field is empty or missing hashes like any other.
std::uint64_t hashOf(QByteArrayView field)
{
    std::uint64_t h = 14695981039346656037ull;
    for (const char c : field.trimmed()) {
        h ^= std::uint8_t(c);
        h *= 1099511628211ull;
    }
    return h;
}

bool isMarkerLine(QByteArrayView l)
{
    return !l.isEmpty() && l.front() == '<' && (RecordTable::isStart(l) || RecordTable::isEnd(l));
}

} // namespace

QByteArrayView FieldIndex::fieldOf(const RecordTable &t, qsizetype start) const
{
    // A block cut short never lends the next block's line as its field.
    for (qsizetype k = 1; k <= m_offset; ++k)
        if (start + k >= t.size() || isMarkerLine(t.line(start + k)))
            return {};
    return t.line(start + m_offset).trimmed();
}

void FieldIndex::rebuild(const RecordTable &t)
{
    m_entries.clear();
    m_hashOf.clear();
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QByteArrayView l = t.line(i);
        if (l.isEmpty() || l.front() != '<')
            continue;
        const std::optional<qint64> n = t.startNumber(l);
        if (!n || t.blockStart(*n) != i)
            continue;
        const std::uint64_t h = hashOf(fieldOf(t, i));
        ++m_blocksRead;
        if (std::size_t(*n) >= m_hashOf.size())
            m_hashOf.resize(std::size_t(*n) + 1, 0);
        m_hashOf[std::size_t(*n)] = h;
        m_entries.push_back({h, *n});
    }
    std::sort(m_entries.begin(), m_entries.end());
}

void FieldIndex::reread(const RecordTable &t, qint64 n)
{
    if (n < 0)
        return;
    if (std::size_t(n) < m_hashOf.size()) {
        const auto old = std::lower_bound(m_entries.begin(), m_entries.end(),
                                          std::pair{m_hashOf[std::size_t(n)], n});
        if (old != m_entries.end() && old->second == n)
            m_entries.erase(old);
    }
    const qsizetype start = t.blockStart(n);
    if (start < 0)
        return;
    const std::uint64_t h = hashOf(fieldOf(t, start));
    ++m_blocksRead;
    if (std::size_t(n) >= m_hashOf.size())
        m_hashOf.resize(std::size_t(n) + 1, 0);
    m_hashOf[std::size_t(n)] = h;
    const std::pair entry{h, n};
    m_entries.insert(std::lower_bound(m_entries.begin(), m_entries.end(), entry), entry);
}

qint64 FieldIndex::firstBlock(const RecordTable &t, QByteArrayView value)
{
    if (m_table != &t || !t.blocksWrittenSince(m_revision, m_written)) {
        m_table = &t;
        rebuild(t);
    } else {
        for (const qint64 n : m_written)
            reread(t, n);
    }
    m_revision = t.revision();

    const QByteArrayView wanted = value.trimmed();
    const std::uint64_t h = hashOf(wanted);
    qint64 found = -1;
    qsizetype foundAt = -1;
    for (auto it = std::lower_bound(m_entries.begin(), m_entries.end(), std::pair{h, qint64(-1)});
         it != m_entries.end() && it->first == h; ++it) {
        const qsizetype at = t.blockStart(it->second);
        if (at < 0 || (foundAt >= 0 && at > foundAt) || fieldOf(t, at) != wanted)
            continue;
        found = it->second;
        foundAt = at;
    }
    return found;
}
