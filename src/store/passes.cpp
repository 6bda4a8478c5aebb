#include "passes.h"

#include <QHash>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace passes {

namespace {

QString counted(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(n == 1 ? one : many));
}

// One block as the repair finds it.
struct Found
{
    qsizetype start = 0;       // its start marker, or its first line when that was lost
    qsizetype end = 0;         // its last line: its end marker when it has one
    std::optional<qint64> number;
    bool hasStart = true;      // false: rebuilt from the lines before a lone end marker
    bool hasEnd = false;
    bool exact = true;         // markers spelt as startMarker/endMarker spell them
    qint64 newNumber = -1;     // -1: dropped as a copy
    qsizetype bodyFirst() const { return hasStart ? start + 1 : start; }
    qsizetype bodyLast() const { return hasEnd ? end - 1 : end; }
};

bool startsMarker(QByteArrayView l)
{
    return l.size() >= 5 && l[0] == '<' && (RecordTable::isStart(l) || RecordTable::isEnd(l));
}

// Whether `l` is the end marker of the block that starts at `startLine`,
// however its number is spelt.
bool closes(QByteArrayView l, QByteArrayView startLine, const std::optional<qint64> &number)
{
    if (!RecordTable::isEnd(l))
        return false;
    if (number)
        return RecordTable::markerNumber(l) == number;
    return l.sliced(6) == startLine.sliced(5);
}

bool sameBody(const RecordTable &t, const Found &a, const Found &b)
{
    const qsizetype n = a.bodyLast() - a.bodyFirst();
    if (n != b.bodyLast() - b.bodyFirst())
        return false;
    for (qsizetype k = 0; k <= n; ++k)
        if (t.line(a.bodyFirst() + k) != t.line(b.bodyFirst() + k))
            return false;
    return true;
}

size_t bodyHash(const RecordTable &t, const Found &f)
{
    size_t h = 0;
    for (qsizetype i = f.bodyFirst(); i <= f.bodyLast(); ++i)
        h = qHashMulti(h, t.line(i));
    return h;
}

} // namespace

QString Report::describe() const
{
    QStringList parts;
    if (endMarkersAdded)
        parts << counted(endMarkersAdded, "marqueur de fin ajouté", "marqueurs de fin ajoutés");
    if (startMarkersAdded)
        parts << counted(startMarkersAdded, "marqueur de début ajouté", "marqueurs de début ajoutés");
    if (duplicatesRemoved)
        parts << counted(duplicatesRemoved, "fiche en double retirée", "fiches en double retirées");
    if (renumbered)
        parts << counted(renumbered, "fiche renumérotée", "fiches renumérotées");
    if (neutralised)
        parts << counted(neutralised, "ligne semblable à un marqueur gardée comme texte",
                         "lignes semblables à un marqueur gardées comme texte");
    if (linesDropped)
        parts << counted(linesDropped, "ligne hors fiche retirée", "lignes hors fiche retirées");
    if (leadingLinesDropped)
        parts << counted(leadingLinesDropped, "ligne avant la première fiche retirée",
                         "lignes avant la première fiche retirées");
    return parts.join(QStringLiteral(", "));
}

int squeeze(RecordTable &table)
{
    qsizetype first = 0;
    while (first < table.size() && !RecordTable::isStart(table.line(first)))
        ++first;
    if (first > 0)
        table.remove(0, first);
    return int(first);
}

