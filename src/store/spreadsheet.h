#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <span>

// A table handed to a spreadsheet: a header row, then rows of cells as the
// program shows them (French amounts "1234,56", dates "dd/mm/yyyy"), each
// column saying what its cells are. Written as .xlsx with typed cells (text
// stays text, so "06000" keeps its zero; amounts are numbers with two
// decimals; dates are dates), or as ";"-separated .csv in UTF-8 with a
// byte-order mark (what current spreadsheets open right) or in
// Windows-1252, or as TAB-separated .txt.
enum class CellType { Text, Amount, Integer, Date };

struct SheetColumn
{
    QString heading;
    CellType type = CellType::Text;
};

struct Spreadsheet
{
    QString name; // the worksheet's name
    QList<SheetColumn> columns;
    QList<QStringList> rows;
};

enum class ExportFormat { Xlsx, CsvUtf8, CsvWindows1252, Txt };

// The formats an export dialog offers, as its name filters, in this order.
struct ExportFilter
{
    ExportFormat format;
    QStringView filter;
    QStringView suffix; // without the dot
};
std::span<const ExportFilter> exportFilters();
QStringList exportFilterTexts(bool withTxt = true);

// The format of a dialog's filter text; .xlsx for a text that is none.
ExportFormat exportFormatOfFilter(const QString &filter);
// The format of an export: a name ending in ".xlsx", ".csv" or ".txt" (any
// case) keeps its type (a ".csv" in the encoding of the filter when that is
// a csv one, else UTF-8); any other name takes the filter's format.
ExportFormat exportFormatOf(const QString &name, ExportFormat chosen);
// `name` with the format's suffix, unless it ends with it already.
QString withExportSuffix(const QString &name, ExportFormat format);

// The .csv or .txt bytes: the header line, then one line per row, CR LF
// after each. In .csv a field holding ";", a quote or a line end is quoted;
// in .txt a TAB or a line end becomes a blank.
QByteArray delimitedBytes(const Spreadsheet &sheet, ExportFormat format);

// The .xlsx bytes; empty, with *error set, when the workbook could not be
// made.
QByteArray xlsxBytes(const Spreadsheet &sheet, QString *error = nullptr);

// Writes the sheet in `format` to `path` (replacing it whole or not at all);
// an empty text when done, else the French message to show.
QString writeSpreadsheet(const Spreadsheet &sheet, ExportFormat format, const QString &path);
