#pragma once

#include "store/fiche.h"
#include "store/page.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// What a planning cell shows, from the code it holds.
enum class CellState { Free, Occupied, Reserved, Confirmed, Closed, Conflict };

// The planning as plain data: one row per room (block 0 first), 28 days
// from `first`. A cell shows who holds its room that night, as the nights'
// model says (nights.h): its code is the holder's ("0" a guest present or a
// stay that is over, "1" reserved, "2" confirmed, "9" closed), kConflict
// when two hold it, empty when nobody does. Beside each code the grid keeps
// every holder, so that a cell can name them all and lead to a guest's
// card; nothing depends on the order of the cards.
struct PlanningGrid
{
    static constexpr int kDays = 28;
    using Row = std::array<QString, kDays>;
    using Writers = std::array<QList<int>, kDays>; // indices into `writers`, in table order
    static inline const QString kConflict = QStringLiteral("!");

    // A stay or a closure, as the cells it wrote show it.
    struct Writer
    {
        int client = -1; // the client's block number; -1 for a closure or a card that cannot open
        bool closure = false;
        QString text;         // the guest's name, or the closure's reason
        QDate from, to;       // as stored: an overdue guest's departure stays the one planned
        bool overdue = false; // present and due to have left before today
        bool noShow = false;  // reserved, arrival day passed without the guest
        bool over = false;    // a stay that is over (the card's history)
    };

    QString title;
    QDate first;
    QDate today;
    QStringList rooms; // row labels: the room numbers, trimmed
    std::vector<Row> cells;
    std::vector<Writers> writtenBy; // as many rows as `cells`, or none
    std::vector<Writer> writers;
    std::vector<QString> codes; // each writer's code

    int rowCount() const { return int(rooms.size()); }
    QDate day(int column) const { return first.addDays(column); }
    // The column of today, or -1 when the period does not hold it.
    int todayColumn() const;
    // "L" for a Monday ... "D" for a Sunday.
    static QString weekdayLetter(QDate day);
    // A code read as a whole number: 0 occupied, 1 reserved, 2 confirmed,
    // 9 closed; kConflict two holders; anything else (departed, cancelled,
    // empty, not a number) free.
    static CellState state(const QString &code);
    CellState state(int row, int column) const
    {
        return state(cells[std::size_t(row)][std::size_t(column)]);
    }
    // Who a cell shows: the first of its holders, null for a free cell.
    const Writer *writer(int row, int column) const;
    // Every holder of a cell, in table order.
    QList<const Writer *> holders(int row, int column) const;
    // The block number of the client a cell shows, or -1.
    int clientAt(int row, int column) const;
    bool overdue(int row, int column) const;
    // What hovering a cell tells, one item a line: the guest, the stay and
    // the situation, or "Fermée", the reason and the dates, for each holder
    // under "Conflit" when there are two; empty when free.
    QString tip(int row, int column) const;
};

// The planning page: 28 days of occupancy per room, rebuilt from the client
// and room tables on every draw. It keeps nothing but the grid last built;
// the first day shown belongs to the file set (planningStart).
class PlanningPage : public Page
{
public:
    explicit PlanningPage(Fiche &fiche);

    const PlanningGrid &grid() const { return m_grid; }

    // Empties the grid and labels one row per room block number, 0 to the
    // room count - 1 (a number without a block gives an unlabelled row).
    void InitPlanning();
    // Rebuilds the labels, the title, the days and every cell for the
    // period starting at planningStart.
    void PlanningSemaines();

    // "Planning Du 04 mars 2001  Au  31 mars 2001".
    static QString title(QDate first);

    // The day the grid takes for today: the clock's, unless one is set.
    void setToday(QDate day) { m_today = day; }
    QDate today() const;
    // Makes the client a cell shows the client page's current card, for the
    // record window to show that page next; false when no guest is there.
    bool aimClient(int row, int column);

    void read() override { PlanningSemaines(); }
    // The period moves by a week (Previous, Next) or four weeks (First, Last).
    void previous() override { move(-7); }
    void next() override { move(7); }
    void first() override { move(-PlanningGrid::kDays); }
    void last() override { move(PlanningGrid::kDays); }

private:
    void move(int days);

    Fiche &m_fiche;
    PlanningGrid m_grid;
    QDate m_today;
};
