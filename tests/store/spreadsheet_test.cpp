#include "store/codec.h"
#include "store/spreadsheet.h"
#include "xlsx_reader.h"

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

// Each cell of a row as its kind and value; "-" where nothing was written.
QStringList cells(const QMap<int, XlsxCell> &row)
{
    QStringList out;
    for (int c = 0; c < 4; ++c) {
        const XlsxCell cell = row.value(c);
        out << (!row.contains(c)                ? "-"
                : cell.kind == XlsxCell::Date   ? "D " + cell.date().toString(Qt::ISODate)
                : cell.kind == XlsxCell::Number ? "N " + QString::number(cell.number)
                                                : "T " + cell.text);
    }
    return out;
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
    EXPECT_EQ(cells(sheet.rows[1]), QStringList({"T 06000", "D 2026-03-04", "N 3", "N 1234.56"}));
    EXPECT_EQ(sheet.cellStyleFormat, "dd/mm/yyyy");
    EXPECT_EQ(cells(sheet.rows[2]),
              QStringList({"T Nice; \"vieux\"", "T   /  /    ", "-", "T n/a"}));

    // A file that cannot be written is said.
    const QString error =
        writeSpreadsheet(sample(), ExportFormat::CsvUtf8, dir.filePath("absent/x.csv"));
    EXPECT_TRUE(error.startsWith("Impossible d'écrire le fichier")) << error.toStdString();
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
