// The article page widget and its dialogs: fields reach the card, reading
// never marks it, the price is edited bare and shown aligned, the entry row
// fills the grid, and the picker gives back the code chosen. The article
// commands of the main window reach the page: the page button, the moves, a
// new card, the family selection, the search, copy and paste, the list (F2)
// and the printout.
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "stock/ui/article_dialogs.h"
#include "stock/ui/article_page_widget.h"

#include "scripted_ui.h"
#include "store/table_helpers.h"
#include "store/text.h"
#include "widget_lookup.h"

#include <QAction>
#include <QDateEdit>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ArticlePageWidget, ShowsTheCardMarksItOnlyWhenEditedAndFillsTheGrid)
{
    ScriptedUi ui;
    Fiche fiche{ui};
    ArticlePage page{fiche};
    fiche.setPage(PageId::Articles, &page);
    fiche.set()
        .table(Table::Articles)
        .setBytes(crlf({"<BLOC0000>", "10001", "Bar", "Café", "   2,00", " 1", "707000", "",
                        "DATA01/03/2026\tAchat\t  12,00", "</BLOC0000>", "<BLOC0001>", "10002",
                        "Boissons", "Thé", "   3,00", " 1", "707000", "", "</BLOC0001>"}));
    fiche.set().setCount(Table::Articles, 2);
    fiche.selectPage(PageId::Articles);
    TArticlePage w(page);

    EXPECT_EQ(named<QLineEdit>(&w, "Code article")->text(), u"10001"_s);
    EXPECT_EQ(cell(&w, 0, 2), u"12,00"_s);
    fiche.Suivant();
    EXPECT_EQ(named<QLineEdit>(&w, "Désignation")->text(), u"Thé"_s);
    EXPECT_EQ(cell(&w, 0, 1), QString()); // no row left from the card before
    EXPECT_FALSE(page.modified());
    named<QLineEdit>(&w, "Désignation")->setText(u"Thé vert"_s);
    EXPECT_EQ(page.card().designation, u"Thé vert"_s);
    EXPECT_TRUE(page.modified());

    // The price is edited bare and shown aligned once left.
    fiche.Precedent();
    QLineEdit *price = named<QLineEdit>(&w, "Prix");
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(price, &in);
    EXPECT_EQ(price->text(), u"2,00"_s);
    EXPECT_FALSE(page.modified());
    price->clear();
    QTest::keyClicks(price, "12.5"); // a typed point is the decimal comma
    leave(price);
    EXPECT_EQ(price->text(), text::Rset(u"12,50", ArticlePage::kPriceWidth));
    EXPECT_EQ(page.card().price, price->text());

    // The entry row fills the grid on OK.
    fiche.Suivant();
    fiche.Precedent();
    w.findChild<QDateEdit *>("entryDate")->setDate(QDate(2026, 3, 9));
    w.findChild<QLineEdit *>("entryLabel")->setText(u"Inventaire"_s);
    w.findChild<QLineEdit *>("entryQuantity")->setText(u"7"_s);
    EXPECT_FALSE(page.modified());
    QTest::mouseClick(button<QPushButton>(&w, "OK"), Qt::LeftButton);
    EXPECT_EQ(cell(&w, 1, 0) + "|" + cell(&w, 1, 2), u"09/03/2026|7,00"_s);
    EXPECT_TRUE(page.modified());

    // The picker gives the code chosen, nothing when cancelled.
    TListeArt1 picker;
    picker.Init(fiche.set().table(Table::Articles));
    auto *list = picker.findChild<QListWidget *>();
    EXPECT_EQ(list->item(1)->text(), u"10002 Thé vert"_s);
    list->setCurrentRow(1);
    picker.accept();
    EXPECT_EQ(picker.Result(), u"10002"_s);
    picker.reject();
    EXPECT_EQ(picker.Result(), QString());
}

// The clean LION set holds two articles: "Nuit double" (code 0001) and
// "Café" (0002, family Bar).
TEST(ArticleWiring, CommandsReachTheArticlePage)
{
    CleanSet h;
    PdfOnly printUi;
    printUi.path = h.path("article.pdf");
    h.form.setPrintUi(printUi);
    ASSERT_TRUE(h.open());
    h.form.run(Cmd::BoutonArticles);
    ASSERT_EQ(h.form.recordWindow()->shownPage(), PageId::Articles);
    TArticlePage *page = h.form.recordWindow()->articlePage();
    QLineEdit *code = named<QLineEdit>(page, "Code article");
    QLineEdit *designation = named<QLineEdit>(page, "Désignation");
    EXPECT_TRUE(h.form.action(Cmd::RechercherArticle)->isEnabled());
    h.form.run(Cmd::Suivant);
    EXPECT_EQ(code->text(), u"0002"_s);

    h.answer = typing(u"bar"_s);
    h.form.run(Cmd::ArticlesFamille);
    EXPECT_TRUE(h.form.action(Cmd::ArticlesFamille)->isChecked());
    h.form.run(Cmd::Precedent);
    EXPECT_EQ(code->text(), u"0002"_s);
    h.form.run(Cmd::TousLesArticles);
    EXPECT_EQ(code->text(), u"0001"_s);

    // An edit stays when another page is shown and this one again.
    designation->setText(u"Nuit double vue mer"_s);
    h.form.run(Cmd::BoutonChambres);
    h.form.run(Cmd::BoutonArticles);
    EXPECT_EQ(designation->text(), u"Nuit double vue mer"_s);

    h.answer = typing(u"caf"_s);
    h.form.run(Cmd::RechercherArticle);
    EXPECT_EQ(code->text(), u"0002"_s);
    h.form.run(Cmd::Copier);
    h.form.run(Cmd::NouvelleFiche);
    EXPECT_EQ(code->text(), u"10001"_s);
    h.form.run(Cmd::Coller);
    EXPECT_EQ(designation->text(), u"Café"_s);

    // Without a printer the card goes to a PDF file.
    h.ui.okCancel = {true};
    h.form.run(Cmd::ImprimerFiche);
    EXPECT_GT(QFileInfo(printUi.path).size(), 0);

    // F2 lists a table of at least 21 lines: 19 before the new card is written.
    bool listed = false;
    h.answer = [&](QDialog &d) {
        listed = d.windowTitle() == u"Liste des articles"_s;
        return d.result();
    };
    h.form.run(Cmd::Liste);
    EXPECT_FALSE(listed);
    h.form.run(Cmd::Premier);
    h.form.run(Cmd::Liste);
    EXPECT_TRUE(listed);
}
