#include "store/codec.h"
#include "store/text.h"

#include <gtest/gtest.h>

using namespace text;

TEST(Codec, EveryByteComesBackUnchanged)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.push_back(char(b));
    const QString decoded = cp1252::decode(all);
    ASSERT_EQ(decoded.size(), 256);
    EXPECT_EQ(decoded[0xE9], QChar(u'é'));
    EXPECT_EQ(decoded[0x80], QChar(u'€'));
    EXPECT_EQ(decoded[0x9C], QChar(u'œ'));
    EXPECT_EQ(decoded[0x81], QChar(0x81)); // undefined byte keeps its value
    bool ok = false;
    EXPECT_EQ(cp1252::encode(decoded, &ok), all);
    EXPECT_TRUE(ok);
    // What it cannot hold is refused, never changed silently.
    EXPECT_EQ(cp1252::encode(u"Zoë ≠ Łódź", &ok), QByteArray("Zo\xEB ? ?\xF3" "d?"));
    EXPECT_FALSE(ok);
}

TEST(Lines, EveryLineEndIsOneEnd)
{
    auto texts = [](QByteArrayView bytes) {
        QStringList out;
        for (const LineSpan &s : splitLines(bytes))
            out << QString::fromLatin1(bytes.sliced(s.start, s.length));
        return out;
    };
    EXPECT_EQ(texts("a\r\nb\r\n"), QStringList({"a", "b"}));
    EXPECT_EQ(texts("a\rb\nc"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(texts("a\n\r\nb"), QStringList({"a", "", "b"}));
    EXPECT_EQ(texts("a\r\rb\r"), QStringList({"a", "", "b"}));
    EXPECT_EQ(texts("\r\n"), QStringList({""}));
    EXPECT_TRUE(texts("").isEmpty());
    EXPECT_EQ(texts("\n\r"), QStringList({"", ""})); // LF then a lone CR
}

TEST(Amounts, RoundHalfAwayFromZeroOnTheDecimalValue)
{
    // No thousands separator; "#" (no decimals) writes zero as nothing.
    const std::tuple<double, int, const char *> cases[] = {
        {2.675, 2, "2,68"},  {-2.675, 2, "-2,68"}, {1.005, 2, "1,01"},
        {9.995, 2, "10,00"}, {2.5, 0, "3"},        {0, 2, "0,00"},
        {-0.001, 2, "0,00"}, {0, 0, ""},           {0.4, 0, ""}};
    for (const auto &[value, decimals, shown] : cases)
        EXPECT_EQ(formatAmount(value, decimals), shown) << value;
    EXPECT_EQ(formatAmount(1234567.5, 2), "1234567,50");
}

TEST(Conversions, FrenchMessagesOnBadInput)
{
    QString error;
    EXPECT_EQ(parseReal(u" 12,5 "), 12.5);
    EXPECT_EQ(parseReal(u"-1,5E2"), -150.0);
    EXPECT_FALSE(parseReal(u"12.5", &error));
    EXPECT_EQ(error, "'12.5' n'est pas une valeur en virgule flottante correcte");
    EXPECT_FALSE(parseReal(u"1,2,3"));
    EXPECT_EQ(parseInt(u"+7"), 7);
    EXPECT_FALSE(parseInt(u"4 2", &error));
    EXPECT_EQ(error, "'4 2' n'est pas une valeur entière correcte");
    EXPECT_FALSE(parseInt(u"99999999999"));
    EXPECT_EQ(parseDate(u"04/03/2001"), QDate(2001, 3, 4));
    EXPECT_FALSE(parseDate(u"30/02/2001", &error));
    EXPECT_EQ(error, "'30/02/2001' n'est pas une date correcte");
}

TEST(Dates, StoredDateMustBeTenCharactersAndReal)
{
    EXPECT_EQ(storedDate(u"04/03/2001"), QDate(2001, 3, 4));
    // The last has digits of another script.
    for (QStringView bad :
         {u"4/03/2001", u"04/03/2001 ", u"31/04/2001", u"04-03-2001", u"٠٤/03/2001"})
        EXPECT_FALSE(storedDate(bad).isValid()) << bad.toString().toStdString();
    EXPECT_EQ(dayKey(QDate(2001, 3, 4)), "20010304");
}

TEST(Texts, RoomNumbersTabsAndCase)
{
    EXPECT_EQ(normRoom(u" 12 "), "   12");
    EXPECT_EQ(normRoom(u"123456"), "23456");
    EXPECT_EQ(normRoom(u""), "    ");
    QString rest = "a\tb\t";
    EXPECT_EQ(beforeTab(rest), "a");
    EXPECT_EQ(rest, "b\t");
    EXPECT_EQ(beforeTab(rest), "b");
    EXPECT_EQ(rest, "");
    rest = "seul";
    EXPECT_EQ(beforeTab(rest), "seul");
    EXPECT_TRUE(rest.isEmpty());
    EXPECT_EQ(upperAZ(u"éric à paris"), "éRIC à PARIS");
    EXPECT_EQ(upperAZ(QByteArrayView("\xE9t\xE9")), QByteArray("\xE9T\xE9"));
}

TEST(Texts, RsetPadsUntilTheColumnIsFilled)
{
    // Digits are 6 pixels, a blank 3: "12,50" is 27 pixels wide.
    EXPECT_EQ(textWidth(u"12,50"), 27);
    const QString padded = Rset(u"  12,50 ", 90);
    EXPECT_EQ(padded.trimmed(), "12,50");
    EXPECT_GT(textWidth(padded), 80);
    EXPECT_LE(textWidth(padded), 83);
    EXPECT_EQ(Rset(u"   ", 90), "");
    EXPECT_EQ(Rset(u"123456789012345", 20), "123456789012345"); // wider than the column
}
