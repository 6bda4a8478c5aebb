// The tool's invoice commands over a hotel folder: the list of invoices
// with their figures, a printout into a file, and the invoice archive the
// hotel keeps for ten years, written whole or not at all, whatever stops
// the writing.
#include "billing_fixture.h"
#include "store/whole_file.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

const QString kHeader =
    "bloc\tnumero\tdate\tclient\tchambre\tvalidee\tttc1\tht1\ttva1\tttc2\tht2\ttva2"
    "\tttc3\tht3\ttva3\ttotal_ttc\ttotal_tva\ttaux1\ttaux2\ttaux3\ttotal_ht\ttaxe_sejour\tfigee";

// In the tool only: the file-size limit stands in for a full disk.
void smallDisk()
{
    rlimit small{};
    getrlimit(RLIMIT_FSIZE, &small);
    small.rlim_cur = 4000;
    setrlimit(RLIMIT_FSIZE, &small);
}

QStringList files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Three validated invoices, 202603001 to 202603003.
QStringList threeValidated()
{
    return invoiceBlock(0, {line("Nuit", "1", "50")}, {.validated = "Y"}) +
           invoiceBlock(1, {line("Eau", "1", "3")}, {.number = "202603002", .validated = "Y"}) +
           invoiceBlock(2, {line("Thé", "1", "4")}, {.number = "202603003", .validated = "Y"});
}

} // namespace

TEST(InvoicesTool, PrintsEveryInvoiceWithThePagesTotals)
{
    ToolSet set(
        invoiceBlock(0,
                     {line("Nuit", "2", "55", "2"), line("Vin", "1", "24", "3"),
                      line("Taxe", "2", "1,10", "")},
                     {.number = "202603001 ", .validated = "Y"}) +
        invoiceBlock(1, {line("Eau", "1", "3")}, {.number = "202604001", .date = "02/04/2026"}) +
        // Cut short: what could be read is given.
        QStringList{"<BLOC00002>", "NUMF202604002", "03/04/2026", "</BLOC00002>"});
    QString out;
    ASSERT_EQ(set.tool("invoices", {}, &out), 0) << qPrintable(out);
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(lines[1], "0\t202603001\t01/03/2026\t10001\t12\tY\t2,20\t2,09\t0,11\t110,00\t100,00\t"
                        "10,00\t24,00\t20,00\t4,00\t136,20\t14,11\t5,5\t10\t20\t122,09\t0,00\tN");
    EXPECT_EQ(lines[3],
              "2\t202604002\t03/04/2026\t\t\tN\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t"
              "0,00\t0,00\t0,00\t0,00\t5,5\t10\t20\t0,00\t0,00\tN");

    ASSERT_EQ(set.tool("invoices", {"--from", "01/04/2026", "--to", "02/04/2026"}, &out), 0);
    EXPECT_EQ(
        out.split('\n', Qt::SkipEmptyParts),
        (QStringList{kHeader,
                     "1\t202604001\t02/04/2026\t10001\t12\tN\t3,00\t2,84\t0,16\t0,00\t"
                     "0,00\t0,00\t0,00\t0,00\t0,00\t3,00\t0,16\t5,5\t10\t20\t2,84\t0,00\tN"}));

    // The decimals of the folder are followed; bad arguments refused.
    ToolSet euros(invoiceBlock(0, {line("Offert", "1", "0")}), toolSettings(0));
    ASSERT_EQ(euros.tool("invoices", {}, &out), 0);
    EXPECT_EQ(out.split('\n', Qt::SkipEmptyParts).value(1),
              "0\t202603001\t01/03/2026\t10001\t12\tN" + QString(11, '\t') +
                  "\t5,5\t10\t20\t\t\tN");
    EXPECT_EQ(euros.tool("invoices", {"--from", "32/01/2026"}, &out), 2);
    EXPECT_EQ(euros.tool("invoices", {"--to"}, &out), 2);
    EXPECT_EQ(runTool(euros.dir.path(), {"invoices"}, &out), 2);
    EXPECT_EQ(runTool(euros.dir.path(), {"invoices", euros.file("NONE.htl")}, &out), 2);
}

