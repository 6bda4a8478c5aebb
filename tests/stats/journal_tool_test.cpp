// `carvelle-tool journal`: the journal lines of a period, or its FEC file,
// read from a set on disk with the settings of the folder it runs in.
#include "stats_fixture.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QStringList validatedInvoice(int n, const QString &number, const QString &date, const QString &price)
{
    InvoiceFields f;
    f.number = number;
    f.date = date;
    f.validated = "Y";
    return invoiceBlock(n, {line("Nuit", "1", price, "2")}, f);
}

} // namespace

TEST(JournalTool, LinesOfThePeriodOrTheFecFile)
{
    Settings s = toolSettings();
    s.accounts[0] = "411";
    const ToolSet set(validatedInvoice(0, "A1", "10/03/2001", "110") +
                          validatedInvoice(1, "A2", "20/03/2001", "55"),
                      s);
    writeFile(set.file("LION.cmd"),
              crlf({"<BLOC0000>", "NUM7", "15/03/2001", "20007", "", "Brasserie", "", "", "",
                    "TTCY", "Y", "CMDE1\tBière\t2\t6\t\t\t3", "</BLOC0000>"}));

    QString out;
    ASSERT_EQ(set.tool("journal", {"--to", "15/03/2001"}, &out), 0) << qPrintable(out);
    EXPECT_EQ(out.split('\n', Qt::SkipEmptyParts),
              QStringList({"VE\t10/03/2001\t411\tFacture A1\t110,00\t",
                           "VE\t10/03/2001\t706000\tFacture A1 HT 10 %\t\t100,00",
                           "VE\t10/03/2001\t445710\tFacture A1 TVA 10 %\t\t10,00",
                           "AC\t15/03/2001\t607000\tCommande 7 HT 20 %\t10,00\t",
                           "AC\t15/03/2001\t445660\tCommande 7 TVA 20 %\t2,00\t",
                           "AC\t15/03/2001\t401000\tCommande 7\t\t12,00"}));

    const QString fec = set.file("fec.txt");
    ASSERT_EQ(set.tool("journal", {"--from", "16/03/2001", "--fec", fec}, &out), 0)
        << qPrintable(out);
    QFile file(fec);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().split('\n');
    ASSERT_EQ(rows.size(), 5); // header, three lines of one entry, the end
    EXPECT_TRUE(rows[0].startsWith("JournalCode\t"));
    EXPECT_TRUE(rows[1].startsWith("VE\tVentes\t1\t20010320\t411\tClients divers\t10001\t"));

    // A full disk, a FEC marked read-only: said in French, the file kept.
    const QByteArray before = readFile(fec);
    auto smallDisk = [] {
        rlimit small{};
        getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 100;
        setrlimit(RLIMIT_FSIZE, &small);
    };
    EXPECT_EQ(set.tool("journal", {"--fec", fec}, &out, smallDisk), 2);
    EXPECT_TRUE(out.contains("Impossible d'écrire le fichier " + fec + " : Disque plein"))
        << qPrintable(out);
    ASSERT_EQ(::chmod(QFile::encodeName(fec).constData(), 0444), 0);
    EXPECT_EQ(set.tool("journal", {"--fec", fec}, &out), 2);
    EXPECT_TRUE(out.contains(" : Permission refusée")) << qPrintable(out);
    EXPECT_EQ(readFile(fec), before);
    EXPECT_EQ(QDir(set.dir.path()).entryList({".fec*"}, QDir::Files | QDir::Hidden), QStringList());

    EXPECT_EQ(set.tool("journal", {"--from", "31/02/2001"}, &out), 2);
    EXPECT_TRUE(out.contains("n'est pas une date correcte"));
    EXPECT_EQ(set.tool("journal", {"--du"}, &out), 2);
}

// A rate no invoice can hold (hand-edited into the settings file) is refused
// where it is read: the tool says so and writes no FEC rather than debits
// beyond any amount.
TEST(JournalTool, RefusesSettingsItCannotComputeWith)
{
    const ToolSet set(validatedInvoice(0, "A1", "10/03/2001", "110"));
    QByteArray ini = settingsBytes(toolSettings());
    const QList<QByteArray> lines = ini.split('\n');
    ini.replace(lines[9] + '\n', "99999999999999999999\r\n"); // rate 2
    writeFile(set.file("Carvelle.ini"), ini);

    const QString fec = set.file("fec.txt");
    QString out;
    EXPECT_EQ(set.tool("journal", {"--fec", fec}, &out), 2);
    EXPECT_TRUE(out.contains("Taux de TVA 2 refusé")) << qPrintable(out);
    EXPECT_FALSE(QFile::exists(fec));

    Settings read;
    EXPECT_FALSE(readSettings(read, ini).isEmpty());
    EXPECT_EQ(std::pair(read.vatRates[1], read.vatRates[2]),
              std::pair(0.0, 20.0)); // left as it was
}
