#include "tools/calculator.h"

#include <gtest/gtest.h>

namespace {

// Presses the keys of a sequence as typed on the keyboard; "=" included.
QString typed(Calculator &c, QStringView keys)
{
    for (QChar k : keys)
        EXPECT_TRUE(c.press(k)) << QString(k).toStdString();
    return c.display();
}

QString typed(QStringView keys)
{
    Calculator c;
    return typed(c, keys);
}

TEST(Calculator, RepeatedEqualsAppliesTheOperatorAgain)
{
    Calculator c;
    EXPECT_EQ(typed(c, u"2+3="), u"5");
    EXPECT_EQ(typed(c, u"="), u"10");
    EXPECT_EQ(typed(c, u"="), u"20");
    // A chain computes as it goes; a new number after "=" starts afresh.
    EXPECT_EQ(typed(u"2+3*4="), u"20");
    EXPECT_EQ(typed(c, u"7-2="), u"5");
    // An operator after "=" goes on from the result.
    EXPECT_EQ(typed(c, u"*4="), u"20");
    EXPECT_EQ(typed(c, u"s+1="), u"5,4721359549996");
    // An operator pressed twice only replaces the first.
    EXPECT_EQ(typed(u"6+*2="), u"12");
    EXPECT_EQ(typed(u"9/2="), u"4,5");

    // Reciprocal, root and percent work on the number shown.
    EXPECT_EQ(typed(u"3x"), u"0,3333333333333");
    EXPECT_EQ(typed(u"3x").size(), Calculator::kWidth);
    EXPECT_EQ(typed(u"16s"), u"4");
    EXPECT_EQ(typed(u"2+4x="), u"2,25");
    // A result goes on with its full precision, not the digits shown.
    EXPECT_EQ(typed(u"3x*3="), u"1");
    EXPECT_EQ(typed(u"2s*2s="), u"2");
    EXPECT_EQ(typed(u"2+9s="), u"5");
    EXPECT_EQ(typed(u"200+5%="), u"210");
    EXPECT_EQ(typed(u"80*25%="), u"20");
}

TEST(Calculator, ErrorsShowErreurAndStartAfresh)
{
    for (QStringView keys : {u"5/0=", u"0x", u"4-9=s", u"=", u"+", u"x"}) {
        Calculator c;
        EXPECT_EQ(typed(c, keys), u"Erreur") << keys.toString().toStdString();
        // Nothing survives the error: a new sum starts from zero.
        EXPECT_EQ(typed(c, u"1+1="), u"2");
    }
    // An overflow has no value either.
    Calculator big;
    typed(big, u"999999999999999*");
    for (int i = 0; i < 25; ++i)
        big.equals();
    EXPECT_EQ(big.display(), u"Erreur");
}

TEST(Calculator, EntryEditing)
{
    Calculator c;
    EXPECT_EQ(typed(c, u"0,5,2"), u"0,52"); // a second comma is ignored
    c.backspace();
    EXPECT_EQ(c.display(), u"0,5");
    c.negate();
    EXPECT_EQ(c.display(), u"-0,5");
    EXPECT_EQ(typed(c, u"*4="), u"-2");
    c.backspace(); // a result is not edited
    EXPECT_EQ(c.display(), u"-2");
    EXPECT_EQ(typed(u".5"), u"0,5");
    EXPECT_EQ(typed(u"007"), u"7");
    // The entry stops at the width of the display.
    EXPECT_EQ(typed(u"12345678901234567890"), u"123456789012345");
    c.clear();
    EXPECT_TRUE(c.isClear());
    EXPECT_FALSE(c.press(u'a'));
}

TEST(Calculator, FormatKeepsSignificantDigitsWithinFifteenCharacters)
{
    // Zeros inside a number are digits like any other.
    EXPECT_EQ(Calculator::format(1.05), u"1,05");
    EXPECT_EQ(Calculator::format(100.0025), u"100,0025");
    EXPECT_EQ(Calculator::format(0.1 + 0.2), u"0,3");
    EXPECT_EQ(Calculator::format(-2.0 / 3), u"-0,666666666667");
    EXPECT_EQ(Calculator::format(123456789012345.0), u"123456789012345");
    EXPECT_EQ(Calculator::format(1e20), u"1E+20");
    EXPECT_EQ(Calculator::format(-1.5e-7), u"-1,5E-7");
    for (double v : {1.0 / 7, 1e300 / 7, -1e-300 / 7, 1234567890123456789.0, 2e-5 / 3}) {
        const QString text = Calculator::format(v);
        EXPECT_LE(text.size(), Calculator::kWidth) << text.toStdString();
        // Read back, the text is the value to the precision it shows.
        QString c = text;
        const double back = c.replace(u',', u'.').toDouble();
        EXPECT_NEAR(back, v, std::abs(v) * 1e-7) << text.toStdString();
    }
}

} // namespace
