#include "store/settings.h"
#include "table_helpers.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SettingsIni, RealsAreWrittenInTheFixedScientificField)
{
    const std::pair<double, const char *> cases[] = {
        {-0.0, " 0.00000000000000E+0000"}, {-5.5, "-5.50000000000000E+0000"},
        {9.999999999999999, " 1.00000000000000E+0001"}, // rounding carries into the exponent
        {1.7976931348623157e308, " 1.79769313486232E+0308"},
    };
    for (const auto &[value, written] : cases)
        EXPECT_EQ(iniReal(value), QByteArray(written)) << value;
}

TEST(SettingsIni, AFileWrittenByTheProgramRoundTripsByteForByte)
{
    QTemporaryDir dir;
    const QString hotel = dir.filePath("hotel.htl");
    writeFile(hotel, "");
    // \351 is é in Windows-1252.
    const QByteArray file = hotel.toLocal8Bit() +
                            "\r\n1\r\n1\r\n0\r\n100\r\n1\r\n1\r\nFrancs suisses\r\n"
                            " 1.96000000000000E+0001\r\n 5.50000000000000E+0000\r\n"
                            " 0.00000000000000E+0000\r\n411000\r\n706000\r\n401000\r\n44571\r\n"
                            "Taxe s\351jour\r\n44566\r\n607000\r\n\r\n530000\r\n1\r\n4\r\n"
                            " 6.55957000000000E+0000\r\n 1.08000000000000E+0000\r\n"
                            "-8.50000000000000E-0001\r\n 1.30000000000000E+0002\r\n"
                            " 1.00000000000000E-0300\r\n";
    writeFile(dir.filePath("Carvelle.ini"), file);

    Settings s;
    EXPECT_TRUE(ChargeIni(s, dir.path(), dir.path()));
    EXPECT_EQ(s.lastFile, hotel);
    EXPECT_EQ(s.amountFormat, "0.0");
    EXPECT_EQ(s.accounts[4], QStringLiteral("Taxe séjour"));
    EXPECT_EQ(s.converterRates[2], -0.85);

    QFile::remove(dir.filePath("Carvelle.ini"));
    QString error;
    ASSERT_TRUE(SauveIni(s, dir.path(), &error)) << error.toStdString();
    EXPECT_EQ(readFile(dir.filePath("Carvelle.ini")), file);

    // The accounts kept after the tax lines (per rate, "Divers", expenses)
    // are read into their places and written back as they were.
    const QByteArray longer = file +
                              " 0.00000000000000E+0000\r\n18\r\n706100\r\n706200\r\n\r\n445711\r\n"
                              "445712\r\n445713\r\n\r\n\r\n\r\n511200\r\n\r\n";
    writeFile(dir.filePath("Carvelle.ini"), longer);
    EXPECT_TRUE(ChargeIni(s, dir.path(), dir.path()));
    EXPECT_EQ(s.accounts[9], "706100");
    EXPECT_EQ(s.accounts[14], "445713");
    EXPECT_EQ(s.accounts[18], "511200");
    ASSERT_TRUE(SauveIni(s, dir.path(), &error)) << error.toStdString();
    EXPECT_EQ(readFile(dir.filePath("Carvelle.ini")), longer);
}

TEST(SettingsIni, AShortOrMalformedFileKeepsTheOtherSettings)
{
    QTemporaryDir dir;
    Settings before;
    before.paperType = 1;
    before.decimals = 1;
    before.amountFormat = "0.0";
    before.vatRates = {1, 2, 3};
    before.accounts[0] = "411";
    before.converterRates[4] = 9;
    Settings s = before;
    // Ten lines with a bad paper type, decimals and first VAT rate.
    writeFile(dir.filePath("Carvelle.ini"),
            "\r\n1\r\nx\r\n1\r\n100\r\ndeux\r\n0\r\nCHF\r\n19,6\r\n5.5\r\n");
    EXPECT_TRUE(ChargeIni(s, dir.path(), dir.path()));
    Settings expected = before;
    expected.autoOpen = 1;
    expected.envelopeOrientation = 1;
    expected.envelopeGuide = 100;
    expected.otherCurrency = "CHF";
    expected.vatRates[1] = 5.5;
    EXPECT_EQ(settingsBytes(s), settingsBytes(expected));
    EXPECT_EQ(s.amountFormat, "0.0");
}

