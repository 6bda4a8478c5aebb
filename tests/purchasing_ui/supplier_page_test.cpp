// The supplier commands of the main window reach the supplier page and its
// edits reach the files. Every dialog is answered in place of the person.
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "store/table_helpers.h"
#include "widget_lookup.h"

#include <QLineEdit>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The clean LION set holds one supplier, "Brasserie du Port" (code 0001,
// family Boissons).
TEST(SupplierWiring, EditsAreStoredBySaveAndCommandsReachThePage)
{
    CleanSet h;
    ASSERT_TRUE(h.open());
    h.form.run(Cmd::Fournisseurs);
    ASSERT_EQ(h.form.recordWindow()->shownPage(), PageId::Suppliers);
    QWidget *page = h.form.recordWindow()->pageWidget(PageId::Suppliers);
    QLineEdit *code = named<QLineEdit>(page, "Code");
    QLineEdit *name = named<QLineEdit>(page, "Nom/Soc");
    ASSERT_TRUE(code && name);
    EXPECT_EQ(code->text(), u"0001"_s);
    EXPECT_EQ(name->text(), u"Brasserie du Port"_s);

    // An edit saved straight from the page reaches the file.
    name->setText(u"Brasserie du Port Neuf"_s);
    h.ui.saveFiles = {h.path("LION.htl")};
    h.ui.okCancel = {true};
    h.form.run(Cmd::Enregistrer);
    EXPECT_TRUE(readFile(h.path("LION.frs")).contains("Brasserie du Port Neuf"));

    // A statement row typed in the entry row goes to the grid.
    named<QLineEdit>(page, "entryLabel")->setText(u"Facture 7"_s);
    named<QLineEdit>(page, "entryAmount")->setText(u"12,5"_s);
    named<QLineEdit>(page, "entryAmount")->returnPressed();
    EXPECT_EQ(cell(page, 0, 1), u"Facture 7"_s);
    EXPECT_EQ(cell(page, 0, 2), u"12,50"_s);

    // A new card takes the next free code.
    h.form.run(Cmd::NouvelleFiche);
    EXPECT_EQ(code->text(), u"10001"_s);
    name->setText(u"Zinc Primeurs"_s);

    // The search writes the new card back before it moves.
    h.answer = typing(u"bras"_s);
    h.form.run(Cmd::RechercherFournisseur);
    EXPECT_EQ(code->text(), u"0001"_s);
    EXPECT_EQ(cell(page, 0, 1), u"Facture 7"_s);
    EXPECT_EQ(h.form.fiche().set().count(Table::Suppliers), 2);
    h.form.run(Cmd::Suivant);
    EXPECT_EQ(name->text(), u"Zinc Primeurs"_s);

    // An edit followed by closing the window, answering "Yes", is stored too.
    name->setText(u"Zinc Primeurs Frais"_s);
    h.ui.yesNoCancel = {Ui::Answer::Yes};
    h.form.close();
    EXPECT_TRUE(readFile(h.path("LION.frs")).contains("Zinc Primeurs Frais"));
}

