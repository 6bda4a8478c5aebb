// Credit notes from the main window: the validated invoice of the clean set
// is refused for deletion before any question is asked, and "Établir un
// avoir" shows its credit note.
#include "billing/ui/invoice_page_widget.h"
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "widget_lookup.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CreditNoteWiring, DeletionIsRefusedWithoutAskingAndTheCreditNoteIsShown)
{
    CleanSet h;
    ASSERT_TRUE(h.open());
    h.form.run(Cmd::BoutonFacture);
    EXPECT_TRUE(h.form.action(Cmd::EtablirAvoir)->isEnabled());
    TInvoicePage *page = h.form.recordWindow()->invoicePage();
    ASSERT_EQ(named<QLineEdit>(page, "N° de facture")->text(), u"202612001"_s);
    const int count = h.form.fiche().set().count(Table::Invoices);

    for (Cmd cmd : {Cmd::SupprimerFacture, Cmd::SupprimerFiche}) {
        h.ui.shown.clear();
        h.ui.okCancel = {true};
        h.form.run(cmd);
        EXPECT_EQ(h.ui.shown,
                  QStringList{u"Une facture validée ne se supprime pas : établissez un avoir."_s});
        EXPECT_EQ(h.form.fiche().set().count(Table::Invoices), count);
    }

    h.form.run(Cmd::EtablirAvoir);
    EXPECT_EQ(h.form.fiche().set().count(Table::Invoices), count + 1);
    EXPECT_NE(named<QLineEdit>(page, "N° de facture")->text(), u"202612001"_s);
    EXPECT_EQ(named<QLabel>(page, "status")->text(), u"Avoir validé"_s);
}
