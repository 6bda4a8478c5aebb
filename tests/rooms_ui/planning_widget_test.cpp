#include "rooms/hotel_fixture.h"
#include "rooms/ui/planning_widget.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"

#include <gtest/gtest.h>

TEST(PlanningWidget, ShowsEachCodeInItsColourUnderItsDay)
{
    PlanningGrid grid;
    grid.first = QDate(2001, 3, 4);
    grid.rooms = QStringList{"101", "102"};
    grid.cells.resize(2);
    grid.cells[0][1] = grid.cells[0][2] = "0";
    grid.cells[0][3] = "2";
    grid.cells[0][4] = "3";
    grid.cells[1][0] = "1";
    grid.cells[1][1] = "9";
    grid.cells[1][2] = "x";
    grid.cells[1][3] = PlanningGrid::kConflict;
    PlanningGridModel m(grid);

    // Column c shows the day first + (c - 1) under its weekday; column 0 the room.
    EXPECT_EQ(m.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "D\n4");
    EXPECT_EQ(m.headerData(28, Qt::Horizontal, Qt::DisplayRole).toString(), "S\n31");
    EXPECT_EQ(m.data(m.index(1, 0), Qt::DisplayRole).toString(), "102");
    auto colour = [&](int r, int c) {
        return m.data(m.index(r, c), Qt::BackgroundRole).value<QColor>();
    };
    const QColor white(255, 255, 255), teal(0, 128, 128), aqua(0, 255, 255);
    EXPECT_EQ(QList<QColor>({colour(0, 1), colour(0, 2), colour(0, 3), colour(0, 4), colour(0, 5)}),
              QList<QColor>({white, teal, teal, aqua, white}));
    EXPECT_EQ(QList<QColor>({colour(1, 1), colour(1, 2), colour(1, 3), colour(1, 4)}),
              QList<QColor>({QColor(0, 255, 0), QColor(255, 0, 0), white, QColor(255, 0, 255)}));
    EXPECT_TRUE(m.data(m.index(0, 2), Qt::DisplayRole).toString().isEmpty()) << "codes stay hidden";
}
