// The article page widget and its dialogs: fields reach the card, reading
// never marks it, the price is edited bare and shown aligned, the entry row
// fills the grid, and the picker gives back the code chosen.
#include "stock/ui/article_dialogs.h"
#include "stock/ui/article_page_widget.h"

#include "scripted_ui.h"
#include "store/table_helpers.h"
#include "store/text.h"
#include "widget_lookup.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ArticlePageWidget : public ::testing::Test
{
protected:
    ScriptedUi ui;
    Fiche fiche{ui};
    ArticlePage page{fiche};
    std::unique_ptr<TArticlePage> widget;
    QWidget *w = nullptr;

    void SetUp() override
    {
        fiche.setPage(PageId::Articles, &page);
        fiche.set()
            .table(Table::Articles)
            .setBytes(crlf({"<BLOC0000>", "10001", "Bar", "Café", "   2,00", " 1", "707000", "",
                            "DATA01/03/2026\tAchat\t  12,00", "</BLOC0000>", "<BLOC0001>", "10002",
                            "Boissons", "Thé", "   3,00", " 1", "707000", "", "</BLOC0001>"}));
        fiche.set().setCount(Table::Articles, 2);
        fiche.selectPage(PageId::Articles);
        widget = std::make_unique<TArticlePage>(page);
        w = widget.get();
    }
    QString grid(int row, int column) { return cell(w, row, column); }
};

} // namespace

TEST_F(ArticlePageWidget, ShowsTheCardAndMarksItOnlyWhenEdited)
{
    EXPECT_EQ(named<QLineEdit>(w, "Code article")->text(), u"10001"_s);
    EXPECT_EQ(grid(0, 2), u"12,00"_s);
    fiche.Suivant();
    EXPECT_EQ(named<QLineEdit>(w, "Désignation")->text(), u"Thé"_s);
    EXPECT_EQ(grid(0, 1), QString()); // no row left from the card before
    EXPECT_FALSE(page.modified());
    named<QLineEdit>(w, "Désignation")->setText(u"Thé vert"_s);
    EXPECT_EQ(page.card().designation, u"Thé vert"_s);
    EXPECT_TRUE(page.modified());
}

TEST_F(ArticlePageWidget, PriceIsEditedBareAndShownAlignedOnceLeft)
{
    QLineEdit *price = named<QLineEdit>(w, "Prix");
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(price, &in);
    EXPECT_EQ(price->text(), u"2,00"_s);
    EXPECT_FALSE(page.modified());

    price->clear();
    QTest::keyClicks(price, "12.5"); // a typed point is the decimal comma
    leave(price);
    EXPECT_EQ(price->text(), text::Rset(u"12,50", ArticlePage::kPriceWidth));
    EXPECT_EQ(page.card().price, price->text());
}

TEST_F(ArticlePageWidget, EntryRowFillsTheGridOnOkAndThePickerGivesTheCode)
{
    w->findChild<QDateEdit *>("entryDate")->setDate(QDate(2026, 3, 9));
    w->findChild<QLineEdit *>("entryLabel")->setText(u"Inventaire"_s);
    w->findChild<QLineEdit *>("entryQuantity")->setText(u"7"_s);
    EXPECT_FALSE(page.modified());
    QTest::mouseClick(button<QPushButton>(w, "OK"), Qt::LeftButton);
    EXPECT_EQ(grid(1, 0), u"09/03/2026"_s);
    EXPECT_EQ(grid(1, 2), u"7,00"_s);
    EXPECT_TRUE(page.modified());

    TListeArt1 picker;
    picker.Init(fiche.set().table(Table::Articles));
    auto *list = picker.findChild<QListWidget *>();
    EXPECT_EQ(list->item(1)->text(), u"10002 Thé"_s);
    list->setCurrentRow(1);
    picker.accept();
    EXPECT_EQ(picker.Result(), u"10002"_s);
    picker.reject();
    EXPECT_EQ(picker.Result(), QString());
}
