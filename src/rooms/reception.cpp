#include "reception.h"

#include "clients/client_page.h"
#include "block_fields.h"
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


// Who or what holds a room over some days: a client's stay, or the room's
// own out-of-service period (situation -1).
struct Hold
{
    int situation = -1;
    QString name; // the client, or the closure's reason
    qint64 first = 0, last = 0;
};

// The holds of `room` sharing a day with [from, to], clients first, in table
// order; the client blocks in `except` take no part.
std::vector<Hold> holdsOf(const FileSet &set, QByteArrayView room, qint64 from, qint64 to,
                          const QList<int> &except, bool closures)
{
    std::vector<Hold> holds;
    if (room.isEmpty())
        return holds;
    forEachBlock(set.table(Table::Clients), clientline::Situation, [&](const Block &b) {
        const QByteArrayView situation = b.field(clientline::Situation);
        if ((situation != "0" && situation != "1" && situation != "2")
            || b.field(clientline::Room).trimmed() != room)
            return;
        const auto since = dayOf(b.field(clientline::Since));
        const auto leaving = dayOf(b.field(clientline::Leaving));
        if (since && leaving && *since <= to && *leaving >= from && !except.contains(b.number()))
            holds.push_back({situation[0] - '0', cp1252::decode(b.field(clientline::Name)).trimmed(), *since,
                             *leaving});
    });
    if (!closures)
        return holds;
    forEachBlock(set.table(Table::Rooms), roomline::ClosedReason, [&](const Block &b) {
        if (b.field(roomline::Number).trimmed() != room)
            return;
        const auto closed = dayOf(b.field(roomline::ClosedFrom).trimmed());
        const auto reopened = dayOf(b.field(roomline::ClosedUntil).trimmed());
        if (closed && reopened && *closed <= to && *reopened >= from)
            holds.push_back({-1, cp1252::decode(b.field(roomline::ClosedReason)).trimmed(), *closed, *reopened});
    });
    return holds;
}

QString dayText(qint64 day, const QString &format = QStringLiteral("dd/MM/yyyy"))
{
    return QDate::fromJulianDay(day).toString(format);
}

QString heldAs(int situation)
{
    return situation == 0 ? QStringLiteral("occupée") : QStringLiteral("réservée");
}

} // namespace

