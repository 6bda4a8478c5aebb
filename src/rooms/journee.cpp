#include "journee.h"

#include "block_fields.h"
#include "nights.h"
#include "print/print_job.h"
#include "clients/client_lines.h"
#include "room_lines.h"
#include "store/codec.h"
#include "store/file_set.h"
#include "store/text.h"

#include <algorithm>

namespace journee {

using namespace blockfields;

namespace {

QString text(const Block &b, int offset)
{
    return cp1252::decode(b.field(offset));
}

template <typename T> void byBlock(QList<T> &list)
{
    std::stable_sort(list.begin(), list.end(), [](const T &a, const T &b) { return a.block < b.block; });
}

} // namespace

Day Journee(const FileSet &set, QDate day)
{
    Day d;
    d.day = day;
    const qint64 today = day.toJulianDay();
    const auto held = nights::of(set, day);
    const RecordTable &clients = set.table(Table::Clients);
    // The current stay of each card in the house or expected: what the
    // nights' model read from the client table.
    for (const nights::Hold &h : held->holds()) {
        if (h.client < 0 || h.kind == nights::Kind::Stayed || h.kind == nights::Kind::Closed)
            continue;
        const bool present = h.kind == nights::Kind::Present;
        auto guest = [&] {
            Guest g;
            g.block = h.client;
            g.code = h.clientCode;
            g.name = h.name;
            g.room = cp1252::decode(h.room);
            g.situation = present ? 0 : h.kind == nights::Kind::Reserved ? 1 : 2;
            g.overdue = h.overdue;
            g.noShow = h.noShow;
            g.datesUnreadable = h.undated;
            if (h.undated) {
                // As stored, for the lists to show what the card holds.
                const qsizetype start = clients.blockStart(h.client);
                if (start >= 0) {
                    const Block b = blockAt(clients, start, clientline::Leaving);
                    g.since = text(b, clientline::Since);
                    g.leaving = text(b, clientline::Leaving);
                }
            } else {
                g.since = text::dateText(h.since);
                g.leaving = text::dateText(h.until);
                g.nights = int(h.since.daysTo(h.until));
            }
            return g;
        };
        if (h.undated) {
            d.present << guest();
            continue;
        }
        const qint64 since = h.since.toJulianDay(), leaving = h.until.toJulianDay();
        if (since == today)
            d.arrivals << guest();
        // Who should leave today, and who should have left before.
        if (present && leaving <= today)
            d.departures << guest();
        if (present && since <= today)
            d.present << guest();
        if (!present && since < today && leaving >= today)
            d.noShows << guest();
    }

    forEachBlock(set.table(Table::Rooms), roomline::ClosedUntil, [&](const Block &b) {
        const QByteArrayView number = b.field(roomline::Number).trimmed();
        if (number.isEmpty() || !held->isFree(number, today, today))
            return;
        d.freeTonight << FreeRoom{b.number(), cp1252::decode(number), text(b, roomline::Category).trimmed(),
                                  text(b, roomline::Beds).trimmed(), text(b, roomline::Price).trimmed()};
    });
    byBlock(d.arrivals);
    byBlock(d.departures);
    byBlock(d.present);
    byBlock(d.noShows);
    byBlock(d.freeTonight);
    return d;
}

QStringList toolLines(const Day &day)
{
    QStringList lines;
    const std::pair<const char *, const QList<Guest> *> lists[] = {
        {"arrivee", &day.arrivals}, {"depart", &day.departures}, {"present", &day.present},
        {"non-arrive", &day.noShows}};
    for (const auto &[name, guests] : lists)
        for (const Guest &g : *guests)
            lines << QStringList{QLatin1String(name), g.code, g.name, g.room, g.since, g.leaving,
                                 QString::number(g.situation)}
                         .join(QLatin1Char('\t'));
    for (const FreeRoom &r : day.freeTonight)
        lines << QStringList{QStringLiteral("libre"), r.number, r.category, r.beds, r.price}.join(QLatin1Char('\t'));
    return lines;
}

QString situationText(const Guest &g)
{
    if (g.datesUnreadable)
        return QStringLiteral("dates ?");
    if (g.overdue)
        return QStringLiteral("en retard");
    if (g.noShow)
        return QStringLiteral("non arrivé");
    switch (g.situation) {
    case 0:
        return QStringLiteral("Présent");
    case 1:
        return QStringLiteral("Réserve");
    case 2:
        return QStringLiteral("Confirme");
    }
    return QString();
}

} // namespace journee
