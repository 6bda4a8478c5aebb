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
    EXPECT_EQ(typed(c, u"2+3=="), u"10");
    // A new number after "=" starts afresh; an operator goes on from the result.
    EXPECT_EQ(typed(c, u"7-2="), u"5");
    EXPECT_EQ(typed(c, u"*4=s"), u"4,4721359549996");
    // A chain computes as it goes; an operator pressed twice only replaces the first.
    EXPECT_EQ(typed(u"2+3*4="), u"20");
    EXPECT_EQ(typed(u"6+*2="), u"12");
    // A result goes on with its full precision, not the digits shown.
    EXPECT_EQ(typed(u"3x*3="), u"1");
    EXPECT_EQ(typed(u"200+5%="), u"210");
}

TEST(Calculator, ErrorsShowErreurAndStartAfresh)
{
    for (QStringView keys : {u"5/0=", u"0x", u"4-9=s", u"=", u"+", u"x"}) {
        Calculator c;
        EXPECT_EQ(typed(c, keys), u"Erreur") << keys.toString().toStdString();
        // Nothing survives the error: a new sum starts from zero.
        EXPECT_EQ(typed(c, u"1+1="), u"2");
    }
}

} // namespace
