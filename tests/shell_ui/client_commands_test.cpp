// The client commands of the main window: searches, selections, exchange
// files and printing, run from the menus with every dialog answered in place
// of the person.
#include "clean_set.h"
#include "shell/ui/fiche_widget.h"

#include <QAction>
#include <QFileDialog>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The LION set open on the client page: DUPONT Jean (PARIS), LEFÈVRE Zoé
// (LYON) and O'BRIEN Œdipe (DUBLIN), codes 10001 to 10003.
struct Hotel : CleanSet
{
    std::function<QString(QFileDialog &)> file = [](QFileDialog &) { return QString(); };
    PdfOnly printUi;

    Hotel()
    {
        form.setChooseFile([this](QFileDialog &d) { return file(d); });
        form.setPrintUi(printUi);
        open();
        form.run(Cmd::Clients);
    }
    QString name() { return form.clientPage().card().name; }
};

} // namespace

// A search moves the card; a selection checks its item and restricts the
// moves; printing without a printer writes PDFs.
TEST(ClientCommands, SearchesSelectionAndPrintingWithoutAPrinter)
{
    Hotel h;
    ASSERT_EQ(h.form.recordWindow()->shownPage(), PageId::Clients);
    ASSERT_EQ(h.name(), u"DUPONT Jean"_s);

    h.answer = typing(u"10003"_s);
    h.form.run(Cmd::RechercherCodeClient);
    EXPECT_EQ(h.name(), u"O'BRIEN Œdipe"_s);

    QString offered;
    h.answer = typing(u"d"_s, &offered);
    h.form.run(Cmd::ClientsVille);
    EXPECT_EQ(offered, u"DUBLIN"_s); // the town of the card shown
    EXPECT_TRUE(h.form.action(Cmd::ClientsVille)->isChecked());
    EXPECT_FALSE(h.form.action(Cmd::TousLesClients)->isChecked());
    // Only DUBLIN begins with "D": the first card of the selection, and the
    // moves stay on it.
    EXPECT_EQ(h.name(), u"O'BRIEN Œdipe"_s);
    h.form.run(Cmd::Precedent);
    EXPECT_EQ(h.name(), u"O'BRIEN Œdipe"_s);

    h.form.run(Cmd::TousLesClients);
    EXPECT_FALSE(h.form.action(Cmd::ClientsVille)->isChecked());
    EXPECT_EQ(h.name(), u"DUPONT Jean"_s);
    h.form.run(Cmd::Suivant);
    EXPECT_EQ(h.name(), u"LEFÈVRE Zoé"_s);

    h.printUi.path = h.path(u"fiche.pdf"_s);
    h.ui.okCancel = {true}; // save the printout as PDF
    h.form.run(Cmd::ImprimerFiche);
    EXPECT_GT(QFileInfo(h.printUi.path).size(), 0);

    // Without a printer the envelope goes to a PDF file too: no envelope to insert.
    h.printUi.path = h.path(u"enveloppe.pdf"_s);
    h.ui.okCancel = {true};
    h.form.run(Cmd::BoutonEnveloppe);
    EXPECT_FALSE(h.ui.shown.contains(u"Insérez une enveloppe dans l'imprimante"_s));
    EXPECT_GT(QFileInfo(h.printUi.path).size(), 0);
}

TEST(ClientCommands, ImportAndExportFromAnotherPageWorkOnTheClientPage)
{
    Hotel h;
    h.form.run(Cmd::Chambres);
    // A name typed with ".csv" is a ";"-separated file whatever the filter.
    const QString csv = h.path(u"clients.csv"_s);
    h.file = [&](QFileDialog &) { return csv; };
    h.form.run(Cmd::Exporter);
    EXPECT_EQ(h.form.recordWindow()->shownPage(), PageId::Clients);
    EXPECT_TRUE(h.form.action(Cmd::RechercherNom)->isEnabled());
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll().count('\n'), 4);
    EXPECT_FALSE(QFile::exists(csv + u".txt"_s));

    // Imported back from the planning (the question on clients already
    // there is ClientImport's): the first of them shown, commands and all.
    h.form.run(Cmd::Planning);
    h.ui.yesNoCancel = {Ui::Answer::Yes};
    h.form.run(Cmd::Importer);
    EXPECT_EQ(h.form.recordWindow()->shownPage(), PageId::Clients);
    EXPECT_TRUE(h.form.action(Cmd::RechercherNom)->isEnabled());
    EXPECT_EQ(h.form.fiche().set().count(Table::Clients), 6);
    EXPECT_EQ(h.form.clientPage().card().code, u"10004"_s);
    EXPECT_TRUE(h.form.action(Cmd::TousLesClients)->isChecked());
}
