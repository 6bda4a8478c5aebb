#include "nights.h"

#include "block_fields.h"
#include "clients/stay_history.h"
#include "clients/client_lines.h"
#include "room_lines.h"
#include "store/codec.h"
#include "store/file_set.h"
#include "store/text.h"

#include <algorithm>

namespace nights {

using namespace blockfields;

int Hold::code() const
{
    switch (kind) {
    case Kind::Present:
    case Kind::Stayed:
        return 0;
    case Kind::Reserved:
        return 1;
    case Kind::Confirmed:
        return 2;
    case Kind::Closed:
        return 9;
    }
    return 0;
}

QString Hold::describe() const
{
    if (kind == Kind::Closed)
        return QStringLiteral("fermée du %1 au %2%3")
            .arg(text::dateText(since), text::dateText(until),
                 name.isEmpty() ? QString() : QStringLiteral(" : ") + name);
    const QString held = kind == Kind::Reserved    ? QStringLiteral("réservée")
                         : kind == Kind::Confirmed ? QStringLiteral("confirmée")
                                                   : QStringLiteral("occupée");
    QString s = undated ? QStringLiteral("%1 par %2 (dates illisibles)").arg(held, name)
                        : QStringLiteral("%1 du %2 au %3 par %4")
                              .arg(held, text::dateText(since), text::dateText(until), name);
    if (overdue)
        s += QStringLiteral(" (toujours là après son départ prévu)");
    if (noShow)
        s += QStringLiteral(" (non arrivé)");
    return s;
}

QString Hold::holder() const
{
    const QString period =
        QStringLiteral("du %1 au %2").arg(text::dateText(since), text::dateText(until));
    if (kind == Kind::Closed)
        return QStringLiteral("fermeture ") + period +
               (name.isEmpty() ? QString() : QStringLiteral(" : ") + name);
    static const char16_t *const kWords[] = {u"présent", u"réservé", u"confirmé", u"séjour passé"};
    QString s =
        QStringLiteral("%1 %2, %3 ").arg(clientCode, name, QString::fromUtf16(kWords[int(kind)]));
    s += undated ? QStringLiteral("(dates illisibles)") : period;
    if (overdue)
        s += QStringLiteral(" (en retard)");
    if (noShow)
        s += QStringLiteral(" (non arrivé)");
    return s;
}

std::pair<qint64, qint64> askedNights(QDate since, QDate leaving)
{
    const qint64 first = since.toJulianDay();
    return {first, std::max(first, leaving.toJulianDay() - 1)};
}

namespace {

// A "SEJR" line read straight from its bytes (the form stay_history.h
// writes): every client block of the table passes through here.
struct RawSegment
{
    QByteArrayView room;
    qint64 first = 0, last = 0;
    int situation = -1;

