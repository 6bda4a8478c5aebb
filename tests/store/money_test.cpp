#include "store/money.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Money m(const char *text)
{
    const auto v = Money::parse(QString::fromUtf8(text));
    EXPECT_TRUE(v.has_value()) << text;
    return v.value_or(Money());
}

} // namespace

TEST(Money, ReadsDecimalCommaTextsExactly)
{
    struct Case
    {
        const char *text;
        qint64 units;
    };
    constexpr qint64 refused = std::numeric_limits<qint64>::min();
    const Case cases[] = {
        {"12", 120000},          {" 1,485 ", 14850}, {"-0,15", -1500},   {"+3", 30000},
        {"0,1255", 1255},        {"5,", 50000},      {",5", 5000},       {"0,12555", refused},
        {"1.5", refused},        {"1e3", refused},   {"", refused},      {"-", refused},
        {",", refused},          {"1,2,3", refused}, {"12 500", refused},
        {"99999999999999999999", refused},              {"100000000000001", refused},
        {"100000000000000", 1'000'000'000'000'000'000}};
    for (const Case &c : cases) {
        const auto v = Money::parse(QString::fromUtf8(c.text));
        if (c.units == refused)
            EXPECT_FALSE(v.has_value()) << c.text;
        else
            EXPECT_EQ(v.value_or(Money::fromUnits(-7)).units(), c.units) << c.text;
    }
    // The bytes of a file read the same way.
    EXPECT_EQ(Money::parse(QByteArrayView("  2,675")), m("2,675"));
    EXPECT_FALSE(Money::parse(QByteArrayView("2,6\xe9")).has_value());
}

TEST(Money, RoundsOnceHalfAwayFromZero)
{
    const std::tuple<const char *, int, const char *> cases[] = {
        {"1,485", 2, "1,49"}, {"-1,485", 2, "-1,49"}, {"0,125", 2, "0,13"}, {"2,675", 2, "2,68"},
        {"1,484", 2, "1,48"}, {"10,5", 0, "11"},      {"-10,5", 0, "-11"},  {"0,4", 0, ""},
        {"0", 2, "0,00"},     {"0,05", 1, "0,1"},     {"0,04", 1, "0,0"},   {"12", 1, "12,0"}};
    for (const auto &[value, decimals, shown] : cases)
        EXPECT_EQ(m(value).format(decimals), QString::fromUtf8(shown))
            << value << " to " << decimals;
    EXPECT_EQ(m("1234567,8").format(2), "1234567,80");
    EXPECT_EQ(m("1,4851").exact(), "1,4851");
    EXPECT_EQ(m("5,50").exact(), "5,5");
    EXPECT_EQ(m("-20").exact(), "-20");
    EXPECT_EQ(m("0").exact(), "0");
}

TEST(Money, LineAmountsAreRoundedOnceFromTheExactValues)
{
    struct Case
    {
        const char *quantity, *price, *discount;
        int decimals;
        const char *amount;
    };
    const Case cases[] = {
        {"1", "1,65", "10", 2, "1,49"}, // 1,485: a binary real gave 1,48
        {"1000", "0,125", "0", 2, "125,00"}, {"1", "0,15", "50", 2, "0,08"},
        {"2", "10,5", "0", 0, "21"},         {"3", "0,35", "0", 1, "1,1"},
        {"-2", "1,485", "0", 2, "-2,97"},    {"0,5", "0,01", "0", 2, "0,01"},
        {"1", "100", "100", 2, "0,00"},      {"1", "100", "-10", 2, "110,00"},
    };
    for (const Case &c : cases) {
        const auto a = lineAmount(m(c.quantity), m(c.price), m(c.discount), c.decimals);
        ASSERT_TRUE(a.has_value()) << c.quantity << " x " << c.price;
        EXPECT_EQ(a->format(c.decimals), QString::fromUtf8(c.amount))
            << c.quantity << " x " << c.price << " -" << c.discount << "%";
        EXPECT_EQ(a->rounded(c.decimals), *a) << "kept at the format's decimals";
    }
}

TEST(Money, RefusesWhatWouldOverflow)
{
    const Money big = m("100000000000000");
    EXPECT_FALSE(big.plus(big).has_value());
    EXPECT_FALSE((-big).minus(big).has_value());
    EXPECT_FALSE(lineAmount(big, big, Money(), 2).has_value());
    EXPECT_FALSE(big.mulDiv(m("1000"), m("1"), 2).has_value());
    EXPECT_FALSE(m("1").mulDiv(m("1"), Money(), 2).has_value());
    EXPECT_EQ(m("110").mulDiv(m("10"), m("110"), 2), m("10"));
    EXPECT_EQ(m("1,49").mulDiv(m("10"), m("110"), 2), m("0,14"));
    EXPECT_FALSE(Money::fromReal(1e20).has_value());
    EXPECT_FALSE(Money::fromReal(0.123456).has_value());
    EXPECT_EQ(Money::fromReal(19.6), m("19,6"));
    EXPECT_EQ(Money::fromReal(5.5), m("5,5"));
}

TEST(Money, PricesShowTheFormatsDecimalsAndEveryOneTyped)
{
    const std::tuple<const char16_t *, int, const char *> cases[] = {
        {u"84,5", 2, "84,50"},  {u"8,333", 2, "8,333"}, {u" 12 ", 2, "12,00"},
        {u"0,125", 0, "0,125"}, {u"10,5", 0, "10,5"},   {u"10", 0, "10"},
        {u"-1,5", 2, "-1,50"},  {u"abc", 2, "abc"},     {u"0", 0, "0"}};
    for (const auto &[typed, decimals, printed] : cases)
        EXPECT_EQ(priceText(typed, decimals), QString::fromUtf8(printed)) << printed;
}

TEST(Money, TypedAmountsKeepToTheFormat)
{
    QString why;
    EXPECT_FALSE(parseTypedAmount(u"12,50", 0, &why).has_value());
    EXPECT_TRUE(why.contains(u"sans décimale")) << why.toStdString();
    EXPECT_EQ(parseTypedAmount(u"12,00", 0), m("12"));
    EXPECT_FALSE(parseTypedAmount(u"1,25", 1, &why).has_value());
    EXPECT_EQ(parseTypedAmount(u" 1,2 ", 1), m("1,2"));
    EXPECT_FALSE(parseTypedAmount(u"abc", 2, &why).has_value());
    EXPECT_EQ(why, "'abc' n'est pas une valeur en virgule flottante correcte");
    EXPECT_FALSE(parseTypedAmount(u"2000000000", 2, &why).has_value());
}
