#include "rooms/hotel_fixture.h"
#include "rooms/ui/planning_widget.h"
#include "scripted_ui.h"
#include "store/table_helpers.h"

#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

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

// Today's column stands out, a cell tells who is there, and a double click
// on a guest makes that guest's card the one the client page opens on.
TEST(PlanningWidget, MarksTodayAndLeadsToTheGuest)
{
    Hotel h(client(0, "Dupont Anne", "101", "0", "01/03/2001", "02/03/2001") +
                client(1, "Leroy Marc", "101", "1", "08/03/2001", "09/03/2001"),
            room(0, "  101", "Double"));
    Fiche &fiche = h.fiche;
    PlanningPage page(fiche);
    page.setToday(QDate(2001, 3, 6));
    fiche.set().planningStart = QDate(2001, 3, 4);
    TPlanningPage w(page);
    w.resize(800, 600);
    w.show();

    QAbstractItemModel *m = w.view()->model();
    for (int c = 1; c <= 28; ++c)
        EXPECT_EQ(m->headerData(c, Qt::Horizontal, Qt::BackgroundRole).isValid(), c == 3) << c;
    EXPECT_EQ(m->headerData(3, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(),
              PlanningGridModel::kToday);
    // The overdue guest holds the room up to tonight, the 6th.
    QList<bool> overdue;
    for (int c = 1; c <= 4; ++c)
        overdue << m->data(m->index(0, c), PlanningGridModel::OverdueRole).toBool();
    EXPECT_EQ(overdue, QList<bool>({true, true, true, false}));
    EXPECT_EQ(m->data(m->index(0, 5), Qt::ToolTipRole).toString(),
              "Leroy Marc\ndu 08/03/2001 au 09/03/2001\nRéserve");

    QSignalSpy opened(&w, &TPlanningPage::clientCardRequested);
    auto doubleClick = [&](int column) {
        const QRect cell = w.view()->visualRect(m->index(0, column));
        // What a person's double click sends: a click, then the double click.
        QWidget *viewport = w.view()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, cell.center());
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, cell.center());
    };
    doubleClick(6); // a free night
    doubleClick(0); // the room number
    EXPECT_EQ(opened.count(), 0);
    doubleClick(5);
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(fiche.set().position(Table::Clients), 1);
    doubleClick(1);
    EXPECT_EQ(fiche.set().position(Table::Clients), 0);
}