QStringList ChambresLibres(const FileSet &set, QDate first, QDate last, const QList<int> &except)
{
    const qint64 from = first.toJulianDay(), to = last.toJulianDay();
    auto overlaps = [&](qint64 a, qint64 b) { return a <= to && b >= from; };

    struct Entry
    {
        QByteArray key; // the number the entry answers to
        QByteArray text;
        bool taken = false;
    };
    std::vector<Entry> entries;
    const RecordTable &rooms = set.table(Table::Rooms);
    forEachBlock(rooms, roomline::ClosedReason, [&](const Block &b) {
        QByteArray text = b.field(roomline::Number).toByteArray() + '\t' +
                          b.field(roomline::Designation).toByteArray();
        // The number is read from the trimmed entry, so a room without a
        // designation still answers to its number.
        QByteArrayView key = QByteArrayView(text).trimmed();
        if (const qsizetype tab = key.indexOf('\t'); tab >= 0)
            key = key.first(tab);
        entries.push_back({key.trimmed().toByteArray(), std::move(text)});
    });
    auto take = [&](QByteArrayView room) {
        for (Entry &e : entries) {
            if (!e.taken && e.key == room) {
                e.taken = true;
                return;
            }
        }
    };

    forEachBlock(set.table(Table::Clients), clientline::Situation, [&](const Block &b) {
        const QByteArrayView situation = b.field(clientline::Situation);
        if (situation != "0" && situation != "1" && situation != "2")
            return;
        const QByteArrayView room = b.field(clientline::Room).trimmed();
        if (room.isEmpty())
            return;
        const auto since = dayOf(b.field(clientline::Since));
        const auto leaving = dayOf(b.field(clientline::Leaving));
        if (since && leaving && overlaps(*since, *leaving) && (except.isEmpty() || !except.contains(b.number())))
            take(room);
    });

    forEachBlock(rooms, roomline::ClosedReason, [&](const Block &b) {
        const QByteArrayView number = b.field(roomline::Number).trimmed();
        if (number.isEmpty())
            return;
        const auto closed = dayOf(b.field(roomline::ClosedFrom).trimmed());
        const auto reopened = dayOf(b.field(roomline::ClosedUntil).trimmed());
        if (closed && reopened && overlaps(*closed, *reopened))
            take(number);
    });

    QStringList list;
    for (const Entry &e : entries)
        if (!e.taken)
            list << cp1252::decode(e.text);
    const QCollator &collator = frenchCollator();
    std::stable_sort(list.begin(), list.end(), [&](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    return list;
}

QStringList ChambresLibres(Fiche &fiche)
{
    QDate since, leaving;
    if (ClientPage *clients = clientPage(fiche)) {
        since = clients->card().since;
        leaving = clients->card().leaving;
    }
    return ChambresLibres(fiche.set(), orToday(since), orToday(leaving), {fiche.set().position(Table::Clients)});
}

QStringList roomTaken(const FileSet &set, const QString &room, QDate first, QDate last, const QList<int> &except)
{
    QStringList lines;
    const QByteArray key = enc(room.trimmed());
    for (const Hold &h : holdsOf(set, key, first.toJulianDay(), last.toJulianDay(), except, true)) {
        if (h.situation < 0)
            lines << QStringLiteral("Chambre %1 fermée du %2 au %3%4")
                         .arg(room.trimmed(), dayText(h.first), dayText(h.last),
                              h.name.isEmpty() ? QString() : QStringLiteral(" : ") + h.name);
        else
            lines << QStringLiteral("Chambre %1 %2 du %3 au %4 par %5")
                         .arg(room.trimmed(), heldAs(h.situation), dayText(h.first), dayText(h.last), h.name);
    }
    return lines;
}

QString stayProblem(Fiche &fiche, const StayChoice &choice)
{
    if (choice.leaving < choice.since)
        return QStringLiteral("La date de départ (%1) est avant la date d'arrivée (%2).")
            .arg(text::dateText(choice.leaving), text::dateText(choice.since));
    const QString room = roomOf(choice.room);
    if (room.isEmpty())
        return QString();
    return roomTaken(fiche.set(), room, choice.since, choice.leaving, {fiche.set().position(Table::Clients)})
        .join(QLatin1Char('\n'));
}

QList<int> presentGuests(const FileSet &set, const QString &room, QDate day)
{
    // A present guest whose departure date has passed is still in the room.
    QList<int> guests;
    const qint64 d = day.toJulianDay();
    const QByteArray wanted = enc(room.trimmed());
    forEachBlock(set.table(Table::Clients), clientline::Situation, [&](const Block &b) {
        if (b.field(clientline::Situation) != "0" || wanted.isEmpty()
            || b.field(clientline::Room).trimmed() != wanted)
            return;
        const auto since = dayOf(b.field(clientline::Since));
        if (since && *since <= d)
            guests << b.number();
    });
    return guests;
}

QStringList occupiedRooms(const FileSet &set, QDate day)
{
    const qint64 d = day.toJulianDay();
    QSet<QByteArray> occupied;
    forEachBlock(set.table(Table::Clients), clientline::Situation, [&](const Block &b) {
        if (b.field(clientline::Situation) != "0")
            return;
        const auto since = dayOf(b.field(clientline::Since));
        if (since && *since <= d)
            occupied.insert(b.field(clientline::Room).trimmed().toByteArray());
    });
    QStringList list;
    forEachBlock(set.table(Table::Rooms), roomline::Designation, [&](const Block &b) {
        if (occupied.contains(b.field(roomline::Number).trimmed().toByteArray()))
            list << cp1252::decode(b.field(roomline::Number).toByteArray() + '\t'
                                   + b.field(roomline::Designation).toByteArray());
    });
    const QCollator &collator = frenchCollator();
    std::stable_sort(list.begin(), list.end(), [&](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    return list;
}

namespace {

// The last day of the stays of the guests moved by a transfer (the day
// itself for an overdue guest).
QDate lastDayOf(const FileSet &set, const QList<int> &guests, QDate day)
{
    QDate last = day;
    const RecordTable &t = set.table(Table::Clients);
    for (int n : guests) {
        const qsizetype start = t.blockStart(n);
        if (start < 0)
            continue;
        const Block b = blockAt(t, start, clientline::Leaving);
        if (const auto leaving = dayOf(b.field(clientline::Leaving)))
            last = std::max(last, QDate::fromJulianDay(*leaving));
    }
    return last;
}

} // namespace

QStringList transferTargets(const FileSet &set, const QString &source, QDate day)
{
    const QList<int> guests = presentGuests(set, source, day);
    if (guests.isEmpty())
        return {};
    QStringList rooms = ChambresLibres(set, day, lastDayOf(set, guests, day), guests);
    rooms.removeIf([&](const QString &entry) { return roomOf(shownEntry(entry)) == source.trimmed(); });
    return rooms;
}

QString transferProblem(const FileSet &set, const TransferChoice &choice)
{
    const QString source = roomOf(choice.source), target = roomOf(choice.target);
    if (source.isEmpty() || target.isEmpty())
        return QString();
    const QList<int> guests = presentGuests(set, source, choice.date);
    if (guests.isEmpty())
        return QStringLiteral("Aucun client n'est présent dans la chambre %1 le %2.")
            .arg(source, text::dateText(choice.date));
    if (source == target)
        return QStringLiteral("Le client est déjà dans la chambre %1.").arg(source);
    if (!findRoom(set.table(Table::Rooms), enc(target)))
        return QStringLiteral("La chambre %1 n'existe pas.").arg(target);
    return roomTaken(set, target, choice.date, lastDayOf(set, guests, choice.date), guests).join(QLatin1Char('\n'));
}

QString closingQuestion(const FileSet &set, const ClosingChoice &choice)
{
    const QString room = roomOf(choice.room);
    QStringList lines;
    for (const Hold &h : holdsOf(set, enc(room), choice.from.toJulianDay(), choice.until.toJulianDay(), {}, false))
        lines << QStringLiteral("La chambre %1 est %2 du %3 au %4 par %5.")
                     .arg(room, heldAs(h.situation), dayText(h.first, QStringLiteral("dd/MM")),
                          dayText(h.last, QStringLiteral("dd/MM")), h.name);
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

ClientPage *clientPage(Fiche &fiche)
{
    return dynamic_cast<ClientPage *>(&fiche.page(PageId::Clients));
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
    if (ClientPage *clients = clientPage(fiche)) {
        clients->onSituation = [&fiche](const QString &room, const QString &name, bool present) {
            if (present)
                ModifChambre(fiche, room, name);
            else
                clearOccupant(fiche, room, name);
        };
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
    if (ClientPage *clients = clientPage(fiche); clients && !clients->card().room.isEmpty())
        c.room = clients->card().room;
    return c;
}

StayChoice departureProposal(Fiche &fiche)
{
    StayChoice c;
    if (ClientPage *clients = clientPage(fiche)) {
        const ClientCard &card = clients->card();
        c = {card.name, card.name, orToday(card.since), orToday(card.leaving), card.room};
    }
    return c;
}


StayChoice reservationProposal(Fiche &fiche, const QStringList &freeRooms)
{
    StayChoice c = atLeastOneNight(departureProposal(fiche));
    c.room = freeRooms.isEmpty() ? QString() : roomOf(shownEntry(freeRooms.first()));
    return c;
}

ClosingChoice closingProposal(Fiche &fiche)
{
    const QDate today = QDate::currentDate();
    return {today, today, roomShown(fiche), QString()};
}

TransferChoice transferProposal(Fiche &fiche)
{
    // The room card shown when a guest is in it, else the first occupied room.
    const QDate today = QDate::currentDate();
    QString source = roomShown(fiche);
    if (presentGuests(fiche.set(), source, today).isEmpty()) {
        const QStringList occupied = occupiedRooms(fiche.set(), today);
        source = occupied.isEmpty() ? QString() : roomOf(shownEntry(occupied.first()));
    }
    return {today, source, QString()};
}

namespace {

// The common start of an arrival and a reservation: the stay checked, then
// put on the client card shown. Null when nothing is to be done.
ClientPage *bookStay(Fiche &fiche, const StayChoice &choice)
{
    ClientPage *clients = clientPage(fiche);
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
    ClientPage *clients = bookStay(fiche, choice);
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

bool Part(Fiche &fiche)
{
    ClientPage *clients = clientPage(fiche);
    if (!clients)
        return false;
    commitCards(fiche);
    const QString room = clients->card().room.trimmed();
    if (clients->card().situation != 3)
        clients->chooseSituation(3);
    // The room is freed of this guest only, never of the one after.
    clearOccupant(fiche, room, clients->card().name);
    clients->writeBack();
    showTables(fiche);
    return true;
}

bool Reservation(Fiche &fiche, const StayChoice &choice)
{
    ClientPage *clients = bookStay(fiche, choice);
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
    if (!transferProblem(fiche.set(), choice).isEmpty())
        return false;

    // Only the guests present in the source room move: every other stay,
    // past or to come, keeps its room.
    RecordTable &clients = fiche.set().table(Table::Clients);
    const QByteArray to = enc(target);
    for (int n : presentGuests(fiche.set(), source, choice.date)) {
        const qsizetype start = clients.blockStart(n);
        if (start >= 0)
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
