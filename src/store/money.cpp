#include "money.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

using Wide = __int128;

constexpr qint64 kPowers[] = {1, 10, 100, 1000, 10000};

// num / den rounded half away from zero; den > 0.
Wide divRound(Wide num, Wide den)
{
    const bool negative = num < 0;
    const Wide magnitude = negative ? -num : num;
    Wide q = magnitude / den;
    if (2 * (magnitude % den) >= den)
        ++q;
    return negative ? -q : q;
}

std::optional<Money> inRange(Wide units)
{
    if (units > Money::kLimit || units < -Money::kLimit)
        return std::nullopt;
    return Money::fromUnits(qint64(units));
}

// Reads the characters of a number, whatever their storage: a QChar or a
// Windows-1252 byte; anything outside ASCII makes the text no number.
char16_t unit(QChar c)
{
    return c.unicode();
}

char16_t unit(char c)
{
    const auto u = uchar(c);
    return u < 0x80 || u == 0xA0 ? u : 0xFFFF;
}

bool isBlank(char16_t u)
{
    return u == ' ' || u == 0xA0 || (u >= 9 && u <= 13);
}

template <typename View> Money::Read readView(View v, Money &out)
{
    using Read = Money::Read;
    qsizetype b = 0, e = v.size();
    while (b < e && isBlank(unit(v[b])))
        ++b;
    while (e > b && isBlank(unit(v[e - 1])))
        --e;
    if (b == e)
        return Read::NotNumber;
    bool negative = false;
    if (unit(v[b]) == '-' || unit(v[b]) == '+') {
        negative = unit(v[b]) == '-';
        ++b;
    }
    Wide units = 0;
    int digits = 0, decimals = -1;
    bool tooLong = false;
    for (qsizetype i = b; i < e; ++i) {
        const char16_t u = unit(v[i]);
        if (u == ',') {
            if (decimals >= 0)
                return Read::NotNumber;
            decimals = 0;
            continue;
        }
        if (u < '0' || u > '9')
            return Read::NotNumber;
        ++digits;
        if (decimals >= 0 && ++decimals > Money::kScale) {
            tooLong = tooLong || u != '0'; // trailing zeros change nothing
            --decimals;
            continue;
        }
        if (units <= Money::kLimit) // beyond it, the value is refused anyway
            units = units * 10 + (u - '0');
    }
    if (digits == 0)
        return Read::NotNumber;
    const Wide scaled = units * kPowers[Money::kScale - std::max(decimals, 0)];
    const auto value = inRange(negative ? -scaled : scaled);
    if (tooLong || !value)
        return Read::OutOfRange;
    out = *value;
    return Read::Ok;
}

template <typename View> std::optional<Money> parseView(View v)
{
    Money value;
    if (readView(v, value) != Money::Read::Ok)
        return std::nullopt;
    return value;
}

} // namespace

int Money::decimals() const
{
    int d = kScale;
    for (qint64 u = m_units; d > 0 && u % 10 == 0; u /= 10)
        --d;
    return d;
}

std::optional<Money> Money::parse(QStringView text)
{
    return parseView(text);
}

std::optional<Money> Money::parse(QByteArrayView text)
{
    return parseView(text);
}

Money::Read Money::read(QStringView text, Money &value)
{
    return readView(text, value);
}

Money::Read Money::read(QByteArrayView text, Money &value)
{
    return readView(text, value);
}

std::optional<Money> Money::fromReal(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e15)
        return std::nullopt;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    for (char *p = buf; p < res.ptr; ++p)
        if (*p == '.')
            *p = ',';
    return parse(QByteArrayView(buf, res.ptr - buf));
}

Money Money::rounded(int decimals) const
{
    decimals = std::clamp(decimals, 0, kScale);
    const qint64 step = kPowers[kScale - decimals];
    return Money(qint64(divRound(m_units, step) * step));
}

