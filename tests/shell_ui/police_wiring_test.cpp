// The police form from the main window: offered at the end of a foreign
// guest's arrival, and printed from the print menu, both as PDF on A5.
#include "clean_set.h"
#include "widget_lookup.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The clean LION set open on the client card of DUPONT Jean, printing to PDF.
struct Hotel : CleanSet
{
    PdfOnly pdf;
    Hotel()
    {
        open();
        form.setPrintUi(pdf);
        form.run(Cmd::Clients);
    }
    bool printedOnA5() const
    {
        QProcess p;
        p.start("pdfinfo", {pdf.path});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput()).contains(u"(A5)");
    }
};

} // namespace

TEST(PoliceWiring, ForeignGuestsArrivalOffersTheFormAndPrintsItOnA5)
{
    Hotel h;
    // The arrival dialog filled for room 7, two nights from today.
    h.answer = [](QDialog &d) {
        auto *room = d.findChild<QComboBox *>(u"room"_s);
        room->setCurrentIndex(room->findText(u"7 Chambre côté mer"_s));
        d.findChild<QDateEdit *>(u"since"_s)->setDate(QDate::currentDate());
        d.findChild<QDateEdit *>(u"leaving"_s)->setDate(QDate::currentDate().addDays(2));
        QTest::mouseClick(button<QPushButton>(&d, u"OK"_s), Qt::LeftButton);
        return d.result();
    };
    // DUPONT Jean is French: his arrival asks nothing more.
    ASSERT_EQ(h.form.clientPage().card().nationality, u"Française"_s);
    h.form.run(Cmd::ArriveeClient);
    EXPECT_EQ(h.form.clientPage().card().room.trimmed(), u"7"_s);
    EXPECT_TRUE(h.ui.shown.isEmpty());

    // Had he been British, the same arrival would have offered the form.
    h.form.clientPage().card().nationality = u"Britannique"_s;
    h.form.clientPage().touch();
    h.pdf.path = h.path(u"police.pdf"_s);
    h.ui.yesNoCancel = {Ui::Answer::Yes};
    h.ui.okCancel = {true}; // no printer: save as PDF
    h.form.run(Cmd::ArriveeClient);
    EXPECT_EQ(h.ui.shown.value(0), u"Imprimer la fiche de police ?"_s);
    EXPECT_TRUE(h.printedOnA5());
}

TEST(PoliceWiring, PrintMenuPrintsTheFormOfTheCardShown)
{
    Hotel h;
    const QAction *item = h.form.action(Cmd::ImprimerFichePolice);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), u"&Fiche de police"_s);
    EXPECT_TRUE(item->isEnabled());
    h.pdf.path = h.path(u"menu.pdf"_s);
    h.ui.okCancel = {true};
    h.form.run(Cmd::ImprimerFichePolice);
    EXPECT_TRUE(h.printedOnA5());
}
