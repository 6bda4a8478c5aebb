#pragma once

// Client and room tables built from literal lines, and a record window with
// the client and room pages over them, for the reception tests.

#include "clients/client_page.h"
#include "rooms/reception.h"
#include "rooms/room_page.h"

#include "scripted_ui.h"
#include "store/table_helpers.h"

// A block of `size` lines after its start marker, empty but for `lines`.
inline QStringList block(int n, int size, std::initializer_list<std::pair<int, QString>> lines)
{
    const QString number = QString::number(n).rightJustified(5, '0') + '>';
    QStringList l(size);
    l[0] = "<BLOC" + number;
    for (const auto &[offset, text] : lines)
        l[offset] = text;
    return l << "</BLOC" + number;
}

// A client block: the name at 4, the stay at 15 to 17, the situation at 24.
inline QStringList client(int n, const QString &name, const QString &room, const QString &situation,
                          const QString &since = "01/05/2024",
                          const QString &leaving = "02/05/2024")
{
    return block(n, 25, {{4, name}, {15, since}, {16, room}, {17, leaving}, {24, situation}});
}

// A room block: number at 1, designation at 3, occupant at 8 and the
// out-of-service period at 15 to 17.
inline QStringList room(int n, const QString &number, const QString &designation,
                        const QString &occupant = {}, const QString &from = RoomCard::kNoDate,
                        const QString &until = RoomCard::kNoDate, const QString &reason = {})
{
    return block(
        n, 18,
        {{1, number}, {3, designation}, {8, occupant}, {15, from}, {16, until}, {17, reason}});
}

// A record window with the client and room pages, showing block 0 of each.
struct Hotel
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    RoomPage rooms{fiche};

    // The reception's today: the clock's, unless a test sets another.
    Hotel(const QStringList &clientLines, const QStringList &roomLines, QDate today = {})
    {
        fiche.setToday(today);
        fiche.setPage(PageId::Clients, &clients);
        fiche.setPage(PageId::Rooms, &rooms);
        reception::installSituationHook(fiche);
        table(Table::Clients) = tableOf(clientLines);
        table(Table::Rooms) = tableOf(roomLines);
        for (Table t : {Table::Clients, Table::Rooms})
            fiche.set().setCount(t, table(t).countBlocks());
        clients.read();
        rooms.read();
    }
    RecordTable &table(Table t) { return fiche.set().table(t); }
    QStringList lines(Table t) const { return linesOf(fiche.set().table(t)); }
    QString line(Table t, int block, int offset) const
    {
        const RecordTable &lines = fiche.set().table(t);
        return lines.text(lines.blockStart(block) + offset);
    }
    QString roomLine(int block, int offset) const { return line(Table::Rooms, block, offset); }
    QString clientLine(int block, int offset) const { return line(Table::Clients, block, offset); }
    void showClient(int block)
    {
        fiche.set().setPosition(Table::Clients, block);
        clients.read();
    }
    void showRoom(int block)
    {
        fiche.set().setPosition(Table::Rooms, block);
        rooms.read();
    }
};