bool repair(RecordTable &t, int &count, Report *report)
{
    const qsizetype n = t.size();
    std::vector<Found> blocks;
    std::vector<qsizetype> neutral; // marker-like text inside blocks, ascending
    qsizetype open = -1;            // the block being read
    qsizetype afterLast = 0;        // first line after the last closed block
    bool strayEnd = false;

    // The first line after line i that is the end marker of the block that
    // starts at line s (n when there is none). The lines just after are
    // looked at first; past them, where every end marker stands is gathered
    // once, by number (or by a hash of its text when it has none).
    QHash<qint64, std::vector<qsizetype>> ends;
    bool endsBuilt = false;
    auto endKey = [](QByteArrayView l, qsizetype at) -> qint64 {
        const std::optional<qint64> number = RecordTable::markerNumber(l);
        return number ? *number : -1 - qint64(qHash(l.sliced(at)) & 0x3fffffffffffffff);
    };
    auto endAfter = [&](qsizetype i, qsizetype s) {
        const QByteArrayView start = t.line(s);
        const std::optional<qint64> number = RecordTable::markerNumber(start);
        for (qsizetype k = i + 1; k < n && k <= i + 64; ++k)
            if (closes(t.line(k), start, number))
                return k;
        if (i + 64 >= n)
            return n;
        if (!endsBuilt) {
            for (qsizetype k = 0; k < n; ++k)
                if (RecordTable::isEnd(t.line(k)))
                    ends[endKey(t.line(k), 6)].push_back(k);
            endsBuilt = true;
        }
        const auto found = ends.constFind(endKey(start, 5));
        if (found == ends.constEnd())
            return n;
        for (auto at = std::upper_bound(found->begin(), found->end(), i + 64); at != found->end(); ++at)
            if (closes(t.line(*at), start, number))
                return *at;
        return n;
    };

    for (qsizetype i = 0; i < n; ++i) {
        if (!t.startsWith(i, '<'))
            continue;
        const QByteArrayView l = t.line(i);
        if (!startsMarker(l))
            continue;
        if (RecordTable::isStart(l)) {
            if (open >= 0) {
                // Inside a block, a start marker is text when the block's
                // own end marker comes before that of the block it would
                // start; otherwise the block lost its end marker here.
                Found &b = blocks[std::size_t(open)];
                const qsizetype own = endAfter(i, b.start);
                if (own < n && own < endAfter(i, i)) {
                    neutral.push_back(i);
                    continue;
                }
                b.end = i - 1;
                open = -1;
            }
            Found b;
            b.start = i;
            b.number = RecordTable::markerNumber(l);
            b.exact = b.number && t.startNumber(l) == b.number;
            blocks.push_back(b);
            open = qsizetype(blocks.size()) - 1;
            continue;
        }
        // A line that begins "</BLOC".
        if (open >= 0) {
            Found &b = blocks[std::size_t(open)];
            if (closes(l, t.line(b.start), b.number)) {
                b.end = i;
                b.hasEnd = true;
                b.exact = b.exact && t.endNumber(l) == b.number;
                open = -1;
                afterLast = i + 1;
            } else {
                neutral.push_back(i);
            }
            continue;
        }
        // An end marker outside any block: the block it ends lost its start
        // marker when lines stand between it and the block before.
        strayEnd = true;
        const std::optional<qint64> number = RecordTable::markerNumber(l);
        bool text = false;
        for (qsizetype k = afterLast; k < i && !text; ++k)
            text = !t.line(k).trimmed().isEmpty();
        if (text && number) {
            Found b;
            b.start = afterLast;
            b.end = i;
            b.number = number;
            b.hasStart = false;
            b.hasEnd = true;
            b.exact = false;
            blocks.push_back(b);
        }
        afterLast = i + 1;
    }
    if (open >= 0)
        blocks[std::size_t(open)].end = n - 1;

    // Sound: every block closed, markers exact, numbered 0 .. B-1 once each.
    const qsizetype total = qsizetype(blocks.size());
    bool sound = neutral.empty() && !strayEnd;
    if (sound) {
        std::vector<char> seen(std::size_t(total), 0);
        for (const Found &b : blocks) {
            if (!b.hasEnd || !b.exact || *b.number >= total || seen[std::size_t(*b.number)]) {
                sound = false;
                break;
            }
            seen[std::size_t(*b.number)] = 1;
        }
    }
    if (sound) {
        count = int(total);
        return false;
    }

    // Numbering: the last block of each number keeps its rank; an earlier
    // block of that number goes when it is a copy of a block kept, and is
    // kept under a new number otherwise.
    std::vector<qsizetype> numbered;
    std::vector<qsizetype> extra;
    for (qsizetype k = 0; k < total; ++k)
        (blocks[std::size_t(k)].number ? numbered : extra).push_back(k);
    std::stable_sort(numbered.begin(), numbered.end(), [&](qsizetype a, qsizetype b) {
        return *blocks[std::size_t(a)].number < *blocks[std::size_t(b)].number;
    });
    int duplicates = 0;
    qsizetype duplicateLines = 0;
    std::vector<qsizetype> order; // blocks in their new number order
    order.reserve(std::size_t(total));
    for (std::size_t g = 0; g < numbered.size();) {
        std::size_t h = g;
        const qint64 number = *blocks[std::size_t(numbered[g])].number;
        while (h < numbered.size() && *blocks[std::size_t(numbered[h])].number == number)
            ++h;
        order.push_back(numbered[h - 1]);
        if (h - g > 1) {
            std::unordered_multimap<size_t, qsizetype> kept;
            kept.emplace(bodyHash(t, blocks[std::size_t(numbered[h - 1])]), numbered[h - 1]);
            for (std::size_t k = h - 1; k-- > g;) {
                const qsizetype idx = numbered[k];
                const size_t hash = bodyHash(t, blocks[std::size_t(idx)]);
                const auto [from, to] = kept.equal_range(hash);
                const bool copy = std::any_of(from, to, [&](const auto &e) {
                    return sameBody(t, blocks[std::size_t(e.second)], blocks[std::size_t(idx)]);
                });
                if (copy) {
                    const Found &c = blocks[std::size_t(idx)];
                    ++duplicates;
                    duplicateLines += c.end - c.start + 1;
                    continue;
                }
                kept.emplace(hash, idx);
                extra.push_back(idx);
            }
        }
        g = h;
    }
    // Extra blocks follow, in the order they stand in the table.
    const std::size_t firstExtra = order.size();
    std::sort(extra.begin(), extra.end());
    order.insert(order.end(), extra.begin(), extra.end());

    // The rebuilt table: kept lines by index, rewritten ones added.
    std::vector<qsizetype> lines;
    lines.reserve(std::size_t(n) + 2 * order.size());
    QList<QByteArray> added;
    Report r;
    r.rebuilt = true;
    qsizetype keptOriginals = 0;
    auto addLine = [&](QByteArray bytes, qsizetype replacing) {
        r.bytesAdded += replacing >= 0 ? std::max<qsizetype>(0, bytes.size() - t.line(replacing).size())
                                       : bytes.size() + 2;
        if (replacing >= 0)
            ++keptOriginals;
        added.push_back(std::move(bytes));
        lines.push_back(-qsizetype(added.size()));
    };
    auto keepLine = [&](qsizetype i) {
        lines.push_back(i);
        ++keptOriginals;
    };
    // A marker kept as it stands, rewritten in place, or added.
    auto putMarker = [&](bool present, bool keep, qsizetype at, QByteArray marker, int &addedCount) {
        if (!present) {
            ++addedCount;
            addLine(std::move(marker), -1);
        } else if (keep) {
            keepLine(at);
        } else {
            addLine(std::move(marker), at);
        }
    };
    for (std::size_t k = 0; k < order.size(); ++k) {
        Found &b = blocks[std::size_t(order[k])];
        b.newNumber = qint64(k);
        const bool sameNumber = k < firstExtra && b.number == b.newNumber;
        const bool keepStart = b.hasStart && sameNumber && t.startNumber(t.line(b.start)) == b.newNumber;
        const bool keepEnd = b.hasEnd && t.endNumber(t.line(b.end)) == b.newNumber;
        if (b.hasStart && (!keepStart || (b.hasEnd && !keepEnd)))
            ++r.renumbered;
        putMarker(b.hasStart, keepStart, b.start, t.startMarker(b.newNumber), r.startMarkersAdded);
        auto marker = std::lower_bound(neutral.begin(), neutral.end(), b.bodyFirst());
        for (qsizetype i = b.bodyFirst(); i <= b.bodyLast(); ++i) {
            if (marker != neutral.end() && *marker == i) {
                ++marker;
                ++r.neutralised;
                addLine(' ' + t.line(i).toByteArray(), i);
            } else {
                keepLine(i);
            }
        }
        putMarker(b.hasEnd, keepEnd, b.end, t.endMarker(b.newNumber), r.endMarkersAdded);
    }
    r.duplicatesRemoved = duplicates;
    r.linesDropped = int(n - keptOriginals - duplicateLines);
    t.keepLines(lines, added);
    count = int(order.size());
    if (report) {
        const int leading = report->leadingLinesDropped;
        *report = r;
        report->leadingLinesDropped = leading;
    }
    return true;
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
        const std::optional<qint64> m = RecordTable::markerNumber(l);
        if (m && *m - 1 >= k)
            table.setLine(i, start ? table.startMarker(*m - 1) : table.endMarker(*m - 1));
    }
    --count;
}

} // namespace passes
