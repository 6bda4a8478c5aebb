#include "reception.h"

#include "cards/client_card.h"
#include "clients/stay_history.h"
#include "block_fields.h"
#include "nights.h"
#include "clients/client_lines.h"
#include "room_lines.h"
#include "store/codec.h"
#include "store/fiche.h"
#include "store/text.h"

#include <QCollator>
#include <QSet>

#include <algorithm>
#include <optional>
#include <vector>

namespace reception {

using namespace blockfields;

namespace {

// The blank form of an out-of-service date field.
constexpr QByteArrayView kNoDate = "  /  /    ";

QByteArray enc(const QString &s)
{
    return cp1252::encodeField(s);
}

const QCollator &frenchCollator()
{
    static const QCollator collator = [] {
        QCollator c{QLocale(QLocale::French, QLocale::France)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

RecordTable &roomTable(Fiche &f)
{
    return f.set().table(Table::Rooms);
}

// First room block, in table order, whose trimmed number is `room`.
std::optional<Block> findRoom(const RecordTable &t, QByteArrayView room)
{
    std::optional<Block> found;
    if (room.isEmpty())
        return found;
    forEachBlock(t, roomline::ClosedReason, [&](const Block &b) {
        if (!found && b.field(roomline::Number).trimmed() == room)
            found = b;
    });
    return found;
}

bool setField(RecordTable &t, const Block &b, int offset, QByteArrayView bytes)
{
    const qsizetype line = b.lineOf(offset);
    if (line < 0 || t.line(line) == bytes)
        return false;
    t.setLine(line, bytes);
    return true;
}

// The trimmed number of the room card shown, as its table holds it.
QString roomShown(Fiche &f)
{
    f.page(PageId::Rooms).writeBack();
    const RecordTable &t = roomTable(f);
    const qsizetype start = t.blockStart(f.set().position(Table::Rooms));
    if (start < 0)
        return QString();
    return cp1252::decode(blockAt(t, start, roomline::Number).field(roomline::Number).trimmed());
}

// After an operation: both cards show the tables again, and the set is dirty.
void showTables(Fiche &f)
{
    f.set().SetSauve();
    f.page(PageId::Clients).read();
    f.page(PageId::Rooms).read();
    emit f.cardChanged(PageId::Clients);
    emit f.cardChanged(PageId::Rooms);
}

QDate orToday(QDate d)
{
    return d.isValid() ? d : QDate::currentDate();
}

// A stay to book is at least one night: a card without dates (both today)
// proposes today to tomorrow.
StayChoice atLeastOneNight(StayChoice c)
{
    if (c.leaving <= c.since)
        c.leaving = c.since.addDays(1);
    return c;
}


// The free-room list for the nights [first, last].
QStringList freeRooms(const FileSet &set, qint64 first, qint64 last, const QList<int> &except, QDate today)
{
    const auto held = nights::of(set, today);
    QStringList list;
    QSet<QByteArray> listed; // a room listed twice is taken once: its first entry goes
    forEachBlock(set.table(Table::Rooms), roomline::ClosedReason, [&](const Block &b) {
        const QByteArray text = b.field(roomline::Number).toByteArray() + '\t' +
                                b.field(roomline::Designation).toByteArray();
        // The number is read from the trimmed entry, so a room without a
        // designation still answers to its number.
        QByteArrayView key = QByteArrayView(text).trimmed();
        if (const qsizetype tab = key.indexOf('\t'); tab >= 0)
            key = key.first(tab);
        key = key.trimmed();
        if (!held->isFree(key, first, last, except) && !listed.contains(key.toByteArray())) {
            listed.insert(key.toByteArray());
            return;
        }
        list << cp1252::decode(text);
    });
    const QCollator &collator = frenchCollator();
    std::stable_sort(list.begin(), list.end(), [&](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    return list;
}

// One line per hold of `room` over the nights [first, last].
QStringList takenLines(const FileSet &set, const QString &room, qint64 first, qint64 last, const QList<int> &except,
                       QDate today)
{
    QStringList lines;
    const auto held = nights::of(set, today);
    for (const nights::Hold *h : held->of(enc(room.trimmed()), first, last, except))
        lines << QStringLiteral("Chambre %1 ").arg(room.trimmed()) + h->describe();
    return lines;
}

// The holds of present guests in `room` on the night of `day`.
std::vector<const nights::Hold *> presentHolds(const nights::Nights &held, const QString &room, QDate day)
{
    std::vector<const nights::Hold *> out;
    for (const nights::Hold *h : held.on(enc(room.trimmed()), day.toJulianDay()))
        if (h->kind == nights::Kind::Present)
            out.push_back(h);
    return out;
}

} // namespace

QStringList ChambresLibres(const FileSet &set, QDate first, QDate last, const QList<int> &except, QDate today)
{
    const auto [from, to] = nights::askedNights(first, last);
    return freeRooms(set, from, to, except, today);
}

QStringList ChambresLibres(Fiche &fiche)
{
    QDate since, leaving;
    if (GuestPage *clients = clientPage(fiche)) {
        since = clients->card().since;
        leaving = clients->card().leaving;
    }
    return ChambresLibres(fiche.set(), orToday(since), orToday(leaving), {fiche.set().position(Table::Clients)},
                          fiche.today());
}

QStringList roomTaken(const FileSet &set, const QString &room, QDate first, QDate last, const QList<int> &except,
                      QDate today)
{
    const auto [from, to] = nights::askedNights(first, last);
    return takenLines(set, room, from, to, except, today);
}

QString stayProblem(const FileSet &set, int client, const QString &room, QDate since, QDate leaving, QDate today)
{
    if (leaving < since)
        return QStringLiteral("La date de départ (%1) est avant la date d'arrivée (%2).")
            .arg(text::dateText(leaving), text::dateText(since));
    if (room.trimmed().isEmpty())
        return QString();
    return roomTaken(set, room, since, leaving, {client}, today).join(QLatin1Char('\n'));
}

QString stayProblem(Fiche &fiche, const StayChoice &choice)
{
    return stayProblem(fiche.set(), fiche.set().position(Table::Clients), roomOf(choice.room), choice.since,
                       choice.leaving, fiche.today());
}

QList<int> presentGuests(const FileSet &set, const QString &room, QDate day, QDate today)
{
    QList<int> guests;
    const auto held = nights::of(set, today);
    for (const nights::Hold *h : presentHolds(*held, room, day))
        if (!guests.contains(h->client))
            guests << h->client;
    return guests;
}

QStringList occupiedRooms(const FileSet &set, QDate day, QDate today)
{
    const auto held = nights::of(set, today);
    QStringList list;
    forEachBlock(set.table(Table::Rooms), roomline::Designation, [&](const Block &b) {
        const QByteArrayView number = b.field(roomline::Number).trimmed();
        for (const nights::Hold *h : held->on(number, day.toJulianDay())) {
            if (h->kind == nights::Kind::Present) {
                list << cp1252::decode(b.field(roomline::Number).toByteArray() + '\t' +
                                       b.field(roomline::Designation).toByteArray());
                break;
            }
        }
    });
    const QCollator &collator = frenchCollator();
    std::stable_sort(list.begin(), list.end(), [&](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    return list;
}

namespace {

// The last night the guests moved by a transfer hold (tonight for an
// overdue guest), from the night of the transfer.
qint64 lastNightOf(const std::vector<const nights::Hold *> &guests, QDate day)
{
    qint64 last = day.toJulianDay();
    for (const nights::Hold *h : guests)
        last = std::max(last, h->last);
    return last;
}

QList<int> blocksOf(const std::vector<const nights::Hold *> &holds)
{
    QList<int> blocks;
    for (const nights::Hold *h : holds)
        blocks << h->client;
    return blocks;
}

} // namespace

QStringList transferTargets(const FileSet &set, const QString &source, QDate day, QDate today)
{
    const auto held = nights::of(set, today);
    const auto guests = presentHolds(*held, source, day);
    if (guests.empty())
        return {};
    QStringList rooms = freeRooms(set, day.toJulianDay(), lastNightOf(guests, day), blocksOf(guests), today);
    rooms.removeIf([&](const QString &entry) { return roomOf(shownEntry(entry)) == source.trimmed(); });
    return rooms;
}

QString transferProblem(const FileSet &set, const TransferChoice &choice, QDate today)
{
    const QString source = roomOf(choice.source), target = roomOf(choice.target);
    if (source.isEmpty() || target.isEmpty())
        return QString();
    const auto held = nights::of(set, today);
    const auto guests = presentHolds(*held, source, choice.date);
    if (guests.empty())
        return QStringLiteral("Aucun client n'est présent dans la chambre %1 le %2.")
            .arg(source, text::dateText(choice.date));
    if (source == target)
        return QStringLiteral("Le client est déjà dans la chambre %1.").arg(source);
    if (!findRoom(set.table(Table::Rooms), enc(target)))
        return QStringLiteral("La chambre %1 n'existe pas.").arg(target);
    return takenLines(set, target, choice.date.toJulianDay(), lastNightOf(guests, choice.date), blocksOf(guests),
                      today)
        .join(QLatin1Char('\n'));
}

QString closingQuestion(const FileSet &set, const ClosingChoice &choice, QDate today)
{
    const QString room = roomOf(choice.room);
    QStringList lines;
    const auto held = nights::of(set, today);
    for (const nights::Hold *h : held->of(enc(room), choice.from.toJulianDay(), choice.until.toJulianDay()))
        if (h->kind != nights::Kind::Closed)
            lines << QStringLiteral("La chambre %1 est ").arg(room) + h->describe() + u'.';
    if (lines.isEmpty())
        return QString();
    return lines.join(QLatin1Char('\n')) + QStringLiteral(" Fermer quand même ?");
}

QString shownEntry(const QString &entry)
{
    QString shown = entry.trimmed();
    shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return shown;
}

QString roomOf(const QString &text)
{
    const QString t = text.trimmed();
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    return blank < 0 ? t : t.left(blank);
}

GuestPage *clientPage(Fiche &fiche)
{
    return dynamic_cast<GuestPage *>(&fiche.page(PageId::Clients));
}

void ModifChambre(Fiche &fiche, const QString &room, const QString &name)
{
    const QString wanted = room.trimmed();
    if (wanted.isEmpty())
        return;
    // The room card shown keeps its edits before another room replaces it.
    Page &roomPage = fiche.page(PageId::Rooms);
    roomPage.writeBack();

    RecordTable &t = roomTable(fiche);
    const QString norm = text::normRoom(wanted);
    std::optional<Block> found;
    forEachBlock(t, roomline::ClosedReason, [&](const Block &b) {
        if (!found && text::normRoom(cp1252::decode(b.field(roomline::Number))) == norm)
            found = b;
    });
    if (!found)
        return;
    if (const auto number = t.markerNumber(t.line(found->start)))
        fiche.set().setPosition(Table::Rooms, int(*number));

    const QByteArrayView occupant = found->field(roomline::Occupant);
    bool changed = false;
    if (name.isEmpty() && !occupant.isEmpty())
        changed = setField(t, *found, roomline::Occupant, {});
    else if (!name.isEmpty() && occupant.isEmpty())
        changed = setField(t, *found, roomline::Occupant, enc(name));
    if (changed)
        fiche.set().SetSauve();
    roomPage.read();
    emit fiche.cardChanged(PageId::Rooms);
}

void clearOccupant(Fiche &fiche, const QString &room, const QString &name)
{
    fiche.page(PageId::Rooms).writeBack();
    RecordTable &t = roomTable(fiche);
    const auto b = findRoom(t, enc(room.trimmed()));
    if (!b || name.trimmed().isEmpty() || cp1252::decode(b->field(roomline::Occupant)).trimmed() != name.trimmed())
        return;
    setField(t, *b, roomline::Occupant, {});
    fiche.set().SetSauve();
    fiche.page(PageId::Rooms).read();
    emit fiche.cardChanged(PageId::Rooms);
}

void installSituationHook(Fiche &fiche)
{
    if (GuestPage *clients = clientPage(fiche)) {
        clients->onSituation = [&fiche](const QString &room, const QString &name, bool present) {
            if (present)
                ModifChambre(fiche, room, name);
            else
                clearOccupant(fiche, room, name);
        };
        clients->stayCheck = [&fiche](const ClientCard &card) {
            if (card.situation < 0 || card.situation > 2)
                return QString();
            return stayProblem(fiche.set(), fiche.set().position(Table::Clients), card.room, card.since,
                               card.leaving, fiche.today());
        };
        clients->onDeparture = [&fiche] { Part(fiche); };
    }
}

void commitCards(Fiche &fiche)
{
    fiche.page(PageId::Clients).writeBack();
    fiche.page(PageId::Rooms).writeBack();
}

StayChoice arrivalProposal(Fiche &fiche, const QStringList &freeRooms)
{
    StayChoice c = reservationProposal(fiche, freeRooms);
    if (GuestPage *clients = clientPage(fiche); clients && !clients->card().room.isEmpty())
        c.room = clients->card().room;
    return c;
}

namespace {

StayChoice cardStay(Fiche &fiche)
{
    StayChoice c;
    if (GuestPage *clients = clientPage(fiche)) {
        const ClientCard &card = clients->card();
        c = {card.name, card.name, orToday(card.since), orToday(card.leaving), card.room};
    }
    return c;
}

} // namespace

StayChoice departureProposal(Fiche &fiche)
{
    // A guest in the house leaves today, whatever day was planned: early,
    // on time, or after it.
    StayChoice c = cardStay(fiche);
    if (GuestPage *clients = clientPage(fiche); clients && clients->card().situation == 0)
        c.leaving = std::max(fiche.today(), c.since);
    return c;
}

StayChoice reservationProposal(Fiche &fiche, const QStringList &freeRooms)
{
    StayChoice c = atLeastOneNight(cardStay(fiche));
    c.room = freeRooms.isEmpty() ? QString() : roomOf(shownEntry(freeRooms.first()));
    return c;
}

ClosingChoice closingProposal(Fiche &fiche)
{
    const QDate today = fiche.today();
    return {today, today, roomShown(fiche), QString()};
}

TransferChoice transferProposal(Fiche &fiche)
{
    // The room card shown when a guest is in it, else the first occupied room.
    const QDate today = fiche.today();
    QString source = roomShown(fiche);
    if (presentGuests(fiche.set(), source, today, today).isEmpty()) {
        const QStringList occupied = occupiedRooms(fiche.set(), today, today);
        source = occupied.isEmpty() ? QString() : roomOf(shownEntry(occupied.first()));
    }
    return {today, source, QString()};
}

namespace {

// The common start of an arrival and a reservation: the stay checked, then
// put on the client card shown. Null when nothing is to be done.
GuestPage *bookStay(Fiche &fiche, const StayChoice &choice)
{
    GuestPage *clients = clientPage(fiche);
    const QString room = roomOf(choice.room);
    if (!clients || room.isEmpty())
        return nullptr;
    commitCards(fiche);
    if (!stayProblem(fiche, choice).isEmpty())
        return nullptr;
    ClientCard &card = clients->card();
    card.room = room;
    card.since = choice.since;
    card.leaving = choice.leaving;
    clients->touch();
    return clients;
}

} // namespace

bool Arriv(Fiche &fiche, const StayChoice &choice)
{
    GuestPage *clients = bookStay(fiche, choice);
    if (!clients)
        return false;
    const ClientCard &card = clients->card();
    const QString room = card.room;
    // A newly present client becomes the occupant of a free room through
    // the situation; the arrival itself then replaces any occupant.
    if (card.situation != 0)
        clients->chooseSituation(0);
    RecordTable &t = roomTable(fiche);
    if (const auto b = findRoom(t, enc(room)))
        setField(t, *b, roomline::Occupant, enc(choice.occupant));
    clients->writeBack();
    showTables(fiche);
    return true;
}

bool Part(Fiche &fiche, QDate leaving)
{
    GuestPage *clients = clientPage(fiche);
    if (!clients)
        return false;
    commitCards(fiche);
    if (!leaving.isValid())
        leaving = departureProposal(fiche).leaving;
    ClientCard &card = clients->card();
    const QString room = card.room.trimmed();
    // The stay goes into the card's history before its room is emptied:
    // the nights slept stay the room's when the card is booked again.
    if (card.situation == 0 && !room.isEmpty() && card.since.isValid()) {
        // A departure never lengthens the stay past the day planned (or
        // today, for a guest still here): those nights may be someone else's.
        leaving = std::clamp(leaving, card.since, std::max({card.leaving, fiche.today(), card.since}));
        const QDate first = currentStayStart(card.since, staySegments(card.stayLines));
        if (leaving > first)
            card.stayLines << StaySegment{room, first, leaving.addDays(-1), 3}.text();
        card.leaving = leaving;
        clients->touch();
    }
    if (card.situation != 3)
        clients->chooseSituation(3);
    // The room is freed of this guest only, never of the one after.
    clearOccupant(fiche, room, card.name);
    clients->writeBack();
    showTables(fiche);
    return true;
}

bool Reservation(Fiche &fiche, const StayChoice &choice)
{
    GuestPage *clients = bookStay(fiche, choice);
    if (!clients)
        return false;
    // The reservation lives on the client card only (the planning reads it
    // there): the room's closure reason is the closure's own.
    clients->chooseSituation(1);
    clients->writeBack();
    showTables(fiche);
    return true;
}

bool Fermeture(Fiche &fiche, const ClosingChoice &choice)
{
    const QString room = roomOf(choice.room);
    if (room.isEmpty())
        return false;
    commitCards(fiche);
    RecordTable &t = roomTable(fiche);
    if (const auto b = findRoom(t, enc(room))) {
        setField(t, *b, roomline::ClosedFrom, enc(text::dateText(choice.from)));
        setField(t, *b, roomline::ClosedUntil, enc(text::dateText(choice.until)));
        setField(t, *b, roomline::ClosedReason, enc(choice.reason));
    }
    showTables(fiche);
    return true;
}

bool Transferer(Fiche &fiche, const TransferChoice &choice)
{
    const QString source = roomOf(choice.source), target = roomOf(choice.target);
    if (source.isEmpty() || target.isEmpty())
        return false;
    commitCards(fiche);
    const QDate today = fiche.today();
    if (!transferProblem(fiche.set(), choice, today).isEmpty())
        return false;

    // Only the guests present in the source room that night move: every
    // other stay, past or to come, keeps its room. The nights before the
    // transfer stay the source room's, in the card's history.
    const auto held = nights::of(fiche.set(), today);
    RecordTable &clients = fiche.set().table(Table::Clients);
    const QByteArray to = enc(target);
    const qint64 night = choice.date.toJulianDay();
    for (const nights::Hold *h : presentHolds(*held, source, choice.date)) {
        qsizetype start = clients.blockStart(h->client);
        if (start < 0)
            continue;
        if (h->first < night) {
            const StaySegment moved{source, QDate::fromJulianDay(h->first), choice.date.addDays(-1), 0};
            clients.insert(clients.blockStop(start, h->client), {StaySegment::kTag.toByteArray() + enc(moved.text())});
            start = clients.blockStart(h->client);
        }
        setField(clients, blockAt(clients, start, clientline::Room), clientline::Room, to);
    }
    // The occupant goes with them; the source room is free.
    RecordTable &rooms = roomTable(fiche);
    const auto from = findRoom(rooms, enc(source));
    const auto into = findRoom(rooms, to);
    if (from && into) {
        setField(rooms, *into, roomline::Occupant, from->field(roomline::Occupant).toByteArray());
        setField(rooms, *from, roomline::Occupant, {});
    }
    showTables(fiche);
    return true;
}

bool Liberation(Fiche &fiche)
{
    Page &roomPage = fiche.page(PageId::Rooms);
    roomPage.writeBack();
    RecordTable &t = roomTable(fiche);
    const qsizetype start = t.blockStart(fiche.set().position(Table::Rooms));
    if (start < 0)
        return false;
    const Block b = blockAt(t, start, roomline::ClosedReason);
    bool changed = setField(t, b, roomline::ClosedFrom, kNoDate);
    changed = setField(t, b, roomline::ClosedUntil, kNoDate) || changed;
    changed = setField(t, b, roomline::ClosedReason, {}) || changed;
    if (changed)
        showTables(fiche);
    return changed;
}

} // namespace reception
