#include "spreadsheet.h"

#include "codec.h"
#include "text.h"
#include "whole_file.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <array>

namespace {

constexpr std::array kFilters = {
    ExportFilter{ExportFormat::Xlsx, u"Classeur Excel, cellules typées (*.xlsx)", u"xlsx"},
    ExportFilter{ExportFormat::CsvUtf8, u"Fichier csv, UTF-8, séparateur « ; » (*.csv)", u"csv"},
    ExportFilter{ExportFormat::CsvWindows1252, u"Fichier csv, Windows-1252, séparateur « ; » (*.csv)",
                 u"csv"},
    ExportFilter{ExportFormat::Txt, u"Fichier texte, Windows-1252, séparateur tabulation (*.txt)", u"txt"},
};

const ExportFilter &filterOf(ExportFormat format)
{
    return *std::find_if(kFilters.begin(), kFilters.end(),
                         [format](const ExportFilter &f) { return f.format == format; });
}

// "1 234,56" or "-12,5" as a number; nothing when the text is not one.
std::optional<double> number(QString text)
{
    text.remove(u' ').remove(QChar(0xA0)).remove(QChar(0x202F));
    if (text.isEmpty())
        return std::nullopt;
    text.replace(u',', u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

QString csvField(QString field)
{
    if (field.contains(u';') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r'))
        field = u'"' + field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return field;
}

} // namespace

std::span<const ExportFilter> exportFilters()
{
    return kFilters;
}

QStringList exportFilterTexts(bool withTxt)
{
    QStringList out;
    for (const ExportFilter &f : kFilters)
        if (withTxt || f.format != ExportFormat::Txt)
            out << f.filter.toString();
    return out;
}

ExportFormat exportFormatOfFilter(const QString &filter)
{
    for (const ExportFilter &f : kFilters)
        if (f.filter == filter)
            return f.format;
    return ExportFormat::Xlsx;
}

ExportFormat exportFormatOf(const QString &name, ExportFormat chosen)
{
    if (name.endsWith(u".xlsx", Qt::CaseInsensitive))
        return ExportFormat::Xlsx;
    if (name.endsWith(u".txt", Qt::CaseInsensitive))
        return ExportFormat::Txt;
    if (name.endsWith(u".csv", Qt::CaseInsensitive))
        return chosen == ExportFormat::CsvWindows1252 ? chosen : ExportFormat::CsvUtf8;
    return chosen;
}

QString withExportSuffix(const QString &name, ExportFormat format)
{
    const QString suffix = u'.' + filterOf(format).suffix.toString();
    return name.endsWith(suffix, Qt::CaseInsensitive) ? name : name + suffix;
}

QByteArray delimitedBytes(const Spreadsheet &sheet, ExportFormat format)
{
    const bool txt = format == ExportFormat::Txt;
    QString text;
    auto line = [&](const QStringList &cells) {
        QStringList fields;
        for (QString cell : cells) {
            if (txt)
                fields << cell.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
            else
                fields << csvField(cell);
        }
        text += fields.join(txt ? u'\t' : u';') + QStringLiteral("\r\n");
    };
    QStringList header;
    for (const SheetColumn &c : sheet.columns)
        header << c.heading;
    line(header);
    for (const QStringList &row : sheet.rows)
        line(row);
    if (format == ExportFormat::CsvUtf8)
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    return cp1252::encode(text);
}

QByteArray xlsxBytes(const Spreadsheet &sheet, QString *error)
{
    // The library writes a file: it is made in a folder of its own, then read.
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("export.xlsx")));
    lxw_workbook *book = workbook_new(path.constData());
    if (!book) {
        if (error)
            *error = QStringLiteral("Le classeur n'a pas pu être créé.");
        return {};
    }
    // A worksheet name holds at most 31 characters, none of []:*?/\ .
    QString name = sheet.name.isEmpty() ? QStringLiteral("Feuille1") : sheet.name;
    for (QChar &ch : name)
        if (QStringLiteral("[]:*?/\\").contains(ch))
            ch = u'-';
    lxw_worksheet *page = workbook_add_worksheet(book, name.left(31).toUtf8().constData());
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *amount = workbook_add_format(book);
    format_set_num_format(amount, "0.00");
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "dd/mm/yyyy");

    // Each column as wide as its longest cell, within reason.
    for (int c = 0; c < sheet.columns.size(); ++c) {
        qsizetype widest = sheet.columns[c].heading.size();
        for (const QStringList &row : sheet.rows)
            widest = std::max(widest, row.value(c).trimmed().size());
        worksheet_set_column(page, lxw_col_t(c), lxw_col_t(c), double(std::clamp<qsizetype>(widest + 2, 6, 60)),
                             nullptr);
        worksheet_write_string(page, 0, lxw_col_t(c), sheet.columns[c].heading.toUtf8().constData(), bold);
    }
    worksheet_freeze_panes(page, 1, 0);
    for (int r = 0; r < sheet.rows.size(); ++r) {
        const QStringList &row = sheet.rows[r];
        const lxw_row_t at = lxw_row_t(r + 1);
        for (int c = 0; c < row.size(); ++c) {
            const QString cell = row[c].trimmed();
            if (cell.isEmpty())
                continue;
            const CellType type = c < sheet.columns.size() ? sheet.columns[c].type : CellType::Text;
            const lxw_col_t col = lxw_col_t(c);
            if (type == CellType::Amount || type == CellType::Integer) {
                if (const std::optional<double> value = number(cell)) {
                    worksheet_write_number(page, at, col, *value, type == CellType::Amount ? amount : nullptr);
                    continue;
                }
            } else if (type == CellType::Date) {
                const QDate d = QDate::fromString(cell, QStringLiteral("dd/MM/yyyy"));
                if (d.isValid() && d.year() >= 1900) {
                    lxw_datetime when = {d.year(), d.month(), d.day(), 0, 0, 0};
                    worksheet_write_datetime(page, at, col, &when, date);
                    continue;
                }
            }
            // Text, or a cell that is not what its column holds: as typed.
            worksheet_write_string(page, at, col, row[c].toUtf8().constData(), nullptr);
        }
    }
    const lxw_error closed = workbook_close(book);
    QFile file(QFile::decodeName(path));
    if (closed != LXW_NO_ERROR || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Le classeur n'a pas pu être écrit : %1")
                         .arg(QString::fromUtf8(lxw_strerror(closed)));
        return {};
    }
    return file.readAll();
}

QString writeSpreadsheet(const Spreadsheet &sheet, ExportFormat format, const QString &path)
{
    QString error;
    const QByteArray bytes = format == ExportFormat::Xlsx ? xlsxBytes(sheet, &error)
                                                          : delimitedBytes(sheet, format);
    if (!error.isEmpty())
        return error;
    if (WholeFile::write(path, bytes, &error))
        return {};
    return error;
}
