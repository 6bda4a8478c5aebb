// The room, reception and planning commands of the main window: which are
// offered on which page, and that what they do reaches the tables and the
// pages shown. Every dialog is answered in place of the person.
#include "clean_set.h"
#include "shell/ui/fiche_widget.h"
#include "store/table_helpers.h"
#include "widget_lookup.h"

#include "clients/ui/client_page_widget.h"
#include "rooms/ui/planning_widget.h"
#include "rooms/ui/room_page_widget.h"

#include <QAction>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The clean LION set open: three clients present in room 12 from the 1st to
// the 5th of December 2026 (DUPONT Jean on the client card), room 12
// occupied by DUPONT Jean, room 7 free. Printouts go to PDF.
struct Hotel : CleanSet
{
    PdfOnly pdf;
    Hotel()
    {
        open();
        form.setPrintUi(pdf);
    }
    bool printedOnA5() const
    {
        QProcess p;
        p.start("pdfinfo", {pdf.path});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput()).contains(u"(A5)");
    }
    QString roomLine(int block, int offset)
    {
        const RecordTable &t = form.fiche().set().table(Table::Rooms);
        return t.text(t.blockStart(block) + offset);
    }
};

} // namespace

// Which commands each page offers: CommandState (tests/shell) and
// MainForm.ActionsShowTheCommandStateOfEachPage.
TEST(RoomsWiring, RoomPageMovesBySelectionAndSearchAndTheRoomPicker)
{
    Hotel h;
    h.form.run(Cmd::BoutonChambres);
    TFiche *fiche = h.form.recordWindow();
    ASSERT_EQ(fiche->shownPage(), PageId::Rooms);
    QLineEdit *number = named<QLineEdit>(fiche->roomPage(), u"Numéro"_s);
    ASSERT_TRUE(number);
    EXPECT_EQ(number->text(), u"   12"_s);

    // "Chambres libres" checks its item and shows the first room without occupant.
    h.form.run(Cmd::ChambresLibres);
    EXPECT_TRUE(h.form.action(Cmd::ChambresLibres)->isChecked());
    EXPECT_FALSE(h.form.action(Cmd::ToutesLesChambres)->isChecked());
    EXPECT_EQ(number->text(), u"    7"_s);

    h.answer = typing(u"dup"_s);
    h.form.run(Cmd::RechercherOccupant);
    EXPECT_EQ(number->text(), u"   12"_s);
    h.answer = typing(u"7"_s);
    h.form.run(Cmd::RechercherChambre);
    EXPECT_EQ(number->text(), u"    7"_s);

    // Going round the pages only shows cards: nothing is left to save.
    for (Cmd c : {Cmd::Planning, Cmd::Clients, Cmd::Chambres, Cmd::Suivant, Cmd::Planning})
        h.form.run(c);
    EXPECT_FALSE(h.form.fiche().TestModif());

    // The client card's room picker.
    h.form.run(Cmd::Clients);
    TClientPage *page = h.form.recordWindow()->clientPage();
    QToolButton *picker = button<QToolButton>(page, u"Liste des chambres"_s);
    ASSERT_TRUE(picker);

    QStringList offered;
    auto pick = [&](const QString &button) {
        return [&, button](QDialog &d) {
            auto *list = d.findChild<QListWidget *>();
            offered.clear();
            for (int i = 0; i < list->count(); ++i)
                offered << list->item(i)->text();
            if (!offered.isEmpty())
                list->setCurrentRow(0);
            return click(d, button);
        };
    };
    // Room 12 is taken for the card's stay; 7 is offered and goes into "Chambre".
    h.answer = pick(u"OK"_s);
    QTest::mouseClick(picker, Qt::LeftButton);
    EXPECT_EQ(offered, QStringList{u"7 Chambre côté mer"_s});
    EXPECT_EQ(named<QLineEdit>(page, u"Chambre"_s)->text(), u"7"_s);
    EXPECT_EQ(h.form.clientPage().card().room, u"7"_s);
    EXPECT_TRUE(h.form.clientPage().modified());
}

// The arrival from the menu reaches the tables and the planning; a foreign
// guest's arrival offers the police form, printed on A5.
TEST(RoomsWiring, ArrivalFromTheMenuReachesTheTablesThePlanningAndThePoliceForm)
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
    // DUPONT Jean is French: his arrival asks nothing more.
    ASSERT_EQ(h.form.clientPage().card().nationality, u"Française"_s);
    h.form.action(Cmd::ArriveeClient)->trigger();
    ASSERT_TRUE(asked);
    EXPECT_TRUE(h.ui.shown.isEmpty());
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
    EXPECT_EQ(named<QLineEdit>(h.form.recordWindow()->clientPage(), u"Nom Prénom"_s)->text(),
              u"DUPONT Jean"_s);

    // Had he been British, the same arrival would have offered the form.
    h.form.run(Cmd::Clients);
    h.form.clientPage().card().nationality = u"Britannique"_s;
    h.form.clientPage().touch();
    h.pdf.path = h.path(u"police.pdf"_s);
    h.ui.yesNoCancel = {Ui::Answer::Yes};
    h.ui.okCancel = {true}; // no printer: save as PDF
    h.form.run(Cmd::ArriveeClient);
    EXPECT_EQ(h.ui.shown.value(0), u"Imprimer la fiche de police ?"_s);
    EXPECT_TRUE(h.printedOnA5());
    EXPECT_TRUE(h.form.action(Cmd::ImprimerFichePolice)->isEnabled());
}
