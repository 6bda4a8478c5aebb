#pragma once

#include "line_grid.h"

#include "store/money.h"
#include "store/record_table.h"
#include "store/settings.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Lines of an invoice block, counted from its start marker.
namespace invoiceline {
constexpr int Number = 1; // "NUMF" + number as typed
constexpr int Date = 2;
constexpr int Client = 3;
constexpr int Room = 4;
constexpr int Payment = 5;
constexpr int StayFrom = 6;
constexpr int StayTo = 7;
constexpr int Occupant = 8;
constexpr int Address = 9; // four lines
constexpr int VatShown = 13;
constexpr int Validated = 14;
constexpr int FirstTagged = 15;
} // namespace invoiceline

// Columns of the invoice grid.
namespace invoicecol {
constexpr int Date = 0;
constexpr int Code = 1;
constexpr int Designation = 2;
constexpr int Quantity = 3;
constexpr int Price = 4;
constexpr int Discount = 5;
constexpr int Amount = 6;
constexpr int Vat = 7;
constexpr int Count = 8;
} // namespace invoicecol

// Where the cells the totals read stand in a line grid (invoices and
// orders order their columns differently), the width the quantity is
// aligned to, and whether the VAT code "D" (débours: collected for a third
// party, outside VAT, such as the taxe de séjour) is read: invoices only.
struct LineColumns
{
    int quantity, price, discount, amount, vat, count;
    int quantityWidth;
    bool outsideVatCode;
};
inline constexpr LineColumns kInvoiceColumns{invoicecol::Quantity,
                                             invoicecol::Price,
                                             invoicecol::Discount,
                                             invoicecol::Amount,
                                             invoicecol::Vat,
                                             invoicecol::Count,
                                             60,
                                             true};

// The VAT code of the lines outside VAT.
inline constexpr QStringView kOutsideVatCode = u"D";

// The invoice as the page shows it.
struct InvoiceCard
{
    static constexpr int kRows = 63;

    QString number; // the number field as typed
    QDate date;
    QString client, room, payment;
    QDate stayFrom, stayTo;
    QString occupant;
    std::array<QString, 4> address;
    bool vatShown = false;
    bool validated = false;
    LineGrid lines{invoicecol::Count, kRows};
    QStringList memo;
    // Lines of the block that are neither a grid line nor a memo line,
    // written back after them as they were.
    QList<QByteArray> otherLines;
};

// The grid's headings; the amount columns' are right-aligned.
QStringList invoiceHeadings();

// The text after "NUMF" of a number line, trimmed, as a whole number;
// nothing when it is not one.
std::optional<qint64> invoiceNumberValue(QByteArrayView numberLine);

// The number field of a block's number line (line `offset`, after its
// tag of `tagLength` characters), trimmed; empty when the block ends before.
QString numberLineText(const RecordTable &table, qsizetype start, qsizetype end, int offset,
                       int tagLength);

// The currency label beside a total: "Euros", or the other currency's name.
QString currencyLabel(const Settings &settings);

// The block of an invoice, both markers included. Every grid row that holds
// something is written, then the rows kept apart, the memo and the other lines.
QList<QByteArray> invoiceBlockLines(const InvoiceCard &card, const RecordTable &table,
                                    qint64 number);

// Fills a card (already cleared) from the block lines start..end (the end
// marker excluded). Each header field is read on its own: a date that does
// not read leaves its field as it was. Grid and memo lines are read after
// the header only, every one of them, to the end of the block.
void readInvoiceBlock(InvoiceCard &card, const RecordTable &table, qsizetype start, qsizetype end);

// What block n's own lines say of it without reading it as a card: whether
// it is validated and its number as typed (empty when the block has none,
// or there is no block n).
struct InvoiceFacts
{
    bool validated = false;
    QString number;
};
InvoiceFacts invoiceFacts(const RecordTable &table, qint64 n);

// A cell that did not read as a number (or read as one out of the sane
// range), for the page to show in red.
struct BadCell
{
    int row;
    int column;
    bool outOfRange = false;
    bool operator==(const BadCell &) const = default;
};

// The VAT rates as exact decimals: a rate the settings cannot hold exactly
// or outside 0 to 100 % counts as none (the settings refuse it when read).
using VatRates = std::array<Money, 3>;
VatRates exactRates(const std::array<double, 3> &rates);

