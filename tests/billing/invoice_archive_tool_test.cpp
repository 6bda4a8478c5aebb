// The invoice archive the hotel keeps for ten years, and a printout into a
// file: written whole or not at all, whatever stops the writing.
#include "billing_fixture.h"
#include "tool_run.h"

#include "store/whole_file.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

namespace {

// In the tool only: the file-size limit stands in for a full disk.
void smallDisk()
{
    rlimit small{};
    getrlimit(RLIMIT_FSIZE, &small);
    small.rlim_cur = 4000;
    setrlimit(RLIMIT_FSIZE, &small);
}

QStringList pdfs(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class ArchiveTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeFile(set, crlf(clientBlock(0, "10001", "Dupont")));
        writeFile(dir.filePath("LION.fct"),
                  crlf(invoiceBlock(0, {line("Nuit", "1", "50")}, {.validated = "Y"}) +
                       invoiceBlock(1, {line("Eau", "1", "3")},
                                    {.number = "202603002", .validated = "Y"}) +
                       invoiceBlock(2, {line("Thé", "1", "4")},
                                    {.number = "202603003", .validated = "Y"})));
    }
    QTemporaryDir dir;
    const QString set = dir.filePath("LION.htl"), archive = dir.filePath("archive");
};

} // namespace

TEST_F(ArchiveTool, AFullDiskArchivesNothingAndSaysSo)
{
    QString out;
    EXPECT_EQ(runTool(dir.path(), {"archive-invoices", set, archive}, &out, smallDisk), 2);
    EXPECT_TRUE(out.contains("0 factures archivées, 0 déjà présentes, 3 en échec"))
        << qPrintable(out);
    EXPECT_TRUE(out.contains("Disque plein")) << qPrintable(out);
    EXPECT_EQ(pdfs(archive), QStringList());

    // With room again, all three are written.
    EXPECT_EQ(runTool(dir.path(), {"archive-invoices", set, archive}, &out), 0);
    EXPECT_TRUE(out.startsWith("3 factures archivées, 0 déjà présentes, 0 en échec\n"))
        << qPrintable(out);

    // One printout into a file: the same, and an older file stays as it was.
    const QString pdf = dir.filePath("facture.pdf");
    writeFile(pdf, "ancienne");
    EXPECT_EQ(runTool(dir.path(), {"print-invoice", set, "202603002", "-o", pdf}, &out, smallDisk),
              2);
    EXPECT_TRUE(out.contains("Impossible d'écrire le fichier " + pdf + " : Disque plein"))
        << qPrintable(out);
    EXPECT_EQ(readFile(pdf), "ancienne");
    EXPECT_EQ(pdfs(dir.path()), (QStringList{"LION.fct", "LION.htl", "facture.pdf"}));
}

TEST_F(ArchiveTool, OnlyWholePdfsAreKept)
{
    QString out;
    ASSERT_EQ(runTool(dir.path(), {"archive-invoices", set, archive}, &out), 0);
    const QString first = archive + "/Facture-202603001.pdf",
                  second = archive + "/Facture-202603002.pdf",
                  third = archive + "/Facture-202603003.pdf";
    const QByteArray whole = readFile(third);
    ASSERT_TRUE(isWholePdf(whole));
    writeFile(first, "");                                       // left empty by a full disk
    writeFile(second, readFile(second).left(whole.size() / 2)); // cut short

    EXPECT_EQ(runTool(dir.path(), {"archive-invoices", set, archive}, &out), 0);
    EXPECT_TRUE(out.startsWith("2 factures archivées, 1 déjà présente, 0 en échec\n"))
        << qPrintable(out);
    EXPECT_TRUE(isWholePdf(readFile(first)));
    EXPECT_TRUE(isWholePdf(readFile(second)));
    EXPECT_EQ(readFile(third), whole);
}
