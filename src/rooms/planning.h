#pragma once

#include "store/fiche.h"
#include "store/page.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// What a planning cell shows, from the code it holds.
enum class CellState { Free, Occupied, Reserved, Confirmed, Closed };

// The planning as plain data: one row per room (block 0 first), 28 days
// from `first`. A cell holds the code written last for its room and day:
// a client's situation as stored ("0" present ... "4" cancelled) or "9"
// for a closure; empty when nothing happens.
struct PlanningGrid
{
    static constexpr int kDays = 28;
    using Row = std::array<QString, kDays>;

    QString title;
    QDate first;
    QStringList rooms; // row labels: the room numbers, trimmed
    std::vector<Row> cells;

    int rowCount() const { return int(rooms.size()); }
    QDate day(int column) const { return first.addDays(column); }
    // A code read as a whole number: 0 occupied, 1 reserved, 2 confirmed,
    // 9 closed; anything else (departed, cancelled, empty, not a number) free.
    static CellState state(const QString &code);
    CellState state(int row, int column) const
    {
        return state(cells[std::size_t(row)][std::size_t(column)]);
    }
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
};
