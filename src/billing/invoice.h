#pragma once

#include "line_grid.h"

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

// A cell that did not read as a number, for the page to show in red.
struct BadCell
{
    int row;
    int column;
    bool operator==(const BadCell &) const = default;
};

// What the totals of a line grid give: per VAT code the tax-included sum,
// the part without tax and the tax, the three totals with their texts and
// the cells that did not read.
struct LineTotals
{
    std::array<double, 3> inclusive{};
    std::array<double, 3> exclusive{};
    std::array<double, 3> vat{};
    double total = 0;
    double totalVat = 0;
    double totalExclusive = 0;
    // The "D" lines: in the total, in no VAT base nor in totalExclusive.
    double outsideVat = 0;
    QString totalText, vatText, exclusiveText; // in the amount format, not padded
    QString outsideVatText;
    QList<BadCell> bad;
};
using InvoiceTotals = LineTotals;

// The line step shared by invoices and orders, then the totals: each row's
// amount is quantity x price less the discount; the amounts add up by VAT
// code. With `pricesIncludeTax` the sums are tax-included and the tax is
// taken out of them; otherwise the tax is added to them.
LineTotals lineTotals(LineGrid &grid, const LineColumns &columns,
                      const std::array<double, 3> &rates, int decimals, bool pricesIncludeTax,
                      bool rewrite = true);

// Recomputes every line amount and the totals of the grid, rows kept apart
// included. A row whose quantity is empty is skipped. Otherwise its cells
// are read in order (quantity up to its first blank, price, VAT code,
// discount); a cell that does not read ends the row's reading, what was
// read before it counts, and the cell is listed in `bad`. An empty VAT code
// becomes "1", one outside 1 to 3 counts and shows as "1"; "D" (or "d")
// adds the row to the total outside VAT and shows as "D". With `rewrite`
// the cells are stored back aligned (quantity, price, VAT code, amount).
InvoiceTotals Calculef(LineGrid &grid, const std::array<double, 3> &rates, int decimals,
                       bool rewrite = true);

// The totals Calculef gives after reading the block start..end (the end
// marker excluded), read from its lines without building a card: for
// passes over every invoice.
InvoiceTotals blockTotals(const RecordTable &table, qsizetype start, qsizetype end,
                          const std::array<double, 3> &rates, int decimals);

// "Ligne 3 : 'abc' n'est pas une valeur en virgule flottante correcte".
QString badCellMessage(const LineGrid &grid, const BadCell &bad,
                       const LineColumns &columns = kInvoiceColumns);
