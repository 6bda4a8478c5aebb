// The order commands of the main window reach the order page: creating an
// order, typing its lines in the grid, the validation that posts to the
// supplier's statement, the save, the printout, a new order from the
// supplier card and the deletion. Every question and dialog is answered in
// place of the person.
#include "billing/ui/invoice_grid.h"
#include "purchasing/ui/order_page_widget.h"
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "store/table_helpers.h"
#include "store/text.h"
#include "widget_lookup.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Types a line's cells as their editors give them back, then Enter in "Quantité".
void typeLine(QTableView *view, int row, const QString &ref, const QString &quantity,
              const QString &price)
{
    QAbstractItemModel *m = view->model();
    m->setData(m->index(row, ordercol::Ref), ref);
    m->setData(m->index(row, ordercol::Quantity), quantity);
    m->setData(m->index(row, ordercol::Price), price);
    view->setCurrentIndex(m->index(row, ordercol::Quantity));
    QTest::keyClick(view, Qt::Key_Return);
}

} // namespace

// The clean LION set holds one order, 202612001, validated, for supplier
// 0001 ("Brasserie du Port"): one line of 20,00; the VAT rates are not set.
TEST(OrderWiring, CreateLeaveValidateListSavePrintAndDelete)
{
    CleanSet h;
    PdfOnly printUi;
    printUi.path = h.path(u"commande.pdf"_s);
    h.form.setPrintUi(printUi);
    ASSERT_TRUE(h.open());
    h.form.run(Cmd::Commandes);
    ASSERT_EQ(h.form.recordWindow()->shownPage(), PageId::Orders);
    auto *page = qobject_cast<TOrderPage *>(h.form.recordWindow()->pageWidget(PageId::Orders));
    ASSERT_TRUE(page);
    QLineEdit *number = named<QLineEdit>(page, "N° de commande");
    QLineEdit *supplier = named<QLineEdit>(page, "Code fournisseur");
    QTableView *view = page->grid()->view();
    EXPECT_EQ(number->text(), u"202612001"_s);
    EXPECT_EQ(named<QLabel>(page, "total")->text(), u"20,00"_s);

    // A new order for the supplier.
    button<QPushButton>(page, u"Créer"_s)->click();
    EXPECT_NE(number->text(), u"202612001"_s);
    const QString created = number->text();
    supplier->setText(u"0001"_s);

    // Lines typed in the grid, with prices including tax: the totals follow.
    button<QRadioButton>(page, u"Commande TTC"_s)->click();
    typeLine(view, 0, u"R1"_s, u"2"_s, u"10,5"_s);
    EXPECT_EQ(cell(page, 0, ordercol::Price), u"10,5"_s); // as typed
    EXPECT_EQ(cell(page, 0, ordercol::Vat), u"1"_s);
    EXPECT_EQ(view->currentIndex(), view->model()->index(1, 0));
    EXPECT_EQ(named<QLabel>(page, "total")->text(), u"21,00"_s);

    // "Valider" posts the total to the supplier's statement.
    button<QPushButton>(page, u"Valider"_s)->click();
    EXPECT_FALSE(button<QPushButton>(page, u"Valider"_s)->isEnabled());
    const QStringList suppliers = linesOf(h.form.fiche().set().table(Table::Suppliers));
    const QString posted = "DATA" + text::dateText(QDate::currentDate()) + "\tCommande " + created;
    ASSERT_EQ(suppliers.filter(posted).size(), 1);
    EXPECT_TRUE(suppliers.filter(posted)[0].endsWith(u"21,00"_s));

    h.form.run(Cmd::Premier);
    EXPECT_EQ(number->text(), u"202612001"_s);

    // An edit saved straight from the page reaches the file.
    named<QLineEdit>(page, "Adresse 2")->setText(u"Quai Nord"_s);
    h.ui.saveFiles = {h.path("LION.htl")};
    h.ui.okCancel = {true}; // "Ce fichier existe déjà"
    h.form.run(Cmd::Enregistrer);
    EXPECT_TRUE(readFile(h.path("LION.cmd")).contains("Quai Nord"));
    EXPECT_TRUE(readFile(h.path("LION.frs")).contains(posted.toLatin1()));

    // "Imprimer" prints the order shown, as a PDF when there is no printer.
    h.ui.okCancel = {true};
    button<QPushButton>(page, u"Imprimer"_s)->click();
    ASSERT_TRUE(QFile::exists(printUi.path));
    const QString printed = pdfText(printUi.path);
    EXPECT_TRUE(printed.contains(u"Commande N° 202612001"_s));
    EXPECT_TRUE(printed.contains(u"Brasserie du Port"_s));

    h.form.run(Cmd::Fournisseurs);
    EXPECT_TRUE(h.form.action(Cmd::NouvelleCommande)->isEnabled());
    h.form.run(Cmd::NouvelleCommande);
    ASSERT_EQ(h.form.recordWindow()->shownPage(), PageId::Orders);
    EXPECT_EQ(named<QLineEdit>(page, "Code fournisseur")->text(), u"0001"_s);
    EXPECT_EQ(named<QLineEdit>(page, "Adresse 1")->text(), u"Brasserie du Port"_s);
    EXPECT_TRUE(h.form.action(Cmd::SupprimerCommande)->isEnabled());
    EXPECT_FALSE(h.form.action(Cmd::NouvelleCommande)->isEnabled());

    // Deleting the order asks first; the order shown goes on OK.
    h.ui.okCancel = {true, false, true};
    h.form.run(Cmd::Premier); // abandons the incomplete new order
    h.form.run(Cmd::SupprimerCommande);
    EXPECT_EQ(h.form.fiche().set().table(Table::Orders).countBlocks(), 2);
    h.form.run(Cmd::SupprimerCommande);
    EXPECT_EQ(h.form.fiche().set().table(Table::Orders).countBlocks(), 1);
    EXPECT_TRUE(h.ui.shown.contains(u"Confirmer suppression de la Commande ?"_s));
}
