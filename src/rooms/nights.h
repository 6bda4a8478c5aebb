#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class FileSet;

// Who holds each room on each night: the one answer that the reception
// dialogs, the client card, the free-room lists, the day at a glance, the
// planning, the occupancy statistics and carvelle-tool all ask.
//
// The night of day D runs from D to the morning of D + 1. A stay from its
// arrival A to its departure L holds the nights A to L - 1, so a guest who
// leaves on D and one who arrives on D never meet; a stay that ends the day
// it begins holds no night. Rooms compare by their trimmed number.
//
// - A present guest ("Présent") holds the nights of the stay, from the
//   night after the part of it a transfer moved into the card's history;
//   past the departure day ("en retard") the guest still holds the room up
//   to tonight; with dates that do not read, tonight only.
// - A reservation or confirmation holds the nights of its stay while its
//   arrival day has not passed. Once it has without the guest (a no-show)
//   it keeps its arrival night only: the nights after are let again, and
//   the day at a glance lists it under "Non arrivés" until it is cancelled
//   or the guest arrives.
// - A stay that is over ("SEJR" line of the card: left, or moved on to
//   another room) holds the nights it records; a cancelled one holds none.
// - A departed or cancelled card's own dates hold nothing.
// - A closure holds every day of its period, both included, as nights.
// "Today" is a parameter: the day at a glance asks for the day it shows.
namespace nights {

enum class Kind { Present, Reserved, Confirmed, Stayed, Closed };

struct Hold
{
    Kind kind = Kind::Present;
    int client = -1; // the client's block number; -1 for a closure
    QByteArray room; // trimmed, as stored
    // The nights held (Julian days), both included; none when last < first.
    qint64 first = 0, last = 0;
    QDate since, until;    // the stay's arrival and departure days, or the closure's days
    QString name;          // the guest, or the closure's reason
    QString clientCode;    // the client's code
    bool overdue = false;  // present after the departure day
    bool noShow = false;   // reserved or confirmed, arrival day passed
    bool undated = false;  // present, dates that do not read
    bool reachable = true; // the client's block is the one its number finds

    // The planning's code: 0 present (or a stay that is over), 1 reserved,
    // 2 confirmed, 9 closed.
    int code() const;
    // "occupée du 06/12/2026 au 09/12/2026 par MARTIN", "fermée du ... : Peinture".
    QString describe() const;
    // Who it is, for a list of clashes: "10023 MARTIN Paul, présent du
    // 06/12/2026 au 09/12/2026", "fermeture du ... au ... : Peinture".
    QString holder() const;
};

// The nights asked for by a stay from `since` to `leaving`: its arrival night
// up to the night before its departure, at least the arrival night.
std::pair<qint64, qint64> askedNights(QDate since, QDate leaving);

class Nights
{
public:
    Nights(const FileSet &set, QDate today);

    QDate today() const { return m_today; }
    // Every hold, clients in table order (each card's past stays first),
    // then the closures in table order; a card's stay of no night (it ends
    // the day it begins) is there too, holding nothing.
    const std::vector<Hold> &holds() const { return m_holds; }
    // The holds of `room` on a night of [first, last], in the order above;
    // the holds of the client blocks in `except` take no part.
    std::vector<const Hold *> of(QByteArrayView room, qint64 first, qint64 last,
                                 const QList<int> &except = {}) const;
    std::vector<const Hold *> on(QByteArrayView room, qint64 night) const
    {
        return of(room, night, night);
    }
    bool isFree(QByteArrayView room, qint64 first, qint64 last, const QList<int> &except = {}) const
    {
        return of(room, first, last, except).empty();
    }

    // Two holds of one room on one night: the night of every pair of holds
    // that share one, for the nights of [first, last]. Holds of one card never
    // clash with each other.
    struct Conflict
    {
        QByteArray room;
        qint64 night = 0;
        const Hold *a = nullptr, *b = nullptr; // a before b in holds()
    };
    std::vector<Conflict> conflicts(qint64 first, qint64 last) const;

    // The nights of departed cards written before their stays were kept in
    // the history (no "SEJR" line of theirs ends the night before their
    // departure): their room is gone from the card, so they hold none, but
    // they were slept. Each [first, last], both included.
    const std::vector<std::pair<qint64, qint64>> &unrecordedStays() const { return m_unrecorded; }

private:
    struct RoomIndex
    {
        std::vector<int> byFirst;      // indices into m_holds, by first night
        std::vector<qint64> reachesTo; // the latest last night among byFirst[0..i]
    };
    QDate m_today;
    std::vector<Hold> m_holds;
    std::vector<std::pair<qint64, qint64>> m_unrecorded;
    QHash<QByteArray, RoomIndex> m_rooms;
};

// The nights of a set for `today`, built once for each state of its client
// and room tables and kept while they do not change.
std::shared_ptr<const Nights> of(const FileSet &set, QDate today);

} // namespace nights
