#pragma once

#include "record_table.h"

#include <QByteArrayView>

#include <cstdint>
#include <utility>
#include <vector>

// The first block, in table order, whose field line at a fixed offset reads
// a given text once trimmed (a client by its code): kept as a hash of each
// block's field, so that a lookup reads only the blocks that share the
// hash. Between two lookups the table tells which blocks were rewritten,
// and only those are read again; any other change of the table (a sort, a
// deletion, an open) reads every block once more.
class FieldIndex
{
public:
    explicit FieldIndex(int offset) : m_offset(offset) {}

    // Block number of the first block whose field is `value` (trimmed), or -1.
    qint64 firstBlock(const RecordTable &t, QByteArrayView value);

    // Blocks whose field was read since the index was made: the work done.
    quint64 blocksRead() const { return m_blocksRead; }

private:
    void rebuild(const RecordTable &t);
    void reread(const RecordTable &t, qint64 n);
    QByteArrayView fieldOf(const RecordTable &t, qsizetype start) const;

    int m_offset;
    const RecordTable *m_table = nullptr;
    quint64 m_revision = 0;
    // (hash of the field, block number), ordered; the hash per block number.
    std::vector<std::pair<std::uint64_t, qint64>> m_entries;
    std::vector<std::uint64_t> m_hashOf;
    std::vector<qint64> m_written;
    quint64 m_blocksRead = 0;
};
