#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A stay that is over, or the part of a stay spent in a room the guest
// left: a "SEJR" line in the client's block, after its history rows,
//   "SEJR" room TAB first night TAB last night TAB situation
// with the nights as dd/mm/yyyy (the night of a day runs to the next
// morning) and the situation's index ("0" the guest moved on to another
// room, "3" left, "4" cancelled before arriving). A departure, a transfer
// and a cancellation each add one, so that the room's past nights survive
// the next booking of the card. Blocks written before this line existed
// simply have none, and a line that does not read is kept as it is.
struct StaySegment
{
    static constexpr QByteArrayView kTag = "SEJR";

    QString room;
    QDate first, last; // nights, both included
    int situation = -1;

    // The text after the tag.
    QString text() const;
    // A segment read from the text after the tag; nothing when it does not read.
    static std::optional<StaySegment> read(QStringView text);
    static std::optional<StaySegment> read(QByteArrayView text);

    // Whether the guest slept those nights (moved on or left), as opposed to
    // a cancelled booking.
    bool slept() const { return situation == 0 || situation == 3; }
    // What the card's history grid shows for it.
    QString label() const;
};

// The first night of the stay on a card: its arrival, or the night after the
// last part of it that a transfer already moved into the history.
QDate currentStayStart(QDate since, const QList<StaySegment> &segments);

// The segments of a card's "SEJR" texts that read, in order.
QList<StaySegment> staySegments(const QStringList &texts);
