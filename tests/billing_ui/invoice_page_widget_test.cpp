// The invoice page widget over its page model: the fields show the invoice
// and report edits, typing in the grid reaches the lines and Enter runs the
// grid's rules.
#include "billing/ui/invoice_page_widget.h"

#include "billing/billing_fixture.h"
#include "widget_lookup.h"

#include <QCheckBox>
#include <QLineEdit>
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

    void SetUp() override
    {
        widget = std::make_unique<TInvoicePage>(b.invoices, b.fiche);
        widget->resize(900, 600);
        widget->show();
        view = named<QTableView>(widget.get(), "lines");
    }
    QModelIndex at(int row, int column) { return view->model()->index(row, column); }
    QString shown(int row, int column) { return at(row, column).data().toString(); }
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

    // Read again, the invoice is as stored: unmarked.
    b.show(0);
    EXPECT_FALSE(b.invoices.modified());
    // The VAT switch reaches the invoice and marks it.
    button<QCheckBox>(w, u"Resortir la TVA"_s)->click();
    EXPECT_TRUE(b.card().vatShown);
    EXPECT_TRUE(b.invoices.modified());

    named<QLineEdit>(w, "Chambre")->setText(u"14"_s);
    EXPECT_EQ(b.card().room, u"14"_s);
}