TEST(SettingsLists, SectionLinesSelectTheListEntriesGoTo)
{
    QTemporaryDir dir;
    writeFile(dir.filePath("Carvelle.cbx"), "before any section\r\n[REGLEMENT]\r\nCB\r\n"
                                          "[CATEGORIES]\r\nDouble\r\n\r\n[REGLEMENT]\n"
                                          "Esp\350ces\r[FOURNISSEUR]\r\n");
    Lists lists;
    lists.articleFamilies = {"kept from before?"};
    EXPECT_TRUE(ChargeCombo(lists, dir.path()));
    EXPECT_EQ(lists.categories, (QStringList{"Double", ""}));
    EXPECT_EQ(lists.paymentModes, (QStringList{"CB", QStringLiteral("Espèces")}));
    EXPECT_TRUE(lists.articleFamilies.isEmpty());
    EXPECT_TRUE(lists.supplierFamilies.isEmpty());

    EXPECT_TRUE(SauveCombo(lists, dir.path()));
    EXPECT_EQ(readFile(dir.filePath("Carvelle.cbx")),
              "[CATEGORIES]\r\nDouble\r\n\r\n[REGLEMENT]\r\nCB\r\nEsp\350ces\r\n"
              "[FAMILLE]\r\n[FOURNISSEUR]\r\n");
}

TEST(SettingsCompany, SevenLinesAreReadAndWritten)
{
    QTemporaryDir dir;
    Company c;
    const QByteArray seven = "Soci\351t\351\r\na1\r\na2\r\ncp\r\nsiret\r\ntva\r\nape\r\n";
    // The legal lines follow the seven; what comes after them is ignored.
    const QByteArray legal = "552100554\r\nFR40552100554\r\nSARL\r\n8 000 \200\r\n";
    writeFile(dir.filePath("Carvelle.soc"), seven + legal + "extra\r\n");
    EXPECT_TRUE(ChargeSoc(c, dir.path()));
    EXPECT_EQ(c.lines[0], QStringLiteral("Société"));
    EXPECT_EQ(c.lines[6], "ape");
    EXPECT_EQ(c.legal, (CompanyLegal{"552100554", "FR40552100554", "SARL", "8 000 €"}));
    EXPECT_TRUE(SauveSoc(c, dir.path()));
    EXPECT_EQ(readFile(dir.filePath("Carvelle.soc")), seven + legal);
    // Without them the file is the seven lines earlier programs know.
    c.legal = {};
    EXPECT_TRUE(SauveSoc(c, dir.path()));
    EXPECT_EQ(readFile(dir.filePath("Carvelle.soc")), seven);

    // A line break typed into a text must not shift the lines after it.
    c.lines[1] = "rue\r\nbis";
    EXPECT_TRUE(SauveSoc(c, dir.path()));
    EXPECT_EQ(readFile(dir.filePath("Carvelle.soc")).split('\n').size(), 8);

}

TEST(SettingsReaders, AnyBytesAreAccepted)
{
    QByteArray noise(100000, Qt::Uninitialized);
    QRandomGenerator rng(1252);
    for (char &b : noise)
        b = char(rng.bounded(256));
    const QByteArray hugeNumber = "1" + QByteArray(1 << 20, '0');
    for (const QByteArray &bytes :
         {noise, QByteArray(5000, '\r'), QByteArray(3, '\0'), hugeNumber}) {
        Settings s;
        Company c;
        Lists l;
        readSettings(s, bytes);
        readCompany(c, bytes);
        readLists(l, bytes);
    }
}
