#include "rooms/hotel_fixture.h"
#include "rooms/planning.h"

namespace {

// A record window whose planning starts on Sunday 4 March 2001, a day that
// is also today unless a test says otherwise.
struct Planning : Hotel
{
    PlanningPage page{fiche};

    Planning(const QStringList &rooms, const QStringList &clients, QDate today = QDate(2001, 3, 4))
        : Hotel(clients, rooms, today)
    {
        page.setToday(today);
        fiche.set().planningStart = QDate(2001, 3, 4);
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

// A stay in the planning's argument order.
QStringList stay(int n, const QString &room, const QString &since, const QString &leaving,
                 const QString &situation, const QString &name = {})
{
    return client(n, name, room, situation, since, leaving);
}

// A room number with its closure.
QStringList closed(int n, const QString &number, const QString &from = RoomCard::kNoDate,
                   const QString &until = RoomCard::kNoDate, const QString &reason = {})
{
    return room(n, number, {}, {}, from, until, reason);
}

const QString kEmptyRow(28, u'.');

} // namespace

// Every holder of a night shows, whatever the order of the cards: two make
// a conflict, and its tip names both.
TEST(Planning, TwoHoldersMakeAConflictWhateverTheCardOrder)
{
    const QStringList rooms =
        closed(0, "  101") + closed(1, "  102", "06/03/2001 ", " 07/03/2001", "Fuite");
    const QStringList clients = stay(0, "101", "04/03/2001", "05/03/2001", "0", "Dupont") +
                                stay(1, "101", "05/03/2001", "06/03/2001", "3") +
                                stay(2, "102", "04/03/2001", "08/03/2001", "0", "Blanc") +
                                stay(3, "101", "05/03/2001", "07/03/2001", "1", "Roux") +
                                stay(4, "101", "06/03/2001", "08/03/2001", "2", "Noir");
    Planning p(rooms, clients);
    // A departed card's dates hold nothing; touching stays do not clash.
    EXPECT_EQ(p.row(0), "01!2" + kEmptyRow.mid(4));
    EXPECT_EQ(p.row(1), "00!!" + kEmptyRow.mid(4));
    EXPECT_EQ(p.page.grid().state(1, 2), CellState::Conflict);
    EXPECT_EQ(p.page.grid().tip(1, 2),
              "Conflit : 2 pour cette nuit\n\nBlanc\ndu 04/03/2001 au 08/03/2001\nPrésent\n\n"
              "Fermée\nFuite\ndu 06/03/2001 au 07/03/2001");
    EXPECT_EQ(p.page.grid().clientAt(0, 2), 3);

    QStringList reversed;
    for (int b = 4; b >= 0; --b)
        reversed += clients.mid(b * 26, 26);
    Planning q(rooms, reversed);
    for (int r = 0; r < 2; ++r)
        EXPECT_EQ(q.row(r), p.row(r));
    for (const char *free : {"", "4", "-1", "x"})
        EXPECT_EQ(PlanningGrid::state(free), CellState::Free) << free;
}

TEST(Planning, OverdueGuestsKeepTheirRoomUpToToday)
{
    const QDate today(2001, 3, 10);
    Planning p(closed(0, "  101") + closed(1, "  102") + closed(2, "  103") + closed(3, "  104"),
               stay(0, "101", "01/03/2001", "05/03/2001", "0", "Martin Paul") // overdue
                   + stay(1, "102", "01/03/2001", "05/03/2001", "1")          // not present
                   + stay(2, "102", "06/03/2001", "07/03/2001", "3")          // gone
                   + stay(3, "103", "20/02/2001", "25/02/2001", "0") // left before the period
                   + stay(4, "103", "08/03/2001", "09/03/2001", "2") // booked over the overdue one
                   + stay(5, "104", "09/03/2001", "08/03/2001", "0") // stay ending before it starts
                   + stay(6, "104", "10/03/2001", "12/03/2001", "0"), // present, not yet due
               today);
    const PlanningGrid &g = p.page.grid();
    EXPECT_EQ(g.todayColumn(), 6);
    EXPECT_EQ(p.row(0), "0000000" + kEmptyRow.mid(7));
    // A reservation whose guest never came keeps its arrival night only.
    EXPECT_EQ(p.row(1), kEmptyRow);
    EXPECT_EQ(p.row(2), "0000!00" + kEmptyRow.mid(7))
        << "the booking clashes with the guest still there";
    EXPECT_EQ(p.row(3), "......00" + kEmptyRow.mid(8));
    for (int c = 0; c < 7; ++c)
        EXPECT_TRUE(g.overdue(0, c)) << c;
    EXPECT_FALSE(g.overdue(0, 7));
    EXPECT_TRUE(g.overdue(2, 4));
    EXPECT_FALSE(g.overdue(3, 6));
    EXPECT_EQ(g.tip(0, 6), "Martin Paul\ndu 01/03/2001 au 05/03/2001\nPrésent\nDépart dépassé");

    // A week earlier shows the guest too, a month later nobody overdue.
    p.fiche.Precedent();
    EXPECT_EQ(p.row(0), kEmptyRow.left(4) + QString(10, u'0') + kEmptyRow.mid(14));
    p.fiche.Dernier();
    EXPECT_EQ(g.todayColumn(), -1);
    EXPECT_EQ(p.row(0), kEmptyRow);
}
