#include "billing_fixture.h"
#include "store/settings.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Runs a program in `folder` (the tool reads its settings files there).
int run(const QString &folder, const QString &program, const QStringList &args, QString *output)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(program, args);
    p.waitForFinished(60000);
    *output = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(InvoicePrintTool, PrintsAndArchivesInvoicesAsThePagePrintsThem)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext is missing";
    QTemporaryDir dir;
    const QString set = dir.filePath("LION.htl"), tool = CARVELLE_TOOL;
    QStringList many;
    for (int k = 1; k <= 30; ++k)
        many << line("Petit déjeuner " + QString::number(k), "1", "12,5");
    writeFile(set, crlf(clientBlock(0, "10001", "Dupont")));
    writeFile(
        dir.filePath("LION.fct"),
        crlf(invoiceBlock(0, {line("Nuit", "1", "50")}, {.validated = "Y"}) +
             invoiceBlock(1, many, {.number = "202603002"}) +
             invoiceBlock(3, {line("Eau", "1", "3")}, {.number = "202603004", .validated = "Y"})));
    Company c;
    c.lines = {"Hôtel de la Plage", "", "", "", "", "", ""};
    writeFile(dir.filePath("Carvelle.soc"), companyBytes(c));
    auto pdfText = [&](const QString &pdf) {
        QString text;
        run(dir.path(), "pdftotext", {"-layout", pdf, "-"}, &text);
        return text;
    };

    QString out;
    const QString pdf = dir.filePath("out.pdf");
    ASSERT_EQ(run(dir.path(), tool, {"print-invoice", set, "202603002", "-o", pdf}, &out), 0);
    QString text = pdfText(pdf);
    for (const char *expected : {"Hôtel de la Plage", "Facture N° 202603002", "Petit déjeuner 30",
                                 "375,00 Euros", "Page 1/2", "Page 2/2"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << qPrintable(text);
    // No invoice of that number (it only starts one); usage.
    EXPECT_EQ(run(dir.path(), tool, {"print-invoice", set, "2026030", "-o", pdf}, &out), 1);
    EXPECT_EQ(run(dir.path(), tool, {"print-invoice", set, "202603002"}, &out), 2);

    // Validated invoices only, past the gap in the numbering; never twice.
    const QString archive = dir.filePath("archive");
    ASSERT_EQ(run(dir.path(), tool, {"archive-invoices", set, archive}, &out), 0);
    EXPECT_EQ(out.trimmed(), "2 factures archivées, 0 déjà présentes, 0 en échec");
    EXPECT_EQ(QDir(archive).entryList(QDir::Files),
              (QStringList{"Facture-202603001.pdf", "Facture-202603004.pdf"}));
    EXPECT_TRUE(pdfText(archive + "/Facture-202603004.pdf").contains("Facture N° 202603004"));
    QFile::remove(archive + "/Facture-202603001.pdf");
    ASSERT_EQ(run(dir.path(), tool, {"archive-invoices", set, archive}, &out), 0);
    EXPECT_EQ(out.trimmed(), "1 facture archivée, 1 déjà présente, 0 en échec");
}

} // namespace
