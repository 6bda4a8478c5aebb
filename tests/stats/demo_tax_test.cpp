// The demonstration hotel bills the taxe de séjour as the program does: "D"
// lines at the amount its settings give, for the nights between the stay's
// dates, so the month's report is not empty.
#include "tool_run.h"

#include <QDate>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(DemoHotel, TheMonthsTaxIsListedAtTheSettingsAmountForTheStaysNights)
{
    QTemporaryDir dir;
    ASSERT_EQ(QProcess::execute(QStringLiteral(CARVELLE_GENERATOR),
                                {"--small", "--date", "2026-12-07", dir.path(), "DEMO"}),
              0);
    ASSERT_EQ(QProcess::execute("bash", {CARVELLE_TEST_DATA "/../../scripts/demo-settings.sh", dir.path()}), 0);
    QString out;
    ASSERT_EQ(runTool(dir.path(), {"taxe-sejour", "DEMO.htl", "--from", "01/11/2026", "--to", "30/11/2026"}, &out),
              0)
        << qPrintable(out);
    QStringList rows = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GT(rows.size(), 10) << qPrintable(out);
    ASSERT_TRUE(rows.takeLast().startsWith("Total"));
    for (const QString &row : std::as_const(rows)) {
        const QStringList f = row.split('\t');
        ASSERT_EQ(f.size(), 8) << qPrintable(row);
        const QDate arrival = QDate::fromString(f[2], "dd/MM/yyyy"), departure = QDate::fromString(f[3], "dd/MM/yyyy");
        EXPECT_EQ(f[4].toLongLong(), arrival.daysTo(departure)) << qPrintable(row);
        // 1,10 per person and night.
        EXPECT_EQ(f[7], QString::number(f[6].toInt() * 110 / 100.0, 'f', 2).replace('.', ',')) << qPrintable(row);
    }
}
