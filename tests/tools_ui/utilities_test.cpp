// The office tools from the keyboard and from the main window's commands:
// keys typed anywhere in a window reach its calculator or converter, and the
// currency converter gives its state back to the settings.
#include "shell_ui/clean_set.h"
#include "tools/ui/calendar_window.h"
#include "tools/ui/devises_window.h"
#include "tools/ui/pocket_window.h"
#include "widget_lookup.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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

TEST(Utilities, CalculatorWorksFromTheKeyboard)
{
    TPocket pocket;
    pocket.show();
    // Keys go to the window whatever has the focus, buttons included.
    QWidget *target = button<QPushButton>(&pocket, u"Fermer"_s);
    QTest::keyClicks(target, u"2+3"_s);
    QTest::keyClick(target, Qt::Key_Return);
    EXPECT_EQ(shown(pocket), u"5"_s);
    QTest::keyClick(target, Qt::Key_Enter);
    EXPECT_EQ(shown(pocket), u"10"_s);
    QTest::keyClicks(target, u"1,25"_s);
    QTest::keyClick(target, Qt::Key_Backspace);
    EXPECT_EQ(shown(pocket), u"1,2"_s);
    button<QPushButton>(&pocket, u"sqr"_s)->click();
    button<QPushButton>(&pocket, u"1/x"_s)->click();
    EXPECT_EQ(shown(pocket), u"0,9128709291753"_s);
    // Escape clears first, then closes.
    QTest::keyClick(target, Qt::Key_Escape);
    EXPECT_EQ(shown(pocket), QString());
    EXPECT_TRUE(pocket.isVisible());
    QTest::keyClick(target, Qt::Key_Escape);
    EXPECT_FALSE(pocket.isVisible());
}

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
        QComboBox *currency = window.findChild<QComboBox *>();
        QTest::keyClicks(currency, u"10"_s);
        QTest::keyClick(currency, Qt::Key_Return);
        result = shown(window, 1);
        EXPECT_EQ(currency->currentIndex(), 1);
        d.reject();
        return d.result();
    };
    h.form.run(Cmd::Devises);
    EXPECT_EQ(result, u"12,50"_s);
    EXPECT_EQ(settings.converterCurrency, 1);
    EXPECT_EQ(settings.converterDirection, 1);
    EXPECT_EQ(settings.converterRates[0], 6.55957); // a missing rate took its start value
    EXPECT_EQ(settings.converterRates[1], 1.25);
}

TEST(Utilities, CalendarHeaderFollowsTheMonth)
{
    TCalendrier calendar;
    calendar.calendar()->setSelectedDate(QDate(2026, 3, 15));
    EXPECT_EQ(calendar.header(), u"mars  2026"_s);
    EXPECT_EQ(calendar.calendar()->firstDayOfWeek(), Qt::Sunday);
    QTest::keyClick(calendar.calendar()->focusProxy(), Qt::Key_PageDown);
    EXPECT_EQ(calendar.header(), u"avril  2026"_s);
    button<QPushButton>(&calendar, u"Mois"_s)->click(); // the first: back a month
    EXPECT_EQ(calendar.calendar()->monthShown(), 3);
    EXPECT_TRUE(calendar.findChild<QLabel *>()->text().startsWith(u"mars"_s));
}
