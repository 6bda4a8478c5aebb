#include "journee.h"

#include "block_fields.h"
#include "nights.h"
#include "print/print_job.h"
#include "room_lines.h"
#include "store/codec.h"
#include "store/file_set.h"

#include <QHash>

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
    // The current stay of each card that holds a room, for its overdue and
    // no-show marks.
    QHash<int, const nights::Hold *> stayOf;
    for (const nights::Hold &h : held->holds())
        if (h.client >= 0 && h.kind != nights::Kind::Stayed)
            stayOf.insert(h.client, &h);

    forEachBlock(set.table(Table::Clients), clientline::Situation, [&](const Block &b) {
        const QByteArrayView situation = b.field(clientline::Situation);
        if (situation != "0" && situation != "1" && situation != "2")
            return;
        const auto since = dayOf(b.field(clientline::Since));
        const auto leaving = dayOf(b.field(clientline::Leaving));
        const bool present = situation == "0";
        const bool dated = since && leaving;
        const nights::Hold *stay = stayOf.value(b.number());

        auto guest = [&] {
            Guest g;
            g.block = b.number();
            g.code = text(b, clientline::Code).trimmed();
            g.name = text(b, clientline::Name).trimmed();
            g.room = cp1252::decode(b.field(clientline::Room).trimmed());
            g.since = text(b, clientline::Since);
            g.leaving = text(b, clientline::Leaving);
            g.situation = situation[0] - '0';
            g.nights = dated ? int(*leaving - *since) : -1;
            g.overdue = stay && stay->overdue;
            g.noShow = stay && stay->noShow;
            g.datesUnreadable = !dated;
            return g;
        };
        if (!dated) {
            if (present)
                d.present << guest();
            return;
        }
        if (*since == today)
            d.arrivals << guest();
        // Who should leave today, and who should have left before.
        if (present && *leaving <= today)
            d.departures << guest();
        if (present && *since <= today)
            d.present << guest();
        if (!present && *since < today && *leaving >= today)
            d.noShows << guest();
    });

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
