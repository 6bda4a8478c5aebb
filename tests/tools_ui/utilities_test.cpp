// The currency converter from the main window's command: digits typed in
// its drop-down reach the amount, and it gives its state back to the settings.
#include "shell_ui/clean_set.h"
#include "tools/ui/devises_window.h"
#include "widget_lookup.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString shown(QDialog &window, int nth = 0)
{
    return window.findChildren<QLineEdit *>().value(nth)->text();
}

} // namespace

TEST(Utilities, CurrencyConverterKeepsItsStateInTheSettings)
{
    CleanSet h;
    Settings &settings = h.form.fiche().settings();
    settings.converterRates = {0, 1.25, 0, 0, 0};
    settings.converterDirection = 0;
    QString result;
    h.answer = [&result](QDialog &d) {
        auto &window = dynamic_cast<TDevisef &>(d);
        window.findChild<QComboBox *>()->setCurrentIndex(1);
        button<QRadioButton>(&window, u"Euro > D"_s)->click();
        // Digits typed in the drop-down go to the amount, not to the list.
        QTest::keyClicks(window.findChild<QComboBox *>(), u"10"_s);
        QTest::keyClick(window.findChild<QComboBox *>(), Qt::Key_Return);
        result = shown(window, 1);
        d.reject();
        return d.result();
    };
    h.form.run(Cmd::Devises);
    EXPECT_EQ(result, u"12,50"_s);
    EXPECT_EQ(settings.converterCurrency, 1);
    EXPECT_EQ(settings.converterDirection, 1);
    EXPECT_EQ(settings.converterRates[1], 1.25);
}
