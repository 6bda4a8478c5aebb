#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

struct Settings;

// The amount and result lines of a converter's keypad: digits and a comma
// build the amount; once a result is shown the next key starts a new amount.
class ConverterKeypad
{
public:
    static constexpr int kMaxAmount = 15; // characters of the amount line

    // "0" to "9", "," and "." (as ","). Returns whether the key was one.
    bool press(QChar key);
    // After a conversion: the result is shown until the next key.
    void showResult(const QString &result);

    const QString &amount() const { return m_amount; }
    const QString &result() const { return m_result; }
    bool resultShown() const { return m_resultShown; }

private:
    QString m_amount;
    QString m_result;
    bool m_resultShown = false;
};

// Euros and francs at the fixed rate, rounded as the law on the euro asks:
// both ways to the cent (euro cent or centime), half away from zero. The
// rate is kept in hundred-thousandths of a franc so that no rounding of the
// rate itself creeps into a result.
class EuroConverter
{
public:
    static constexpr std::int64_t kStartRate = 655957; // 6,55957 francs for one euro

    enum Direction { FrancsToEuros, EurosToFrancs }; // "Fr>Euro", "Euro>Fr"

    ConverterKeypad keypad;
    Direction direction = FrancsToEuros;

    // Enter or "=": converts the amount line; an amount that is not a number
    // leaves the result as it was.
    void convert();
    // The rate spinner: one hundred-thousandth of a franc a step, never below one.
    void stepRate(int steps);
    std::int64_t rate() const { return m_rate; }
    // "6,55957": the rate in francs, without trailing zeros.
    QString rateText() const;

    // The conversion itself, on an amount as typed ("100", "1,5"); an empty
    // text when the amount is not a number.
    static QString convert(QStringView amount, Direction direction, std::int64_t rate);

private:
    std::int64_t m_rate = kStartRate;
};

// The five currencies of the currency converter, in the order their rates
// are kept in the settings file.
inline constexpr int kCurrencies = 5;
inline constexpr std::array<QStringView, kCurrencies> kCurrencyChoices = {
    u"Franc", u"US Dollar", u"GB Livre sterling", u"Yen Japonais", u"Dollar canadien"};
inline constexpr std::array<QStringView, kCurrencies> kCurrencyNames = {
    u"Francs", u"Dollars", u"Livres", u"Yen", u"Can Dollar"};
inline constexpr std::array<double, kCurrencies> kStartCurrencyRates = {6.55957, 1.1466, 0.7156,
                                                                       134.76, 1.6049};
// A rate under this is taken as missing.
inline constexpr double kLowestCurrencyRate = 0.1;

// Units of a currency for one euro, both ways, to the cent.
class CurrencyConverter
{
public:
    enum Direction { ToEuros, FromEuros }; // "D > Euro", "Euro > D"

    ConverterKeypad keypad;

    // The state kept by the record window and the settings file: a rate under
    // 0,1 (0 when the file has none) takes its start value back, a direction
    // or a currency out of range its start value.
    void SetIni(int direction, int currency, const std::array<double, kCurrencies> &rates);
    void GetIni(int &direction, int &currency, std::array<double, kCurrencies> &rates) const;

    void setDirection(Direction d) { m_direction = d; }
    void setCurrency(int index);
    Direction direction() const { return m_direction; }
    int currency() const { return m_currency; }
    const std::array<double, kCurrencies> &rates() const { return m_rates; }

    // The captions over the amount and over the result: the currency's name
    // and "Euro", swapped with the direction.
    QString amountCaption() const;
    QString resultCaption() const;

    void convert();
    static QString convert(QStringView amount, Direction direction, double rate);

private:
    std::array<double, kCurrencies> m_rates = kStartCurrencyRates;
    int m_currency = 0;
    Direction m_direction = FromEuros;
};

// `Devises` through the settings: the converter starts from what the record
// window keeps and gives it back when it closes.
void SetIni(CurrencyConverter &converter, const Settings &settings);
void GetIni(const CurrencyConverter &converter, Settings &settings);
