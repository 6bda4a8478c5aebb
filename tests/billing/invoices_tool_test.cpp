#include "billing_fixture.h"
#include "store/settings.h"
#include "tool_run.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolSet
{
    QTemporaryDir dir;
    QString path() const { return dir.filePath("LION.htl"); }

    explicit ToolSet(const QStringList &invoices, int decimals = 2)
    {
        writeFile(path(), crlf(clientBlock(0, "10001", "Dupont")));
        writeFile(dir.filePath("LION.fct"), crlf(invoices));
        Settings s;
        s.decimals = decimals;
        s.vatRates = {5.5, 10, 20};
        writeFile(dir.filePath("Carvelle.ini"), settingsBytes(s));
    }
};

const QString kHeader =
    "bloc\tnumero\tdate\tclient\tchambre\tvalidee\tttc1\tht1\ttva1\tttc2\tht2\ttva2"
    "\tttc3\tht3\ttva3\ttotal_ttc\ttotal_tva\ttaux1\ttaux2\ttaux3\ttotal_ht\ttaxe_sejour\tfigee";

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
    ASSERT_EQ(runTool(set.dir.path(), {"invoices", set.path()}, &out), 0) << qPrintable(out);
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], kHeader);
    EXPECT_EQ(lines[1], "0\t202603001\t01/03/2026\t10001\t12\tY\t2,20\t2,09\t0,11\t110,00\t100,00\t"
                        "10,00\t24,00\t20,00\t4,00\t136,20\t14,11\t5,5\t10\t20\t122,09\t0,00\tN");
    EXPECT_EQ(lines[3],
              "2\t202604002\t03/04/2026\t\t\tN\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t"
              "0,00\t0,00\t0,00\t0,00\t5,5\t10\t20\t0,00\t0,00\tN");

    ASSERT_EQ(runTool(set.dir.path(),
                      {"invoices", set.path(), "--from", "01/04/2026", "--to", "02/04/2026"}, &out),
              0);
    EXPECT_EQ(
        out.split('\n', Qt::SkipEmptyParts),
        (QStringList{kHeader, "1\t202604001\t02/04/2026\t10001\t12\tN\t3,00\t2,84\t0,16\t0,00\t"
                              "0,00\t0,00\t0,00\t0,00\t0,00\t3,00\t0,16\t5,5\t10\t20\t2,84\t0,00\tN"}));
}

TEST(InvoicesTool, FollowsTheDecimalsOfTheFolderAndRefusesBadArguments)
{
    ToolSet set(invoiceBlock(0, {line("Offert", "1", "0")}), 0);
    QString out;
    ASSERT_EQ(runTool(set.dir.path(), {"invoices", set.path()}, &out), 0);
    EXPECT_EQ(out.split('\n', Qt::SkipEmptyParts).value(1),
              "0\t202603001\t01/03/2026\t10001\t12\tN" + QString(11, '\t') + "\t5,5\t10\t20\t\t\tN");

    EXPECT_EQ(runTool(set.dir.path(), {"invoices", set.path(), "--from", "32/01/2026"}, &out), 2);
    EXPECT_EQ(runTool(set.dir.path(), {"invoices", set.path(), "--to"}, &out), 2);
    EXPECT_EQ(runTool(set.dir.path(), {"invoices"}, &out), 2);
    EXPECT_EQ(runTool(set.dir.path(), {"invoices", set.dir.filePath("NONE.htl")}, &out), 2);
}

} // namespace