    StaySegment segment() const
    {
        return {cp1252::decode(room), QDate::fromJulianDay(first), QDate::fromJulianDay(last),
                situation};
    }
};

std::optional<RawSegment> readSegment(QByteArrayView text)
{
    const qsizetype t1 = text.indexOf('\t');
    if (t1 < 0 || text.size() != t1 + 24 || text[t1 + 11] != '\t' || text[t1 + 22] != '\t')
        return std::nullopt;
    RawSegment s;
    s.room = text.first(t1).trimmed();
    const auto first = dayOf(text.sliced(t1 + 1, 10));
    const auto last = dayOf(text.sliced(t1 + 12, 10));
    const char situation = text[t1 + 23];
    if (s.room.isEmpty() || !first || !last || *last < *first || situation < '0' || situation > '4')
        return std::nullopt;
    s.first = *first;
    s.last = *last;
    s.situation = situation - '0';
    return s;
}

// What one client block says, read in the pass over the table.
struct ClientBlock
{
    Block fields;
    std::vector<RawSegment> segments;
    bool reachable = true;
};

// One copy of each room number for all the holds of the room.
class Rooms
{
public:
    QByteArray operator()(QByteArrayView room)
    {
        const auto found = m_known.constFind(QByteArray::fromRawData(room.data(), room.size()));
        if (found != m_known.cend())
            return *found;
        const QByteArray kept = room.toByteArray();
        m_known.insert(kept, kept);
        return kept;
    }

private:
    QHash<QByteArray, QByteArray> m_known;
};

void addClient(std::vector<Hold> &holds, std::vector<std::pair<qint64, qint64>> &unrecorded,
               Rooms &rooms, const ClientBlock &c, qint64 today)
{
    const Block &b = c.fields;
    // Decoded once a block, and only for a block that holds something.
    QString name, code;
    int number = -1;
    auto identify = [&](Hold &h) {
        if (name.isNull()) {
            number = b.number();
            name = cp1252::decode(b.field(clientline::Name)).trimmed();
            code = cp1252::decode(b.field(clientline::Code)).trimmed();
            if (name.isNull())
                name = QLatin1String("");
        }
        h.name = name;
        h.clientCode = code;
        h.client = number;
        h.reachable = c.reachable;
    };
    for (const RawSegment &s : c.segments) {
        if (s.situation != 0 && s.situation != 3)
            continue;
        Hold h;
        h.kind = Kind::Stayed;
        h.room = rooms(s.room);
        h.first = s.first;
        h.last = s.last;
        h.since = QDate::fromJulianDay(s.first);
        h.until = QDate::fromJulianDay(s.last + 1);
        identify(h);
        holds.push_back(std::move(h));
    }

    const QByteArrayView situation = b.field(clientline::Situation);
    if (situation.size() == 1 && situation[0] == '3') {
        const auto since = dayOf(b.field(clientline::Since));
        const auto leaving = dayOf(b.field(clientline::Leaving));
        if (!since || !leaving || *leaving <= *since)
            return;
        if (std::none_of(c.segments.begin(), c.segments.end(), [&](const RawSegment &s) {
                return s.situation == 3 && s.last == *leaving - 1;
            }))
            unrecorded.push_back({*since, *leaving - 1});
        return;
    }
    if (situation.size() != 1 || situation[0] < '0' || situation[0] > '2')
        return;
    const QByteArrayView room = b.field(clientline::Room).trimmed();
    if (room.isEmpty())
        return;
    Hold h;
    h.kind = situation[0] == '0'   ? Kind::Present
             : situation[0] == '1' ? Kind::Reserved
                                   : Kind::Confirmed;
    h.room = rooms(room);
    const auto since = dayOf(b.field(clientline::Since));
    const auto leaving = dayOf(b.field(clientline::Leaving));
    if (!since || !leaving) {
        // A guest in the house whose dates do not read is in the room tonight.
        if (h.kind != Kind::Present)
            return;
        h.undated = true;
        h.first = h.last = today;
    } else {
        if (*leaving < *since) // a stay ending before it begins holds nothing
            return;
        h.since = QDate::fromJulianDay(*since);
        h.until = QDate::fromJulianDay(*leaving);
        QList<StaySegment> segments;
        for (const RawSegment &r : c.segments)
            segments << r.segment();
        h.first = currentStayStart(h.since, segments).toJulianDay();
        h.last = *leaving - 1;
        if (h.kind == Kind::Present && *leaving < today) {
            h.overdue = true;
            h.last = today;
        } else if (h.kind != Kind::Present && *since < today) {
            h.noShow = true;
            h.last = std::min(h.last, *since);
        }
        // A stay that ends the day it begins holds no night, but the day at
        // a glance still lists it.
        h.last = std::max(h.last, h.first - 1);
    }
    identify(h);
    holds.push_back(std::move(h));
}

} // namespace

Nights::Nights(const FileSet &set, QDate today) : m_today(today)
{
    const qint64 now = today.toJulianDay();
    const RecordTable &clients = set.table(Table::Clients);
    std::vector<bool> seen(std::size_t(std::max(0, set.count(Table::Clients))) + 1, false);
    Rooms rooms;
    m_holds.reserve(std::size_t(std::max(0, set.count(Table::Clients))));
    // One pass over the lines: a block's fields are the lines after its
    // marker up to the next marker (as far as the situation), its stay
    // lines those after its fields.
    ClientBlock current{{&clients, -1, 0}, {}, false};
    auto flush = [&](qsizetype end) {
        if (current.fields.start < 0)
            return;
        current.fields.reach =
            int(std::min<qsizetype>(end - current.fields.start, clientline::Situation + 1));
        addClient(m_holds, m_unrecorded, rooms, current, now);
        current.fields.start = -1;
        current.segments.clear();
    };
    const qsizetype size = clients.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QByteArrayView l = clients.line(i);
        if (l.isEmpty())
            continue;
        if (l.front() == '<' && isMarker(l)) {
            flush(i);
            if (RecordTable::isStart(l)) {
                current.fields.start = i;
                // A number's card is its first block: a later copy cannot be opened by it.
                const auto exact = clients.startNumber(l);
                current.reachable = false;
                if (exact && *exact >= 0 && *exact < (1 << 24)) {
                    const std::size_t n = std::size_t(*exact);
                    if (n >= seen.size())
                        seen.resize(2 * n + 1, false);
                    current.reachable = !seen[n];
                    seen[n] = true;
                }
            }
            continue;
        }
        if (l.front() == 'S' && current.fields.start >= 0 &&
            i - current.fields.start > clientline::Situation && l.startsWith(StaySegment::kTag))
            if (const auto s = readSegment(l.sliced(StaySegment::kTag.size())))
                current.segments.push_back(*s);
    }
    flush(size);