QString Money::format(int decimals) const
{
    decimals = std::clamp(decimals, 0, 2);
    const qint64 units = rounded(decimals).m_units / kPowers[kScale - decimals];
    if (units == 0 && decimals == 0)
        return QString();
    const quint64 magnitude = quint64(units < 0 ? -units : units);
    char16_t out[32];
    int n = 0;
    quint64 v = magnitude;
    for (int i = 0; i < decimals; ++i, v /= 10)
        out[n++] = char16_t(u'0' + v % 10);
    if (decimals > 0)
        out[n++] = u',';
    do {
        out[n++] = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v > 0);
    if (units < 0)
        out[n++] = u'-';
    std::reverse(out, out + n);
    return QString(reinterpret_cast<const QChar *>(out), n);
}

QString Money::exact() const
{
    const int d = decimals();
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    QString s = (m_units < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / kUnit);
    if (d > 0)
        s += u',' + QString::number(magnitude % kUnit).rightJustified(kScale, u'0').left(d);
    return s;
}

std::optional<Money> Money::plus(Money other) const
{
    return inRange(Wide(m_units) + other.m_units);
}

std::optional<Money> Money::minus(Money other) const
{
    return inRange(Wide(m_units) - other.m_units);
}

std::optional<Money> Money::mulDiv(Money numerator, Money denominator, int decimals) const
{
    if (denominator.m_units == 0)
        return std::nullopt;
    decimals = std::clamp(decimals, 0, kScale);
    // In units: this x numerator / denominator, at most 10^36 before the division.
    Wide num = Wide(m_units) * numerator.m_units;
    Wide den = denominator.m_units;
    if (den < 0) {
        den = -den;
        num = -num;
    }
    const Wide step = kPowers[kScale - decimals];
    const Wide q = divRound(num, den * step);
    return inRange(q * step);
}

qint64 Money::inFormatUnits(int decimals) const
{
    decimals = std::clamp(decimals, 0, 2);
    return rounded(decimals).m_units / kPowers[kScale - decimals];
}

std::optional<Money> lineAmount(Money quantity, Money price, Money discount, int decimals)
{
    // quantity x price x (100 - discount) / 100, at most 10^34 before the division.
    const Wide kept = Wide(Money::whole(100).units()) - discount.units();
    Wide num = Wide(quantity.units()) * price.units();
    if (num > Wide(1) << 100 || num < -(Wide(1) << 100))
        return std::nullopt;
    num *= kept;
    decimals = std::clamp(decimals, 0, 2);
    // The exact value has 14 decimals (three factors of 4, and the percent).
    const Wide den = Wide(Money::kUnit) * Money::kUnit * Money::kUnit * 100 / kPowers[decimals];
    const Wide step = kPowers[Money::kScale - decimals];
    // Rounded once to the decimals, then back to ten-thousandths.
    return inRange(divRound(num, den) * step);
}

QString priceText(QStringView typed, int decimals)
{
    const auto value = Money::parse(typed);
    if (!value || value->isZero())
        return typed.trimmed().toString();
    return value->decimals() > std::clamp(decimals, 0, 2) ? value->exact() : value->format(decimals);
}

std::optional<Money> parseTypedAmount(QStringView text, int decimals, QString *error)
{
    const QString shown = text.trimmed().toString();
    const std::optional<Money> v = Money::parse(shown);
    QString why;
    if (!v)
        why = QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(shown);
    else if (v->rounded(decimals) != *v)
        why = decimals == 0 ? QStringLiteral("'%1' : les montants sont sans décimale.").arg(shown)
                            : QStringLiteral("'%1' : les montants ont %2 décimale%3 au plus.")
                                  .arg(shown)
                                  .arg(decimals)
                                  .arg(decimals > 1 ? QStringLiteral("s") : QString());
    else if (*v > moneylimit::kAmount || *v < -moneylimit::kAmount)
        why = QStringLiteral("'%1' est hors des limites admises (un milliard au plus).").arg(shown);
    if (why.isEmpty())
        return v;
    if (error)
        *error = why;
    return std::nullopt;
}
