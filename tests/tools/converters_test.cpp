#include "store/settings.h"
#include "tools/converters.h"

#include <gtest/gtest.h>

namespace {

TEST(EuroConverter, LegalRoundingToTheCentBothWays)
{
    using E = EuroConverter;
    EXPECT_EQ(E::convert(u"100", E::FrancsToEuros, E::kStartRate), u"15,24");
    EXPECT_EQ(E::convert(u"6,55957", E::FrancsToEuros, E::kStartRate), u"1,00");
    EXPECT_EQ(E::convert(u"1000000", E::EurosToFrancs, E::kStartRate), u"6559570,00");
    // Exact halves go away from zero, never to the even neighbour: 0,5 euro
    // at 1 franc gives 0,50; 0,125 franc at one franc a euro is 0,13 euro.
    EXPECT_EQ(E::convert(u"0,125", E::FrancsToEuros, 100000), u"0,13");
    EXPECT_EQ(E::convert(u"0,005", E::EurosToFrancs, 100000), u"0,01");
    EXPECT_EQ(E::convert(u"0,015", E::EurosToFrancs, 100000), u"0,02");
    // Large amounts are exact: no binary fraction creeps into the cent.
    EXPECT_EQ(E::convert(u"999999999999999", E::EurosToFrancs, E::kStartRate),
              u"6559569999999993,44");
    for (QStringView bad : {u"", u",", u"1,2,3"})
        EXPECT_EQ(E::convert(bad, E::FrancsToEuros, E::kStartRate), u"");
}

// What the settings file keeps of the converter is the settings' round trip.
TEST(CurrencyConverter, RatesComeFromTheSettingsAndGoBackToThem)
{
    Settings settings;
    settings.converterRates = {0.09, 1.2, 0.1, 150.5, 0}; // 0: no value in the file
    settings.converterCurrency = 2;
    CurrencyConverter c;
    SetIni(c, settings);
    // Under 0,1 a rate takes its start value; 0,1 itself is a rate.
    EXPECT_EQ(c.rates(), (std::array<double, kCurrencies>{kStartCurrencyRates[0], 1.2, 0.1, 150.5,
                                                          kStartCurrencyRates[4]}));
    EXPECT_EQ(c.currency(), 2);
    c.setCurrency(4);
    c.setDirection(CurrencyConverter::FromEuros);
    GetIni(c, settings);
    EXPECT_EQ(std::pair(settings.converterCurrency, settings.converterDirection), std::pair(4, 1));
    EXPECT_EQ(settings.converterRates, c.rates());

    // Both ways to the cent.
    using C = CurrencyConverter;
    EXPECT_EQ(C::convert(u"10", C::FromEuros, 1.1466), u"11,47");
    EXPECT_EQ(C::convert(u"11,47", C::ToEuros, 1.1466), u"10,00");
    EXPECT_EQ(C::convert(u"1000", C::ToEuros, 134.76), u"7,42");
    EXPECT_EQ(C::convert(u"abc", C::ToEuros, 134.76), u"");
}

} // namespace
