#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <compare>
#include <optional>

// An exact decimal: a whole number of ten-thousandths. Every amount, unit
// price, quantity, discount and VAT rate is one, from the typed text to the
// stored, shown, printed and exported figure, so that 1,485 is 1,485 and
// not 1,48499999...: binary floating point never carries money. Texts read
// with a decimal comma and at most four decimals; a figure is rounded only
// when asked, once, half away from zero. Values stay within kLimit so that
// no product or sum the program makes can overflow; arithmetic that would
// leave the range says so instead of wrapping.
class Money
{
public:
    static constexpr int kScale = 4;
    static constexpr qint64 kUnit = 10000;
    // A hundred thousand billion: far beyond any hotel, far inside 64 bits.
    static constexpr qint64 kLimit = qint64(100'000'000'000'000) * kUnit;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static constexpr Money whole(qint64 value) { return Money(value * kUnit); }

    constexpr qint64 units() const { return m_units; }
    constexpr bool isZero() const { return m_units == 0; }
    constexpr bool isNegative() const { return m_units < 0; }
    // The number of decimals the value needs (0 to 4).
    int decimals() const;

    // "12", "-1,485", " 0,5 ": an optional sign, digits, a decimal comma and
    // at most four decimals, blanks around. Nothing for any other text or a
    // value beyond kLimit.
    static std::optional<Money> parse(QStringView text);
    static std::optional<Money> parse(QByteArrayView text);
    // The same reading, saying why a text is refused: not a number at all,
    // or a number with more than four decimals or beyond kLimit.
    enum class Read { Ok, NotNumber, OutOfRange };
    static Read read(QStringView text, Money &value);
    static Read read(QByteArrayView text, Money &value);
    // A value the settings file keeps as a real: its shortest decimal text,
    // when that has at most four decimals and stays within kLimit.
    static std::optional<Money> fromReal(double value);

    // Rounded to 0, 1 or 2 decimals, half away from zero on the exact value.
    Money rounded(int decimals) const;
    // As the amount format shows it: rounded, decimal comma, no thousands
    // separator; with no decimals a zero is an empty text.
    QString format(int decimals) const;
    // Every decimal the value has, no more ("1,485", "20", "5,5").
    QString exact() const;

    // Checked arithmetic: nothing when the result leaves the range.
    std::optional<Money> plus(Money other) const;
    std::optional<Money> minus(Money other) const;
    // this x numerator / denominator, rounded once to `decimals` (0 to 4).
    std::optional<Money> mulDiv(Money numerator, Money denominator, int decimals) const;

    // Unchecked, for values known to be in range (sums of a few rounded
    // figures): the range leaves room for them.
    friend constexpr Money operator+(Money a, Money b) { return Money(a.m_units + b.m_units); }
    friend constexpr Money operator-(Money a, Money b) { return Money(a.m_units - b.m_units); }
    friend constexpr Money operator-(Money a) { return Money(-a.m_units); }
    Money &operator+=(Money b)
    {
        m_units += b.m_units;
        return *this;
    }
    Money &operator-=(Money b)
    {
        m_units -= b.m_units;
        return *this;
    }
    friend constexpr auto operator<=>(Money, Money) = default;

    // The value in units of the amount format's last decimal (cents with two
    // decimals), rounded to them.
    qint64 inFormatUnits(int decimals) const;

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};

// The line amount of a grid row: quantity x unit price less the discount
// (a percentage), computed exactly and rounded once to the amount format's
// decimals, half away from zero. Nothing when it leaves the range.
std::optional<Money> lineAmount(Money quantity, Money price, Money discount, int decimals);

// The sane ranges of what is typed or read; a value outside is refused with
// a message rather than computed with.
namespace moneylimit {
inline constexpr Money kQuantity = Money::whole(1'000'000);
inline constexpr Money kPrice = Money::whole(1'000'000'000);
inline constexpr Money kDiscountMin = Money::whole(-100);
inline constexpr Money kDiscountMax = Money::whole(100);
inline constexpr Money kRateMax = Money::whole(100);
inline constexpr Money kAmount = Money::whole(1'000'000'000);
} // namespace moneylimit

// A unit price shown or printed: with the amount format's decimals at least, and
// every decimal it was typed with beyond them ("84,5" prints 84,50, "8,333"
// stays 8,333), never rounded. A text that is no number prints as it is.
QString priceText(QStringView typed, int decimals);

// An amount typed in an entry field of the amount format: a number with no
// more decimals than the format shows (12,50 with no decimals is refused,
// not rounded), within the amount range. On failure *error holds the
// French message.
std::optional<Money> parseTypedAmount(QStringView text, int decimals, QString *error = nullptr);