    forEachBlock(set.table(Table::Rooms), roomline::ClosedReason, [&](const Block &b) {
        const QByteArrayView number = b.field(roomline::Number).trimmed();
        const auto from = dayOf(b.field(roomline::ClosedFrom).trimmed());
        const auto until = dayOf(b.field(roomline::ClosedUntil).trimmed());
        if (number.isEmpty() || !from || !until || *until < *from)
            return;
        Hold h;
        h.kind = Kind::Closed;
        h.room = number.toByteArray();
        h.first = *from;
        h.last = *until;
        h.since = QDate::fromJulianDay(*from);
        h.until = QDate::fromJulianDay(*until);
        h.name = cp1252::decode(b.field(roomline::ClosedReason)).trimmed();
        m_holds.push_back(std::move(h));
    });

    for (int i = 0; i < int(m_holds.size()); ++i)
        m_rooms[m_holds[std::size_t(i)].room].byFirst.push_back(i);
    for (RoomIndex &r : m_rooms) {
        std::stable_sort(r.byFirst.begin(), r.byFirst.end(), [&](int a, int b) {
            return m_holds[std::size_t(a)].first < m_holds[std::size_t(b)].first;
        });
        qint64 reach = std::numeric_limits<qint64>::min();
        r.reachesTo.reserve(r.byFirst.size());
        for (int i : r.byFirst)
            r.reachesTo.push_back(reach = std::max(reach, m_holds[std::size_t(i)].last));
    }
}

std::vector<const Hold *> Nights::of(QByteArrayView room, qint64 first, qint64 last,
                                     const QList<int> &except) const
{
    std::vector<const Hold *> found;
    const auto r = m_rooms.constFind(QByteArray::fromRawData(room.data(), room.size()));
    if (r == m_rooms.cend() || last < first)
        return found;
    // The holds starting by `last`, walked back while one may still reach `first`.
    auto end =
        std::upper_bound(r->byFirst.begin(), r->byFirst.end(), last, [&](qint64 night, int i) {
            return night < m_holds[std::size_t(i)].first;
        });
    for (auto k = end - r->byFirst.begin() - 1; k >= 0 && r->reachesTo[std::size_t(k)] >= first;
         --k) {
        const Hold &h = m_holds[std::size_t(r->byFirst[std::size_t(k)])];
        if (h.last >= first && (h.client < 0 || !except.contains(h.client)))
            found.push_back(&h);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::vector<Nights::Conflict> Nights::conflicts(qint64 first, qint64 last) const
{
    std::vector<Conflict> out;
    for (auto r = m_rooms.cbegin(); r != m_rooms.cend(); ++r) {
        const std::vector<int> &order = r->byFirst;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const Hold &a = m_holds[std::size_t(order[i])];
            if (a.last < first || a.first > last)
                continue;
            for (std::size_t j = i + 1; j < order.size(); ++j) {
                const Hold &b = m_holds[std::size_t(order[j])];
                if (b.first > a.last || b.first > last)
                    break;
                if (a.client >= 0 && a.client == b.client)
                    continue;
                const bool aFirst = order[i] < order[j];
                for (qint64 n = std::max({b.first, first}); n <= std::min({a.last, b.last, last});
                     ++n)
                    out.push_back({r.key(), n, aFirst ? &a : &b, aFirst ? &b : &a});
            }
        }
    }
    auto key = [](const QByteArray &room) { return room.rightJustified(12); };
    std::sort(out.begin(), out.end(), [&](const Conflict &x, const Conflict &y) {
        if (x.room != y.room)
            return key(x.room) < key(y.room);
        if (x.night != y.night)
            return x.night < y.night;
        return std::pair(x.a, x.b) < std::pair(y.a, y.b);
    });
    return out;
}

std::shared_ptr<const Nights> of(const FileSet &set, QDate today)
{
    struct Kept
    {
        quint64 clients = 0, rooms = 0;
        QDate today;
        std::shared_ptr<const Nights> nights;
    };
    static Kept kept;
    const quint64 clients = set.table(Table::Clients).revision();
    const quint64 rooms = set.table(Table::Rooms).revision();
    if (!kept.nights || kept.clients != clients || kept.rooms != rooms || kept.today != today)
        kept = {clients, rooms, today, std::make_shared<const Nights>(set, today)};
    return kept.nights;
}

} // namespace nights
