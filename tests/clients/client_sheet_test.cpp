#include "clients/client_exchange.h"
#include "clients/client_page.h"
#include "scripted_ui.h"
#include "shell/main_controller.h"
#include "xlsx_reader.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The demonstration hotel's clients exported for a spreadsheet: every client
// a row, postal codes as text (06000 keeps its zero), the card's date a date,
// its figures numbers.
TEST(ClientSheet, TheDemoHotelsClientsReadBackTyped)
{
    QTemporaryDir dir;
    QProcess generate;
    generate.setStandardOutputFile(QProcess::nullDevice());
    generate.start(CARVELLE_GENERATOR, {"--small", "--date", "2026-03-04", dir.path(), "DEMO"});
    ASSERT_TRUE(generate.waitForFinished(60000) && generate.exitCode() == 0);

    ScriptedUi ui;
    Fiche fiche{ui};
    ClientPage clients{fiche};
    fiche.setPage(PageId::Clients, &clients);
    MainController main{fiche, ui};
    ASSERT_TRUE(main.open(dir.filePath("DEMO.htl")));
    const int count = fiche.set().count(Table::Clients);
    ASSERT_EQ(count, 150);

    const QString path = Exporter(clients, dir.filePath("clients"), ExportFormat::Xlsx);
    ASSERT_EQ(path, dir.filePath("clients.xlsx"));
    const XlsxSheet sheet = readXlsx(path);
    ASSERT_EQ(sheet.rows.size(), count + 1);
    EXPECT_EQ(sheet.rows[0][4].text, "Code postal");
    EXPECT_EQ(sheet.rows[0][9].text, "E-mail");

    const RecordTable &t = fiche.set().table(Table::Clients);
    int leadingZeros = 0, dates = 0;
    for (int r = 1; r <= count; ++r) {
        const auto &row = sheet.rows[r];
        const qsizetype block = t.blockStart(r - 1);
        EXPECT_EQ(row[4].kind, XlsxCell::Text) << r;
        EXPECT_EQ(row[4].text, t.text(block + 7)) << r;
        leadingZeros += row[4].text.startsWith(u'0');
        if (row.contains(10)) {
            EXPECT_EQ(row[10].kind, XlsxCell::Date) << r;
            EXPECT_EQ(row[10].date(), QDate::fromString(t.text(block + 13), "dd/MM/yyyy")) << r;
            ++dates;
        }
        for (int figure : {11, 12}) {
            if (row.contains(figure)) {
                EXPECT_EQ(row[figure].kind, XlsxCell::Number) << r;
            }
        }
    }
    EXPECT_GT(leadingZeros, 0);
    EXPECT_EQ(dates, count);
}
