// The invoice page widget over its page model: the fields show the invoice
// and report edits, typing in the grid reaches the lines and Enter runs the
// grid's rules, a cell that does not read shows in red and blocks "Valider",
// a validated invoice cannot be edited, and the pickers fill what they should.
#include "billing/ui/invoice_grid.h"
#include "billing/ui/invoice_page_widget.h"

#include "billing/billing_fixture.h"
#include "widget_lookup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class InvoicePageWidget : public ::testing::Test
{
protected:
    Billing b{invoiceBlock(0, {line("Nuit", "2", "80,00"), line("Vin", "1", "12,x")}),
              clientBlock(0, "10001", "Martin Paul"),
              {},
              articleBlock(0, "20001", "Bière pression", "4,50")};
    std::unique_ptr<TInvoicePage> widget;
    QTableView *view = nullptr;
    // What the pickers do: choose this entry of their list, or cancel.
    int pick = -1;

    void SetUp() override
    {
        widget = std::make_unique<TInvoicePage>(b.invoices, b.fiche);
        widget->setShowDialog([this](QDialog &d) {
            if (pick >= 0) {
                auto *list = d.findChild<QListWidget *>();
                list->setCurrentRow(pick);
                d.accept();
            }
            return d.result();
        });
        widget->resize(900, 600);
        widget->show();
        view = named<QTableView>(widget.get(), "lines");
    }
    QModelIndex at(int row, int column) { return view->model()->index(row, column); }
    QString shown(int row, int column) { return at(row, column).data().toString(); }
    bool red(int row, int column)
    {
        return at(row, column).data(Qt::ForegroundRole).value<QBrush>().color() == Qt::red;
    }
    // Types `text` in a cell as a person does: the first key opens the
    // editor, the others go to it, then Enter.
    void typeIn(int row, int column, const QString &text)
    {
        view->setCurrentIndex(at(row, column));
        QTest::keyClick(view, text[0].toLatin1());
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(at(row, column)));
        ASSERT_TRUE(editor);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }
    void clickCell(int row, int column)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(at(row, column)).center());
    }
};

} // namespace

TEST_F(InvoicePageWidget, ShowsTheInvoiceMarksItWhenEditedAndEnterComputes)
{
    QWidget *w = widget.get();
    QStringList fields;
    for (const char *name : {"N° de facture", "Code client", "Adresse 4"})
        fields << named<QLineEdit>(w, QString::fromUtf8(name))->text();
    EXPECT_EQ(fields, QStringList({u"202603001"_s, u"10001"_s, u"75011 PARIS"_s}));
    EXPECT_EQ(shown(0, invoicecol::Amount), u"160,00"_s);
    EXPECT_EQ(named<QLabel>(w, "total")->text(), b.invoices.totals().totalText);
    EXPECT_EQ(named<QLabel>(w, "status")->text(), u"Facture non validée"_s);
    EXPECT_FALSE(b.invoices.modified());

    // Typing in the grid reaches the lines and Enter computes.
    typeIn(2, invoicecol::Designation, u"Eau"_s);
    EXPECT_EQ(b.grid().cell(3, invoicecol::Designation), u"Eau"_s);
    typeIn(2, invoicecol::Quantity, u"3"_s);
    typeIn(2, invoicecol::Price, u"1.5"_s); // a typed point is the decimal comma
    // Enter gave the line its VAT code and amount, kept the price as typed
    // and went to the next row.
    EXPECT_EQ(rowText(b.grid(), 3), u"Eau|3|1,5||4,50|1"_s);
    EXPECT_EQ(shown(2, invoicecol::Amount), u"4,50"_s);
    EXPECT_EQ(view->currentIndex(), at(3, invoicecol::Date));
    EXPECT_EQ(named<QLabel>(widget.get(), "total")->text(), b.invoices.totals().totalText);
    EXPECT_TRUE(b.invoices.modified());

    // "Code" takes no key once it holds more than 40 characters.
    typeIn(4, invoicecol::Code, QString(45, u'9'));
    EXPECT_EQ(b.grid().cell(5, invoicecol::Code).size(), 41);

    // Read again, the invoice is as stored: unmarked.
    b.show(0);
    EXPECT_FALSE(b.invoices.modified());
    // The VAT and its captions show only with the switch, which marks the invoice.
    QLabel *vat = named<QLabel>(w, "vat");
    EXPECT_FALSE(vat->isVisible());
    button<QCheckBox>(w, u"Resortir la TVA"_s)->click();
    EXPECT_TRUE(vat->isVisible());
    EXPECT_TRUE(b.card().vatShown);
    EXPECT_TRUE(b.invoices.modified());

    named<QLineEdit>(w, "Chambre")->setText(u"14"_s);
    EXPECT_EQ(b.card().room, u"14"_s);
}

TEST_F(InvoicePageWidget, UnreadCellIsRedAndValidatedInvoiceIsReadOnly)
{
    EXPECT_TRUE(red(1, invoicecol::Price));
    EXPECT_FALSE(red(0, invoicecol::Price));
    auto *validate = button<QPushButton>(widget.get(), u"Valider"_s);
    validate->click();
    EXPECT_FALSE(b.card().validated);
    ASSERT_FALSE(b.ui.shown.isEmpty());
    EXPECT_TRUE(b.ui.shown.last().contains(u"12,x"_s));

    typeIn(1, invoicecol::Price, u"12"_s);
    EXPECT_FALSE(red(1, invoicecol::Price));
    validate->click();
    EXPECT_TRUE(b.card().validated);
    EXPECT_EQ(named<QLabel>(widget.get(), "status")->text(), u"Facture validée"_s);
    EXPECT_FALSE(validate->isEnabled());
    EXPECT_FALSE(at(0, 0).flags() & Qt::ItemIsEditable);
    view->setCurrentIndex(at(5, invoicecol::Designation));
    QTest::keyClick(view, 'x');
    clickCell(5, invoicecol::Designation);
    EXPECT_EQ(b.grid().cell(6, invoicecol::Designation), QString());
    EXPECT_FALSE(view->indexWidget(at(5, invoicecol::Designation)));
}

TEST_F(InvoicePageWidget, ClickInDesignationPicksAnArticleAndCreerStartsAnew)
{
    pick = 0;
    clickCell(3, invoicecol::Designation);
    EXPECT_EQ(b.grid().cell(4, invoicecol::Code), u"20001"_s);
    EXPECT_EQ(shown(3, invoicecol::Designation) + "|" + shown(3, invoicecol::Price),
              u"Bière pression|4,50"_s);
    EXPECT_EQ(view->currentIndex(), at(3, invoicecol::Quantity));

    // Cancelled, the picker leaves an empty row empty.
    pick = -1;
    clickCell(4, invoicecol::Designation);
    EXPECT_EQ(b.grid().cell(5, invoicecol::Code), QString());

    button<QPushButton>(widget.get(), u"Créer"_s)->click();
    EXPECT_EQ(b.position(), 1);
    EXPECT_EQ(named<QLineEdit>(widget.get(), "Code client")->text(), QString());
    EXPECT_EQ(shown(0, invoicecol::Designation), QString());
    EXPECT_EQ(named<QLineEdit>(widget.get(), "N° de facture")->text(),
              QString::number(b.invoices.Numerof()));
}
