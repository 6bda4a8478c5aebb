#pragma once

#include "client_page.h"
#include "store/spreadsheet.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

// Client addresses exchanged with other programs as text files: one record
// per line, fields separated by TAB (".txt") or ";" (".csv"), no quoting.
// A record holds the name, both address lines, postal code, town, country
// and telephone (block lines 4 to 10).
//
// For a spreadsheet the clients go out with a header line naming each
// column (the code, the address, the e-mail, the card's date, stays and
// what is due) as .xlsx or .csv; a file that begins with that header imports
// each column into its field, whatever their order.
namespace exchange {
constexpr char kTxt = '\t';
constexpr char kCsv = ';';
constexpr int kMaxClients = 89998;
constexpr int kMaxField = 1024;
constexpr int kEmptyLinesAfter = 20;

// The text of an imported file: UTF-8 when it begins with a byte-order mark
// or is valid UTF-8 holding non-ASCII bytes, Windows-1252 otherwise.
QString decodeImport(QByteArrayView bytes);

// The client records of the table, one per line that begins a block. The
// separator found inside a field becomes a blank, so that every record
// reads back as the same seven fields.
QList<QByteArray> clientRecords(const RecordTable &clients, char separator);

// The clients as a spreadsheet: the header, then one row per client block.
Spreadsheet clientSheet(const RecordTable &clients);

} // namespace exchange

// Import of an existing file, on the client page (selected when another is
// shown): ".txt" in its name (any case) imports it TAB-separated, ".csv"
// ";"-separated (both for "a.txt.csv"); then the user is told how many
// clients came in, the first of them is shown and the set is dirty. A
// missing file gives "Le fichier ... n'existe pas" and changes nothing.
// Clients already in the set (same name, postal code and telephone) are
// counted first, and the person chooses to add them again, skip them or
// import nothing. False when the file does not exist or the import was
// cancelled.
bool Importer(ClientPage &page, const QString &path);
// Appends one client block per line of the file that is not blank, numbered
// after the last client, while the client page is shown; stops at 89998
// clients. Returns the number of clients added.
int ImportTxt(ClientPage &page, const QString &path);
int ImportCsv(ClientPage &page, const QString &path);

// The lines the main courante page exports, given the separator.
using DaySheetRecords = std::function<QList<QByteArray>(char separator)>;

// The day sheet of the main courante page, as a spreadsheet.
using DaySheet = std::function<Spreadsheet()>;

// Export after the client card is written back, in the format
// exportFormatOf decides from the name and the filter chosen; the name gets
// the format's suffix when it does not hold it already. The main courante
// page exports its day sheet (when given); any other page selects the client
// page and exports the clients. A .txt holds the exchange records (no
// header); the other formats hold the spreadsheet. An empty name does
// nothing. Returns the file written, empty when none.
QString Exporter(ClientPage &page, const QString &name, ExportFormat filterFormat,
                 const DaySheetRecords &daySheet = {}, const DaySheet &daySheetTable = {});
// Writes the TAB-separated records of the page shown: the clients on the
// client page, the day sheet on the main courante page, nothing on the
// others. Windows-1252, CR LF after each line; the file is created or
// replaced.
bool ExportTxt(Fiche &fiche, const QString &path, const DaySheetRecords &daySheet = {});
