// `carvelle-tool journal`: the journal lines of a period, or its FEC file,
// read from a set on disk with the settings of the folder it runs in.
#include "stats_fixture.h"
#include "tool_run.h"

#include "store/settings.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

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
    QTemporaryDir dir;
    const QString set = dir.filePath("LION.htl");
    writeFile(set, crlf(clientBlock(0, "10001", "Dupont")));
    writeFile(dir.filePath("LION.fct"), crlf(validatedInvoice(0, "A1", "10/03/2001", "110") +
                                             validatedInvoice(1, "A2", "20/03/2001", "55")));
    writeFile(dir.filePath("LION.cmd"),
              crlf({"<BLOC0000>", "NUM7", "15/03/2001", "20007", "", "Brasserie", "", "", "", "TTCY", "Y",
                    "CMDE1\tBière\t2\t6\t\t\t3", "</BLOC0000>"}));
    Settings s;
    s.vatRates = {5.5, 10, 20};
    s.accounts[0] = "411";
    writeFile(dir.filePath("Carvelle.ini"), settingsBytes(s));
    Company company;
    company.lines[4] = "123456789 00012";
    writeFile(dir.filePath("Carvelle.soc"), companyBytes(company));

    QString out;
    ASSERT_EQ(runTool(dir.path(), {"journal", set, "--to", "15/03/2001"}, &out), 0) << qPrintable(out);
    EXPECT_EQ(out.split('\n', Qt::SkipEmptyParts),
              QStringList({"VE\t10/03/2001\t411\tFacture A1\t110,00\t",
                           "VE\t10/03/2001\t706000\tFacture A1 HT 10 %\t\t100,00",
                           "VE\t10/03/2001\t445710\tFacture A1 TVA 10 %\t\t10,00",
                           "AC\t15/03/2001\t607000\tCommande 7 HT 20 %\t10,00\t",
                           "AC\t15/03/2001\t445660\tCommande 7 TVA 20 %\t2,00\t",
                           "AC\t15/03/2001\t401000\tCommande 7\t\t12,00"}));

    const QString fec = dir.filePath("fec.txt");
    ASSERT_EQ(runTool(dir.path(), {"journal", set, "--from", "16/03/2001", "--fec", fec}, &out), 0)
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
    EXPECT_EQ(runTool(dir.path(), {"journal", set, "--fec", fec}, &out, smallDisk), 2);
    EXPECT_TRUE(out.contains("Impossible d'écrire le fichier " + fec + " : Disque plein"))
        << qPrintable(out);
    ASSERT_EQ(::chmod(QFile::encodeName(fec).constData(), 0444), 0);
    EXPECT_EQ(runTool(dir.path(), {"journal", set, "--fec", fec}, &out), 2);
    EXPECT_TRUE(out.contains(" : Permission refusée")) << qPrintable(out);
    EXPECT_EQ(readFile(fec), before);
    EXPECT_EQ(QDir(dir.path()).entryList({".fec*"}, QDir::Files | QDir::Hidden), QStringList());

    EXPECT_EQ(runTool(dir.path(), {"journal", set, "--from", "31/02/2001"}, &out), 2);
    EXPECT_TRUE(out.contains("n'est pas une date correcte"));
    EXPECT_EQ(runTool(dir.path(), {"journal", set, "--du"}, &out), 2);
}

// A rate no invoice can hold (hand-edited into the settings file) is refused
// where it is read: the tool says so and writes no FEC rather than debits
// beyond any amount.
TEST(JournalTool, RefusesSettingsItCannotComputeWith)
{
    QTemporaryDir dir;
    const QString set = dir.filePath("LION.htl");
    writeFile(set, crlf(clientBlock(0, "10001", "Dupont")));
    writeFile(dir.filePath("LION.fct"), crlf(validatedInvoice(0, "A1", "10/03/2001", "110")));
    Settings s;
    s.vatRates = {5.5, 10, 20};
    QByteArray ini = settingsBytes(s);
    const QList<QByteArray> lines = ini.split('\n');
    ini.replace(lines[9] + '\n', "99999999999999999999\r\n"); // rate 2
    writeFile(dir.filePath("Carvelle.ini"), ini);

    const QString fec = dir.filePath("fec.txt");
    QString out;
    EXPECT_EQ(runTool(dir.path(), {"journal", set, "--fec", fec}, &out), 2);
    EXPECT_TRUE(out.contains("Taux de TVA 2 refusé")) << qPrintable(out);
    EXPECT_FALSE(QFile::exists(fec));

    Settings read;
    EXPECT_FALSE(readSettings(read, ini).isEmpty());
    EXPECT_EQ(read.vatRates[1], 0); // left as it was
    EXPECT_EQ(read.vatRates[2], 20);
}
