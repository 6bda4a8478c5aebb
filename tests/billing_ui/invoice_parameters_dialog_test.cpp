// "Paramètres de la facture": the fields show the settings, a bad rate keeps
// the dialog open with a message and changes nothing, and "OK" gives what
// was typed to the settings and the payment list.
#include "billing/ui/invoice_parameters_dialog.h"

#include "scripted_ui.h"
#include "store/text.h"
#include "widget_lookup.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

void clickOk(QDialog &d)
{
    button<QPushButton>(&d, u"OK"_s)->click();
}

} // namespace

TEST(InvoiceParametersDialog, BadRateKeepsItOpenAndOkGivesTheFields)
{
    ScriptedUi ui;
    Settings settings;
    settings.vatRates = {5.5, 10, 20};
    settings.decimals = 2;
    Lists lists;
    lists.paymentModes = {u"Espèces"_s, u"Chèque"_s};

    bool stayedOpen = false;
    const bool ok = TParF::run(nullptr, settings, lists, ui, [&](QDialog &d) {
        EXPECT_EQ(named<QLineEdit>(&d, "Taux 1")->text(), u"5,50"_s);
        EXPECT_EQ(named<QLineEdit>(&d, "Mode de paiement 2")->text(), u"Chèque"_s);
        QLineEdit *currency = named<QLineEdit>(&d, "Nom de la devise");
        EXPECT_FALSE(currency->isEnabled());

        QLineEdit *rate2 = named<QLineEdit>(&d, "Taux 2");
        rate2->clear();
        clickOk(d);
        stayedOpen = d.result() != QDialog::Accepted;
        EXPECT_EQ(settings.vatRates[1], 10);

        QTest::keyClicks(rate2, "7.5x"); // "." is the comma, a letter is dropped
        EXPECT_EQ(rate2->text(), u"7,5"_s);
        named<QSpinBox>(&d, "Décimales")->setValue(0);
        button<QRadioButton>(&d, u"Autre"_s)->click();
        EXPECT_TRUE(currency->isEnabled());
        currency->setText(u"Francs"_s);
        named<QLineEdit>(&d, "Mode de paiement 1")->clear();
        clickOk(d);
        return d.result();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(ui.shown.size(), 1);
    EXPECT_TRUE(ui.shown[0].startsWith(u"Taux 2"_s));
    EXPECT_TRUE(ok);
    EXPECT_EQ(std::tuple(settings.vatRates[1], settings.decimals, settings.amountFormat,
                         settings.currency, settings.otherCurrency),
              std::tuple(7.5, 0, text::amountFormat(0), 1, u"Francs"_s));
    EXPECT_EQ(lists.paymentModes, QStringList{u"Chèque"_s});
}