// What the totals of a line grid give, exact to the unit of the amount
// format: per VAT code the rate, the base with tax, the part without tax and
// the tax; the three totals and the "D" lines with their texts; the cells
// that did not read. HT + TVA = TTC holds per code and in total.
struct LineTotals
{
    VatRates rates{};
    std::array<Money, 3> inclusive{};
    std::array<Money, 3> exclusive{};
    std::array<Money, 3> vat{};
    std::array<bool, 3> used{}; // a line carries the code
    Money total;
    Money totalVat;
    Money totalExclusive;
    // The "D" lines: in the total, in no VAT base nor in totalExclusive.
    Money outsideVat;
    QString totalText, vatText, exclusiveText; // in the amount format, not padded
    QString outsideVatText;
    QList<BadCell> bad;
    // The figures a validated document keeps, read from its block rather
    // than computed with today's rates.
    bool kept = false;

    // The texts above from the figures.
    void setTexts(int decimals);
};
using InvoiceTotals = LineTotals;

// The line step shared by invoices and orders, then the totals. Each row's
// amount is quantity x price less the discount, computed exactly and rounded
// once to the amount format. Per VAT code the rounded amounts add up to a
// base; with `pricesIncludeTax` the base includes the tax, which is base x
// rate / (100 + rate) rounded once, and the part without tax is the rest;
// otherwise the base is without tax, the tax is base x rate / 100 rounded
// once and the total with tax is their sum.
LineTotals lineTotals(LineGrid &grid, const LineColumns &columns, const VatRates &rates,
                      int decimals, bool pricesIncludeTax, bool rewrite = true);

// One row as the totals read it: its quantity (before the first blank),
// unit price, discount, amount rounded once, and VAT code (1 to 3, kOutside
// for "D", 0 when its reading stopped before the code). Nothing for a row
// whose quantity is empty, which the totals skip.
struct RowFigures
{
    static constexpr int kOutside = 4;
    Money quantity, price, discount, amount;
    int code = 0;
};
std::optional<RowFigures> rowFigures(const QStringList &cells, const LineColumns &columns,
                                     int decimals);

// Recomputes every line amount and the totals of the grid, rows kept apart
// included. A row whose quantity is empty is skipped. Otherwise its cells
// are read in order (quantity up to its first blank, price, VAT code,
// discount); a cell that does not read, or reads out of the sane range,
// ends the row's reading, what was read before it counts, and the cell is
// listed in `bad`. An empty VAT code becomes "1", one outside 1 to 3 counts
// and shows as "1"; "D" (or "d") adds the row to the total outside VAT and
// shows as "D". With `rewrite` the cells are stored back aligned (quantity,
// price as typed, VAT code, amount).
InvoiceTotals Calculef(LineGrid &grid, const std::array<double, 3> &rates, int decimals,
                       bool rewrite = true);

// The totals of the block start..end (the end marker excluded), read from
// its lines without building a card: for passes over every invoice. A
// validated block's kept figures when it has them; otherwise what Calculef
// gives with `rates`.
InvoiceTotals blockTotals(const RecordTable &table, qsizetype start, qsizetype end,
                          const std::array<double, 3> &rates, int decimals);
// The same with the rates already exact and without the texts: what a pass
// over every block uses.
InvoiceTotals blockFigures(const RecordTable &table, qsizetype start, qsizetype end,
                           const VatRates &rates, int decimals);

// The tagged line in which a validated invoice or order keeps the rates it
// was computed with and its figures per code: "TOTV", then TAB-separated,
// the three rates, per code the base with tax, the part without and the
// tax, the "D" lines and the total, each an exact decimal.
inline constexpr QByteArrayView kKeptTag = "TOTV";
QByteArray keptFiguresLine(const LineTotals &totals);
// The figures of such a line, with their texts in the amount format;
// nothing when the line is not one or does not read.
std::optional<LineTotals> readKeptFigures(QByteArrayView line, int decimals);
// The same figures without their texts.
std::optional<LineTotals> keptFigures(QByteArrayView line);
// A validated document's totals: `computed` (the line amounts and the cells
// that did not read) with the figures kept among `otherLines`, when there
// are some; `computed` itself for a draft or a block without them.
void applyKeptFigures(LineTotals &computed, bool validated, const QList<QByteArray> &otherLines,
                      int decimals);
// Validation: the kept figures of `totals` replace any among `otherLines`.
void keepFigures(QList<QByteArray> &otherLines, const LineTotals &totals);

// "Ligne 3 : 'abc' n'est pas une valeur en virgule flottante correcte".
QString badCellMessage(const LineGrid &grid, const BadCell &bad,
                       const LineColumns &columns = kInvoiceColumns);
