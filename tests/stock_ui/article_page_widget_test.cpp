// The article commands of the main window reach the page: the page button,
// the moves, a new card, the family selection, the search, copy and paste
// and the printout.
#include "shell/ui/fiche_widget.h"
#include "shell_ui/clean_set.h"
#include "stock/ui/article_page_widget.h"

#include "widget_lookup.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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
}
