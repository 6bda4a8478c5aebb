#pragma once

#include "billing/invoice.h"
#include "billing/invoice_list.h"
#include "billing/line_grid.h"

#include "store/record_table.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Lines of an order block, counted from its start marker: the number line
// ("NUM" + the number field), the date, the supplier code, the payment
// conditions, four address lines, the prices' tax ("TTCN" without, "TTCY"
// with), the validated flag, then the tagged lines.
namespace orderline {
enum : int { Number = 1, Date, Supplier, Payment, Address, Tax = 9, Validated, FirstTagged };
}

// Columns of the order grid.
namespace ordercol {
enum : int { Ref, Designation, Quantity, Price, Discount, Amount, Vat, Count };
}

inline constexpr LineColumns kOrderColumns{ordercol::Quantity,
                                           ordercol::Price,
                                           ordercol::Discount,
                                           ordercol::Amount,
                                           ordercol::Vat,
                                           ordercol::Count,
                                           80,
                                           false};

// The order as the page shows it.
struct OrderCard
{
    static constexpr int kRows = 63;

    QString number; // the number field as typed
    QDate date;
    QString supplier, payment;
    std::array<QString, 4> address;
    bool pricesWithTax = false; // "Commande TTC" rather than "Commande H.T."
    bool validated = false;
    LineGrid lines{ordercol::Count, kRows};
    QStringList memo;
    // Lines of the block that are neither an order line nor a memo line,
    // written back after them as they were.
    QList<QByteArray> otherLines;
};

// The grid's headings; the amount's follows the prices' tax.
QStringList orderHeadings(bool pricesWithTax);
// The payment conditions offered.
QStringList orderPaymentTerms();

// The order number of a block's number line ("NUM" + digits, blanks
// around them allowed); nothing for any other text.
std::optional<qint64> orderNumberValue(QByteArrayView numberLine);

// The block of an order, both markers included: the header, every grid
// row that holds something, the rows kept apart, the memo, the other lines.
QList<QByteArray> orderBlockLines(const OrderCard &card, const RecordTable &table, qint64 block);

// Fills a card (already cleared) from the block lines start..end (the end
// marker excluded). Each header field is read on its own: a date that does
// not read leaves its field as it was. Order and memo lines are read after
// the header, every one of them, to the end of the block.
void readOrderBlock(OrderCard &card, const RecordTable &table, qsizetype start, qsizetype end);

// `Calculec`: every line amount and the three totals. With prices without
// tax (`CalculHT2`) the tax is added to the sums; with prices including
// tax (`CalculTTC2`) it is taken out of them.
LineTotals Calculec(LineGrid &grid, bool pricesWithTax, const std::array<double, 3> &rates,
                    int decimals);

// The totals of an order as every reader takes them: a validated order's
// kept figures when its block has them, otherwise Calculec's.
LineTotals orderTotals(OrderCard &card, const std::array<double, 3> &rates, int decimals);

// The order list (`ListCmd`): number, date, supplier code and the first
// two address lines of every order block.
class OrderList : public BlockList
{
public:
    explicit OrderList(const RecordTable &table);
};
