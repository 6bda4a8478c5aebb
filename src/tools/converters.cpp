#include "converters.h"

#include "store/settings.h"
#include "store/text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using Wide = unsigned __int128;

// An amount as typed, exactly: its digits without the comma and the number
// of digits after it. Nothing when it is not a number.
struct Decimal
{
    Wide digits = 0;
    int scale = 0;
};

std::optional<Decimal> parseDecimal(QStringView text)
{
    Decimal d;
    bool comma = false, anyDigit = false;
    if (text.size() > ConverterKeypad::kMaxAmount)
        return std::nullopt;
    for (QChar c : text) {
        if (c == u',' && !comma) {
            comma = true;
        } else if (c >= u'0' && c <= u'9') {
            d.digits = d.digits * 10 + (c.unicode() - u'0');
            anyDigit = true;
            if (comma)
                ++d.scale;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    return d;
}

Wide power10(int n)
{
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// num / den rounded half away from zero (both are positive).
Wide roundedQuotient(Wide num, Wide den)
{
    return (2 * num + den) / (2 * den);
}

// Cents as "15,24".
QString centsText(Wide cents)
{
    QString whole;
    Wide units = cents / 100;
    do {
        whole.prepend(QChar(u'0' + int(units % 10)));
        units /= 10;
    } while (units > 0);
    return whole + u',' + QString::number(int(cents % 100)).rightJustified(2, u'0');
}

constexpr std::int64_t kRateScale = 100000;
// Far beyond any real rate; keeps every product within 128 bits.
constexpr std::int64_t kHighestRate = 1'000'000'000'000;

} // namespace

// ---- Keypad ---------------------------------------------------------------

bool ConverterKeypad::press(QChar key)
{
    if (key == u'.')
        key = u',';
    if (key != u',' && (key < u'0' || key > u'9'))
        return false;
    if (m_resultShown) {
        m_amount.clear();
        m_result.clear();
        m_resultShown = false;
    }
    if (m_amount.size() < kMaxAmount)
        m_amount += key;
    return true;
}

void ConverterKeypad::showResult(const QString &result)
{
    if (!result.isEmpty())
        m_result = result;
    m_resultShown = true;
}

// ---- Euro -----------------------------------------------------------------

QString EuroConverter::convert(QStringView amount, Direction direction, std::int64_t rate)
{
    const auto x = parseDecimal(amount);
    if (!x || rate < 1)
        return {};
    const Wide scale = power10(x->scale);
    const Wide r = Wide(rate);
    // euros = x / (rate / 100000); francs = x * rate / 100000; both in cents.
    const Wide cents = direction == FrancsToEuros
                           ? roundedQuotient(x->digits * kRateScale * 100, scale * r)
                           : roundedQuotient(x->digits * r * 100, scale * kRateScale);
    return centsText(cents);
}

void EuroConverter::convert()
{
    keypad.showResult(convert(keypad.amount(), direction, m_rate));
}

void EuroConverter::stepRate(int steps)
{
    m_rate = std::clamp<std::int64_t>(m_rate + steps, 1, kHighestRate);
}

QString EuroConverter::rateText() const
{
    QString decimals = QString::number(m_rate % kRateScale).rightJustified(5, u'0');
    while (decimals.endsWith(u'0'))
        decimals.chop(1);
    const QString whole = QString::number(m_rate / kRateScale);
    return decimals.isEmpty() ? whole : whole + u',' + decimals;
}

// ---- Currencies -----------------------------------------------------------

void CurrencyConverter::SetIni(int direction, int currency,
                               const std::array<double, kCurrencies> &rates)
{
    for (int i = 0; i < kCurrencies; ++i) // also a rate that is not a number
        m_rates[i] = rates[i] >= kLowestCurrencyRate && std::isfinite(rates[i])
                         ? rates[i]
                         : kStartCurrencyRates[i];
    m_direction = direction == 0 ? ToEuros : FromEuros;
    setCurrency(currency);
}

void CurrencyConverter::GetIni(int &direction, int &currency,
                               std::array<double, kCurrencies> &rates) const
{
    direction = m_direction == ToEuros ? 0 : 1;
    currency = m_currency;
    rates = m_rates;
}

void CurrencyConverter::setCurrency(int index)
{
    m_currency = index >= 0 && index < kCurrencies ? index : 0;
}

QString CurrencyConverter::amountCaption() const
{
    return m_direction == ToEuros ? kCurrencyNames[m_currency].toString() : QStringLiteral("Euro");
}

QString CurrencyConverter::resultCaption() const
{
    return m_direction == ToEuros ? QStringLiteral("Euro") : kCurrencyNames[m_currency].toString();
}

QString CurrencyConverter::convert(QStringView amount, Direction direction, double rate)
{
    const auto d = parseDecimal(amount);
    if (!d || !(rate > 0))
        return {};
    const double x = double(d->digits) / double(power10(d->scale));
    return text::formatAmount(direction == ToEuros ? x / rate : x * rate, 2);
}

void CurrencyConverter::convert()
{
    keypad.showResult(convert(keypad.amount(), m_direction, m_rates[m_currency]));
}

void SetIni(CurrencyConverter &converter, const Settings &settings)
{
    converter.SetIni(settings.converterDirection, settings.converterCurrency,
                     settings.converterRates);
}

void GetIni(const CurrencyConverter &converter, Settings &settings)
{
    converter.GetIni(settings.converterDirection, settings.converterCurrency,
                     settings.converterRates);
}
