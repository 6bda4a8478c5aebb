#include "rooms/planning.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"

#include <gtest/gtest.h>

namespace {

// A block of `size` lines holding only the lines the planning reads.
QStringList block(int n, int size, const QList<std::pair<int, QString>> &fields)
{
    QStringList lines(size);
    lines.front() = "<BLOC" + RecordTable::numberText(n, 5) + ">";
    lines.back() = "</BLOC" + RecordTable::numberText(n, 5) + ">";
    for (const auto &[line, text] : fields)
        lines[line] = text;
    return lines;
}

QStringList room(int n, const QString &number, const QString &closedFrom = "  /  /    ",
                 const QString &closedUntil = "  /  /    ")
{
    return block(n, 19, {{1, number}, {15, closedFrom}, {16, closedUntil}});
}

QStringList client(int n, const QString &room, const QString &since, const QString &leaving,
                   const QString &situation)
{
    return block(n, 26, {{15, since}, {16, room}, {17, leaving}, {24, situation}});
}

// A record window whose planning starts on Sunday 4 March 2001.
struct Planning
{
    ScriptedUi ui;
    Fiche fiche{ui};
    PlanningPage page{fiche};

    Planning(const QStringList &rooms, const QStringList &clients)
    {
        FileSet &set = fiche.set();
        set.table(Table::Rooms).setBytes(crlf(rooms));
        set.setCount(Table::Rooms, set.table(Table::Rooms).countBlocks());
        set.table(Table::Clients).setBytes(crlf(clients));
        set.planningStart = QDate(2001, 3, 4);
        fiche.setPage(PageId::Planning, &page); // the page shown at start
        page.PlanningSemaines();
    }
    // The codes of one row as a single string, "." for an empty cell.
    QString row(int r) const
    {
        QString out;
        for (const QString &code : page.grid().cells[std::size_t(r)])
            out += code.isEmpty() ? QStringLiteral(".") : code;
        return out;
    }
};

const QString kEmptyRow(28, u'.');

} // namespace

TEST(Planning, StaysFillTheDaysTheyShareWithThePeriod)
{
    Planning p(room(0, "  101") + room(1, "  102") + room(2, "  103") + room(3, "  104") +
                   room(4, "104"),
               client(0, "101", "03/03/2001", "05/03/2001", "0")        // starts before the period
                   + client(1, "102", "10/03/2001", "09/03/2001", "0")  // ends before it starts
                   + client(2, " 103", "04/03/2001", "31/03/2001", "0") // leading blank: no row
                   + client(3, "104", "01/02/2001", "30/04/2001", "2")  // covers the whole period
                   + client(4, "102", "4/03/2001", "06/03/2001", "1")   // date not ten characters
                   + client(5, "", "04/03/2001", "06/03/2001", "1"));
    EXPECT_EQ(p.page.grid().rooms, QStringList({"101", "102", "103", "104", "104"}));
    EXPECT_EQ(p.row(0), "00" + kEmptyRow.mid(2));
    EXPECT_EQ(p.row(1), kEmptyRow);
    EXPECT_EQ(p.row(2), kEmptyRow);
    EXPECT_EQ(p.row(3), QString(28, u'2'));
    EXPECT_EQ(p.row(4), kEmptyRow) << "a room number listed twice shows on its first row";
}

TEST(Planning, LaterWritesWinAndClosuresCoverStays)
{
    Planning p(room(0, "  101") + room(1, "  102", "06/03/2001 ", " 07/03/2001"),
               client(0, "101", "04/03/2001", "05/03/2001", "0") +
                   client(1, "101", "05/03/2001", "06/03/2001", "3") +
                   client(2, "102", "04/03/2001", "08/03/2001", "0"));
    // The departed guest, later in the table, whitens the day it shares.
    EXPECT_EQ(p.row(0), "033" + kEmptyRow.mid(3));
    // The closure, trimmed, wins over the guest on the days they share.
    EXPECT_EQ(p.row(1), "00990" + kEmptyRow.mid(5));
    EXPECT_EQ(p.page.grid().state(1, 2), CellState::Closed);
    for (const char *free : {"", "4", "-1", "x"})
        EXPECT_EQ(PlanningGrid::state(free), CellState::Free) << free;
}

TEST(Planning, RowsFollowBlockNumbersAndShowEveryRoom)
{
    // A rewritten room sits at the end of the table but keeps its row; a
    // hotel of more than 39 rooms shows them all.
    QStringList rooms = room(1, "  102");
    for (int b = 2; b < 45; ++b)
        rooms += room(b, QString::number(100 + b + 1).rightJustified(5));
    rooms += room(0, "  101", "04/03/2001", "04/03/2001");
    Planning p(rooms, client(0, "145", "31/03/2001", "02/04/2001", "1"));
    const PlanningGrid &g = p.page.grid();
    ASSERT_EQ(g.rowCount(), 45);
    EXPECT_EQ(g.rooms[0], "101");
    EXPECT_EQ(g.rooms[44], "145");
    EXPECT_EQ(p.row(0), "9" + kEmptyRow.mid(1));
    EXPECT_EQ(p.row(44), kEmptyRow.left(27) + "1");
}

TEST(Planning, TitleAndMovesFollowThePeriod)
{
    Planning p(room(0, "  101"), client(0, "101", "11/03/2001", "11/03/2001", "0"));
    const PlanningGrid &g = p.page.grid();
    EXPECT_EQ(g.title, "Planning Du 04 mars 2001  Au  31 mars 2001");
    EXPECT_EQ(p.row(0), kEmptyRow.left(7) + "0" + kEmptyRow.mid(8));

    p.fiche.Suivant();
    EXPECT_EQ(p.fiche.set().planningStart, QDate(2001, 3, 11));
    EXPECT_EQ(g.title, "Planning Du 11 mars 2001  Au  07 avril 2001");
    EXPECT_EQ(p.row(0), "0" + kEmptyRow.mid(1)); // redrawn for the new period
    p.fiche.Premier();
    EXPECT_EQ(p.fiche.set().planningStart, QDate(2001, 2, 11));
    p.fiche.Dernier();
    p.fiche.Precedent();
    EXPECT_EQ(p.fiche.set().planningStart, QDate(2001, 3, 4));
}
