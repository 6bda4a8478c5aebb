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
    EXPECT_EQ(texts("a\rb\nc"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(texts("a\n\r\nb"), QStringList({"a", "", "b"}));
    EXPECT_EQ(texts("a\r\rb\r"), QStringList({"a", "", "b"}));
    EXPECT_TRUE(texts("").isEmpty());
    EXPECT_EQ(texts("\n\r"), QStringList({"", ""})); // LF then a lone CR
}

TEST(Amounts, RoundHalfAwayFromZeroOnTheDecimalValue)
{
    // No thousands separator; "#" (no decimals) writes zero as nothing.
    const std::tuple<double, int, const char *> cases[] = {
        {-2.675, 2, "-2,68"}, {1.005, 2, "1,01"}, {9.995, 2, "10,00"},
        {-0.001, 2, "0,00"},  {0, 0, ""},         {0.4, 0, ""}};
    for (const auto &[value, decimals, shown] : cases)
        EXPECT_EQ(formatAmount(value, decimals), shown) << value;
}

TEST(Dates, StoredDateMustBeTenCharactersAndReal)
{
    EXPECT_EQ(storedDate(u"04/03/2001"), QDate(2001, 3, 4));
    // The last has digits of another script.
    for (QStringView bad :
         {u"4/03/2001", u"04/03/2001 ", u"31/04/2001", u"04-03-2001", u"٠٤/03/2001"})
        EXPECT_FALSE(storedDate(bad).isValid()) << bad.toString().toStdString();
    EXPECT_EQ(dayKey(QDate(2001, 3, 4)), "20010304");
    // Written by hand for four-digit years, by the locale for the others.
    for (const QDate d : {QDate(1000, 1, 1), QDate(2026, 12, 31), QDate(9999, 2, 9),
                          QDate(999, 5, 6), QDate(12345, 1, 2), QDate()}) {
        EXPECT_EQ(dateText(d), d.toString(u"dd/MM/yyyy"));
        EXPECT_EQ(dayKey(d), d.toString(u"yyyyMMdd"));
    }
}
