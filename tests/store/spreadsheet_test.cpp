#include "store/codec.h"
#include "store/spreadsheet.h"
#include "xlsx_reader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

Spreadsheet sample()
{
    return {QStringLiteral("Main courante 04/03"),
            {{QStringLiteral("Code postal")},
             {QStringLiteral("Arrivée"), CellType::Date},
             {QStringLiteral("Nuits"), CellType::Integer},
             {QStringLiteral("Espèces"), CellType::Amount}},
            {{QStringLiteral("06000"), QStringLiteral("04/03/2026"), QStringLiteral("3"), QStringLiteral("  1234,56")},
             {QStringLiteral("Nice; \"vieux\""), QStringLiteral("  /  /    "), QString(), QStringLiteral("n/a")}}};
}

} // namespace

// What a spreadsheet sees in each cell: postal codes stay text, amounts are
// numbers with two decimals, dates are dates; a cell that is not what its
// column holds goes out as typed rather than being lost.
TEST(Spreadsheet, XlsxCellsAreTyped)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("feuille.xlsx");
    ASSERT_EQ(writeSpreadsheet(sample(), ExportFormat::Xlsx, path), QString());
    const XlsxSheet sheet = readXlsx(path);
    ASSERT_EQ(sheet.rows.size(), 3);
    EXPECT_EQ(sheet.rows[0][3].text, "Espèces");
    const auto &first = sheet.rows[1];
    EXPECT_EQ(first[0].kind, XlsxCell::Text);
    EXPECT_EQ(first[0].text, "06000");
    EXPECT_EQ(first[1].kind, XlsxCell::Date);
    EXPECT_EQ(first[1].date(), QDate(2026, 3, 4));
    EXPECT_EQ(sheet.cellStyleFormat, "dd/mm/yyyy");
    EXPECT_EQ(first[2].kind, XlsxCell::Number);
    EXPECT_EQ(first[2].number, 3);
    EXPECT_EQ(first[3].kind, XlsxCell::Number);
    EXPECT_DOUBLE_EQ(first[3].number, 1234.56);
    const auto &second = sheet.rows[2];
    EXPECT_EQ(second[0].text, "Nice; \"vieux\"");
    EXPECT_EQ(second[1].kind, XlsxCell::Text);
    EXPECT_FALSE(second.contains(2)); // empty stays empty
    EXPECT_EQ(second[3].kind, XlsxCell::Text);
    EXPECT_EQ(second[3].text, "n/a");
}

TEST(Spreadsheet, CsvInUtf8WithBomOrWindows1252AndTxtWithTabs)
{
    const QByteArray utf8 = delimitedBytes(sample(), ExportFormat::CsvUtf8);
    const QString lines = QStringLiteral("Code postal;Arrivée;Nuits;Espèces\r\n"
                                         "06000;04/03/2026;3;  1234,56\r\n"
                                         "\"Nice; \"\"vieux\"\"\";  /  /    ;;n/a\r\n");
    EXPECT_EQ(utf8, "\xEF\xBB\xBF" + lines.toUtf8());
    EXPECT_EQ(delimitedBytes(sample(), ExportFormat::CsvWindows1252), cp1252::encode(lines));
    Spreadsheet tabs = sample();
    tabs.rows[1][0] = QStringLiteral("a\tb\r\nc");
    EXPECT_TRUE(delimitedBytes(tabs, ExportFormat::Txt).endsWith("a b  c\t  /  /    \t\tn/a\r\n"));
}

TEST(Spreadsheet, AFileThatCannotBeWrittenIsSaid)
{
    QTemporaryDir dir;
    const QString error = writeSpreadsheet(sample(), ExportFormat::CsvUtf8, dir.filePath("absent/x.csv"));
    EXPECT_TRUE(error.startsWith("Impossible d'écrire le fichier")) << error.toStdString();
}
