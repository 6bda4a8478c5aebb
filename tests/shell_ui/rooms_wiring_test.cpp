// The room, reception and planning commands of the main window: which are
// offered on which page, and that what they do reaches the tables and the
// pages shown. Every dialog is answered in place of the person.
#include "clean_set.h"
#include "shell/ui/fiche_widget.h"
#include "store/table_helpers.h"
#include "widget_lookup.h"

#include "clients/ui/client_page_widget.h"
#include "rooms/ui/journee_window.h"
#include "rooms/ui/planning_widget.h"
#include "rooms/ui/room_page_widget.h"

#include <QAction>
#include <QDateEdit>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The clean LION set open: three clients present in room 12 from the 1st to
// the 5th of December 2026 (DUPONT Jean on the client card), room 12
// occupied by DUPONT Jean, room 7 free.
struct Hotel : CleanSet
{
    Hotel() { open(); }
    QString roomLine(int block, int offset)
    {
        const RecordTable &t = form.fiche().set().table(Table::Rooms);
        return t.text(t.blockStart(block) + offset);
    }
};

int click(QDialog &dialog, const QString &text)
{
    QTest::mouseClick(button<QPushButton>(&dialog, text), Qt::LeftButton);
    return dialog.result();
}

} // namespace

TEST(RoomsWiring, ArrivalFromTheMenuReachesTheTablesAndThePlanning)
{
    Hotel h;
    h.form.run(Cmd::Clients);
    const QDate today = QDate::currentDate();
    bool asked = false;
    h.answer = [&](QDialog &d) {
        asked = true;
        auto *room = d.findChild<QComboBox *>(u"room"_s);
        room->setCurrentIndex(room->findText(u"7 Chambre côté mer"_s));
        d.findChild<QDateEdit *>(u"since"_s)->setDate(today);
        d.findChild<QDateEdit *>(u"leaving"_s)->setDate(today.addDays(2));
        return click(d, u"OK"_s);
    };
    h.form.action(Cmd::ArriveeClient)->trigger();
    ASSERT_TRUE(asked);
    EXPECT_EQ(h.roomLine(1, 8), u"DUPONT Jean"_s);
    EXPECT_EQ(named<QLineEdit>(h.form.recordWindow()->clientPage(), u"Chambre"_s)->text(), u"7"_s);

    // The planning shows the stay: room 7 is occupied today.
    h.form.run(Cmd::BoutonPlanning);
    TPlanningPage *planning = h.form.recordWindow()->planningPage();
    ASSERT_EQ(h.form.recordWindow()->shownPage(), PageId::Planning);
    const QAbstractItemModel *grid = planning->view()->model();
    int row = 0;
    while (row < grid->rowCount() && grid->index(row, 0).data().toString() != u"7"_s)
        ++row;
    ASSERT_LT(row, grid->rowCount());
    const int column = int(h.form.planningPage().grid().first.daysTo(today)) + 1;
    EXPECT_EQ(grid->index(row, column).data(Qt::BackgroundRole).value<QColor>(),
              QColor(0, 128, 128));

    // A double click on the stay opens the guest's card, commands and all.
    h.form.show();
    const QRect cell = planning->view()->visualRect(grid->index(row, column));
    QWidget *viewport = planning->view()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, cell.center());
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(h.form.recordWindow()->shownPage(), PageId::Clients);
    EXPECT_TRUE(h.form.action(Cmd::ArriveeClient)->isEnabled());
    EXPECT_EQ(named<QLineEdit>(h.form.recordWindow()->clientPage(), u"Nom Prénom"_s)->text(), u"DUPONT Jean"_s);
    h.form.run(Cmd::BoutonPlanning);

    // Page Down shows the next week, Ctrl+Home four weeks back.
    const QDate first = h.form.planningPage().grid().first;
    QTest::keyClick(h.form.recordWindow(), Qt::Key_PageDown);
    EXPECT_EQ(h.form.planningPage().grid().first, first.addDays(7));
    QTest::keyClick(h.form.recordWindow(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(h.form.planningPage().grid().first, first.addDays(-21));
    bool titled = false;
    for (QLabel *l : planning->findChildren<QLabel *>())
        titled = titled || l->text() == PlanningPage::title(first.addDays(-21));
    EXPECT_TRUE(titled);
}