TEST(InvoicePrintTool, PrintsAndArchivesInvoicesAsThePagePrintsThem)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is missing";
    QStringList many;
    for (int k = 1; k <= 30; ++k)
        many << line("Petit déjeuner " + QString::number(k), "1", "12,5");
    ToolSet set(
        invoiceBlock(0, {line("Nuit", "1", "50")}, {.validated = "Y"}) +
            invoiceBlock(1, many, {.number = "202603002"}) +
            invoiceBlock(3, {line("Eau", "1", "3")}, {.number = "202603004", .validated = "Y"}),
        toolSettings());
    Company c;
    c.lines = {"Hôtel de la Plage", "", "", "", "", "", ""};
    writeFile(set.file("Carvelle.soc"), companyBytes(c));
    auto pdfText = [&](const QString &pdf) {
        QProcess p;
        p.start("pdftotext", {"-layout", pdf, "-"});
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };

    QString out;
    const QString pdf = set.file("out.pdf");
    ASSERT_EQ(set.tool("print-invoice", {"202603002", "-o", pdf}, &out), 0);
    QString text = pdfText(pdf);
    for (const char *expected : {"Hôtel de la Plage", "Facture N° 202603002", "Petit déjeuner 30",
                                 "375,00 Euros", "Page 1/2", "Page 2/2"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << qPrintable(text);
    // No invoice of that number (it only starts one); usage.
    EXPECT_EQ(set.tool("print-invoice", {"2026030", "-o", pdf}, &out), 1);
    EXPECT_EQ(set.tool("print-invoice", {"202603002"}, &out), 2);

    // Validated invoices only, past the gap in the numbering; never twice.
    const QString archive = set.file("archive");
    ASSERT_EQ(set.tool("archive-invoices", {archive}, &out), 0);
    EXPECT_TRUE(out.startsWith("2 factures archivées, 0 déjà présentes, 0 en échec\n"))
        << qPrintable(out);
    // Beside them, the list of the PDFs found whole; no temporary file.
    EXPECT_EQ(files(archive), (QStringList{".pdf-entiers", "Facture-202603001.pdf",
                                           "Facture-202603004.pdf"}));
    EXPECT_TRUE(pdfText(archive + "/Facture-202603004.pdf").contains("Facture N° 202603004"));
    QFile::remove(archive + "/Facture-202603001.pdf");
    ASSERT_EQ(set.tool("archive-invoices", {archive}, &out), 0);
    EXPECT_TRUE(out.startsWith("1 facture archivée, 1 déjà présente, 0 en échec\n"))
        << qPrintable(out);
}

TEST(ArchiveTool, AFullDiskArchivesNothingAndSaysSo)
{
    ToolSet set(threeValidated());
    const QString archive = set.file("archive");
    QString out;
    EXPECT_EQ(set.tool("archive-invoices", {archive}, &out, smallDisk), 2);
    EXPECT_TRUE(out.contains("0 factures archivées, 0 déjà présentes, 3 en échec"))
        << qPrintable(out);
    EXPECT_TRUE(out.contains("Disque plein")) << qPrintable(out);
    EXPECT_EQ(files(archive), QStringList());

    // With room again, all three are written.
    EXPECT_EQ(set.tool("archive-invoices", {archive}, &out), 0);
    EXPECT_TRUE(out.startsWith("3 factures archivées, 0 déjà présentes, 0 en échec\n"))
        << qPrintable(out);

    // One printout into a file: the same, and an older file stays as it was.
    const QString pdf = set.file("facture.pdf");
    writeFile(pdf, "ancienne");
    EXPECT_EQ(set.tool("print-invoice", {"202603002", "-o", pdf}, &out, smallDisk), 2);
    EXPECT_TRUE(out.contains("Impossible d'écrire le fichier " + pdf + " : Disque plein"))
        << qPrintable(out);
    EXPECT_EQ(readFile(pdf), "ancienne");
    EXPECT_EQ(files(set.dir.path()),
              (QStringList{"Carvelle.ini", "LION.fct", "LION.htl", "facture.pdf"}));
}

TEST(ArchiveTool, OnlyWholePdfsAreKept)
{
    ToolSet set(threeValidated());
    const QString archive = set.file("archive");
    QString out;
    ASSERT_EQ(set.tool("archive-invoices", {archive}, &out), 0);
    const QString first = archive + "/Facture-202603001.pdf",
                  second = archive + "/Facture-202603002.pdf",
                  third = archive + "/Facture-202603003.pdf";
    const QByteArray whole = readFile(third);
    ASSERT_TRUE(isWholePdf(whole));
    writeFile(first, "");                                       // left empty by a full disk
    writeFile(second, readFile(second).left(whole.size() / 2)); // cut short

    EXPECT_EQ(set.tool("archive-invoices", {archive}, &out), 0);
    EXPECT_TRUE(out.startsWith("2 factures archivées, 1 déjà présente, 0 en échec\n"))
        << qPrintable(out);
    EXPECT_TRUE(isWholePdf(readFile(first)));
    EXPECT_TRUE(isWholePdf(readFile(second)));
    EXPECT_EQ(readFile(third), whole);

    // A file found whole by a run is not read again while unchanged; one
    // written over since, at the same size, is.
    QByteArray broken = whole;
    broken.replace(broken.lastIndexOf("%%EOF"), 5, "%%EO_");
    writeFile(third, broken);
    EXPECT_EQ(set.tool("archive-invoices", {archive}, &out), 0);
    EXPECT_TRUE(out.startsWith("1 facture archivée, 2 déjà présentes, 0 en échec\n"))
        << qPrintable(out);
    EXPECT_TRUE(isWholePdf(readFile(third)));
}
