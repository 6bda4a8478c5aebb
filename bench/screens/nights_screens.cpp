// carvelle-nights-screens: the README's pictures of a night held twice in the
// planning and of a card's stay history after a transfer, taken from the
// widgets themselves on a demo hotel written around today. The transfer and
// the departure are the reception's own; the clash is what an older program
// (or a hand edit) left in the file: a reservation typed over a guest.

#include "clients/client_page.h"
#include "clients/ui/client_page_widget.h"
#include "rooms/journee.h"
#include "rooms/nights.h"
#include "rooms/planning.h"
#include "rooms/reception.h"
#include "clients/client_lines.h"
#include "rooms/room_lines.h"
#include "rooms/room_page.h"
#include "rooms/ui/planning_widget.h"
#include "store/fiche.h"
#include "store/text.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QTableView>
#include <QToolTip>

#include <cstdio>

namespace {

class QuietUi : public Ui
{
public:
    void inform(const QString &) override {}
    Answer askYesNoCancel(const QString &) override { return Answer::No; }
    bool askOkCancel(const QString &) override { return true; }
    QString chooseOpenFile() override { return {}; }
    QString chooseSaveFile(const QString &) override { return {}; }
};

int fail(const char *what)
{
    std::fprintf(stderr, "carvelle-nights-screens: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return fail("usage: carvelle-nights-screens DEMO.htl OUTDIR");
    const QString out = QString::fromLocal8Bit(argv[2]);
    QuietUi ui;
    Fiche fiche(ui);
    ClientPage clients(fiche);
    RoomPage rooms(fiche);
    PlanningPage planning(fiche);
    fiche.setPage(PageId::Clients, &clients);
    fiche.setPage(PageId::Rooms, &rooms);
    fiche.setPage(PageId::Planning, &planning);
    reception::installSituationHook(fiche);
    if (!fiche.Charge(QString::fromLocal8Bit(argv[1])))
        return fail("cannot open the set");
    const QDate today = fiche.today();

    // A guest two nights into the stay moves today, and leaves on the day planned.
    int moved = -1;
    for (const journee::Guest &g : journee::Journee(fiche.set(), today).present) {
        const QStringList targets = reception::transferTargets(fiche.set(), g.room, today, today);
        if (g.overdue || text::storedDate(g.since) >= today.addDays(-1) || targets.isEmpty())
            continue;
        fiche.set().setPosition(Table::Clients, g.block);
        clients.read();

        if (!reception::Transferer(
                fiche, {today, g.room, reception::roomOf(reception::shownEntry(targets.first()))}))
            return fail("the transfer was refused");
        moved = g.block;
        break;
    }
    if (moved < 0)
        return fail("nobody to move");
    reception::Part(fiche, clients.card().leaving);

    // The first reservation of the coming days typed over a guest's room.
    const auto held = nights::of(fiche.set(), today);
    const nights::Hold *guest = nullptr, *booking = nullptr;
    for (const nights::Hold &h : held->holds()) {
        if (!guest && h.kind == nights::Kind::Present && !h.overdue &&
            h.last > today.toJulianDay() + 1)
            guest = &h;
        if (!booking && h.kind == nights::Kind::Reserved && h.first > today.toJulianDay() &&
            h.first <= today.toJulianDay() + 6)
            booking = &h;
    }
    if (!guest || !booking)
        return fail("no stay to clash with");
    RecordTable &t = fiche.set().table(Table::Clients);
    t.setLine(t.blockStart(booking->client) + clientline::Room, guest->room);
    t.setLine(t.blockStart(booking->client) + clientline::Since,
              text::dateText(QDate::fromJulianDay(guest->last)).toLatin1());
    const QByteArray room = guest->room;

    fiche.set().planningStart = today.addDays(-(today.dayOfWeek() % 7));
    TPlanningPage page(planning);
    page.resize(1000, 640);
    page.show();
    planning.PlanningSemaines();
    page.refresh();
    QApplication::processEvents();
    int row = planning.grid().rooms.indexOf(QString::fromLatin1(room));
    int column = -1;
    for (int c = 0; c < PlanningGrid::kDays && row >= 0; ++c)
        if (planning.grid().state(row, c) == CellState::Conflict && column < 0)
            column = c;
    if (column < 0)
        return fail("the clash does not show");
    QTableView *view = page.view();
    view->scrollTo(view->model()->index(row, column + 1));
    QApplication::processEvents();
    const QRect cell = view->visualRect(view->model()->index(row, column + 1));
    // The cell's tip, drawn beside it as hovering shows it.
    QLabel tip(planning.grid().tip(row, column));
    tip.setFrameShape(QFrame::Box);
    tip.setMargin(4);
    tip.setAutoFillBackground(true);
    tip.setPalette(QToolTip::palette());
    tip.setFont(QToolTip::font());
    tip.adjustSize();
    QPixmap shot = page.grab();
    {
        QPainter painter(&shot);
        const QPoint at = view->viewport()->mapTo(&page, cell.bottomRight()) + QPoint(6, 6);
        painter.drawPixmap(at, tip.grab());
    }
    if (!shot.save(QDir(out).filePath("planning_conflit.png")))
        return fail("cannot write planning_conflit.png");

    fiche.set().setPosition(Table::Clients, moved);
    clients.read();
    TClientPage card(clients, ui);
    card.resize(1000, 640);
    card.show();
    card.refresh();
    QApplication::processEvents();
    if (!card.grab().save(QDir(out).filePath("historique_sejour.png")))
        return fail("cannot write historique_sejour.png");
    return 0;
}
