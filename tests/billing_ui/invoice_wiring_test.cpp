// The invoice commands of the main window reach the invoice page: the page
// button, the search by number, the client selection, a new invoice from the
// client card, and a credit note instead of deleting a validated invoice.
// Every question is answered in place of the person.
#include "billing/ui/invoice_list_dialog.h"
#include "billing/ui/invoice_page_widget.h"
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "widget_lookup.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The clean LION set holds one invoice, 202612001, validated, for client
// 10001 (DUPONT Jean, room 12).
TEST(InvoiceWiring, CommandsReachTheInvoicePage)
{
    CleanSet h;
    ASSERT_TRUE(h.open());
    h.form.run(Cmd::BoutonFacture);
    ASSERT_EQ(h.form.recordWindow()->shownPage(), PageId::Invoices);
    TInvoicePage *page = h.form.recordWindow()->invoicePage();
    QLineEdit *number = named<QLineEdit>(page, "N° de facture");
    QLineEdit *client = named<QLineEdit>(page, "Code client");
    EXPECT_EQ(number->text(), u"202612001"_s);
    EXPECT_TRUE(h.form.action(Cmd::ChercherFacture)->isEnabled());
    EXPECT_FALSE(h.form.action(Cmd::NouvelleFacture)->isEnabled());

    // A new invoice, then the search brings the first back.
    button<QPushButton>(page, u"Créer"_s)->click();
    EXPECT_NE(number->text(), u"202612001"_s);
    h.ui.texts = {u"F202612001"_s};
    h.form.run(Cmd::ChercherFacture);
    EXPECT_EQ(number->text(), u"202612001"_s);

    // The client selection offers the invoice's client; a cancelled box keeps it.
    h.ui.texts = {QString()};
    h.form.run(Cmd::FacturesClient);
    EXPECT_EQ(h.ui.textBoxes.value(1).value(2), u"10001"_s);
    EXPECT_TRUE(h.form.action(Cmd::FacturesClient)->isChecked());
    EXPECT_EQ(h.form.invoicePage().browseMode, 1);
    EXPECT_EQ(h.form.invoicePage().selectedClient, u"10001"_s);
    EXPECT_EQ(number->text(), u"202612001"_s);
    h.form.run(Cmd::ToutesLesFactures);
    EXPECT_EQ(h.form.invoicePage().browseMode, 0);

    // "Nouvelle facture" on the client card fills the invoice from it.
    h.form.run(Cmd::Clients);
    h.form.run(Cmd::Premier);
    const QString code = h.form.clientPage().card().code;
    h.form.run(Cmd::NouvelleFacture);
    EXPECT_EQ(h.form.recordWindow()->shownPage(), PageId::Invoices);
    EXPECT_EQ(client->text(), code);
    EXPECT_EQ(named<QLineEdit>(page, "Adresse 1")->text(), h.form.clientPage().card().name);
    EXPECT_TRUE(h.form.action(Cmd::ChercherFacture)->isEnabled());
    EXPECT_FALSE(h.form.action(Cmd::NouvelleFacture)->isEnabled());

    // The currency chosen in "Paramètres facture" shows beside the total at once.
    h.answer = [](QDialog &d) {
        button<QRadioButton>(&d, u"Autre"_s)->click();
        named<QLineEdit>(&d, "Nom de la devise")->setText(u"Francs"_s);
        button<QPushButton>(&d, u"OK"_s)->click();
        return d.result();
    };
    h.form.run(Cmd::ParamFacture);
    EXPECT_EQ(named<QLabel>(page, "currency")->text(), u"Francs"_s);
}

// "Imprimer" and "Imprimer facture" print the invoice shown, as a PDF when
// there is no printer; the list opens the invoice chosen in it.
TEST(InvoiceWiring, PrintingAndTheListReachTheInvoiceShown)
{
    CleanSet h;
    PdfOnly printUi;
    printUi.path = h.path(u"facture.pdf"_s);
    h.form.setPrintUi(printUi);
    ASSERT_TRUE(h.open());
    h.form.run(Cmd::BoutonFacture);
    TInvoicePage *page = h.form.recordWindow()->invoicePage();

    h.ui.okCancel = {true};
    button<QPushButton>(page, u"Imprimer"_s)->click();
    EXPECT_TRUE(h.ui.shown.last().startsWith(u"Aucune imprimante n'est installée"_s));
    ASSERT_TRUE(QFile::exists(printUi.path));
    EXPECT_TRUE(pdfText(printUi.path).contains(u"202612001"_s));

    // A new invoice, then the list: choosing its first row shows 202612001 again.
    button<QPushButton>(page, u"Créer"_s)->click();
    QLineEdit *number = named<QLineEdit>(page, "N° de facture");
    EXPECT_NE(number->text(), u"202612001"_s);
    int listed = -1;
    h.answer = [&](QDialog &d) {
        auto *list = qobject_cast<TFListeFactures *>(&d);
        EXPECT_NE(list, nullptr);
        if (!list)
            return d.result();
        listed = list->view()->model()->rowCount();
        list->view()->setCurrentIndex(list->view()->model()->index(0, 0));
        QTest::keyClick(list->view(), Qt::Key_Return);
        return d.result();
    };
    h.form.run(Cmd::ListeFactures);
    EXPECT_EQ(listed, 1); // the new invoice, never valid, is not written
    EXPECT_EQ(number->text(), u"202612001"_s);

    // The validated invoice is refused for deletion before any question is
    // asked; "Établir un avoir" shows its credit note.
    EXPECT_TRUE(h.form.action(Cmd::EtablirAvoir)->isEnabled());
    for (Cmd cmd : {Cmd::SupprimerFacture, Cmd::SupprimerFiche}) {
        h.ui.shown.clear();
        h.ui.okCancel = {true};
        h.form.run(cmd);
        EXPECT_EQ(h.ui.shown,
                  QStringList{u"Une facture validée ne se supprime pas : établissez un avoir."_s});
        EXPECT_EQ(h.form.fiche().set().count(Table::Invoices), 1);
    }
    h.form.run(Cmd::EtablirAvoir);
    EXPECT_EQ(h.form.fiche().set().count(Table::Invoices), 2);
    EXPECT_NE(number->text(), u"202612001"_s);
    EXPECT_EQ(named<QLabel>(page, "status")->text(), u"Avoir validé"_s);
}

