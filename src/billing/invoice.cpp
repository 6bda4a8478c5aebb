#include "invoice.h"

#include "store/block_lines.h"

#include "store/codec.h"
#include "store/text.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int kAmountWidth = 90;

QByteArray enc(const QString &s)
{
    return cp1252::encodeField(s);
}

QByteArray yn(bool on)
{
    return on ? "Y" : "N";
}

} // namespace

QStringList invoiceHeadings()
{
    return {QStringLiteral("Date"),           QStringLiteral("Code"),
            QStringLiteral("Désignation"),    text::Rset(u"Quantité", 60),
            text::Rset(u"Prix Unitaire", 86), QStringLiteral("R (%)"),
            text::Rset(u"Montant TTC", 88),   QStringLiteral("T")};
}

std::optional<qint64> invoiceNumberValue(QByteArrayView line)
{
    // Eighteen digits at most, so the value cannot overflow.
    return line.size() <= 4 ? std::nullopt : wholeNumber(line.sliced(4), 18);
}

QString numberLineText(const RecordTable &t, qsizetype start, qsizetype end, int offset,
                       int tagLength)
{
    if (start + offset >= end)
        return {};
    const QByteArrayView l = t.line(start + offset);
    return cp1252::decode(l.size() > tagLength ? l.sliced(tagLength) : QByteArrayView()).trimmed();
}

QString currencyLabel(const Settings &settings)
{
    return settings.currency == 1 ? settings.otherCurrency : QStringLiteral("Euros");
}

QList<QByteArray> invoiceBlockLines(const InvoiceCard &c, const RecordTable &t, qint64 number)
{
    QList<QByteArray> lines = {t.startMarker(number),
                               "NUMF" + cp1252::encode(c.number),
                               enc(text::dateText(c.date)),
                               enc(c.client),
                               enc(c.room),
                               enc(c.payment),
                               enc(text::dateText(c.stayFrom)),
                               enc(text::dateText(c.stayTo)),
                               enc(c.occupant),
                               enc(c.address[0]),
                               enc(c.address[1]),
                               enc(c.address[2]),
                               enc(c.address[3]),
                               yn(c.vatShown),
                               yn(c.validated)};
    appendTaggedLines(lines, "FACT", c.lines, c.memo, c.otherLines);
    lines << t.endMarker(number);
    return lines;
}

void readInvoiceBlock(InvoiceCard &c, const RecordTable &t, qsizetype start, qsizetype end)
{
    using namespace invoiceline;
    const BlockReader block{t, start, end};
    auto field = [&](int offset) { return block.text(offset); };
    auto date = [&](int offset, QDate &d) { block.date(offset, d); };
    c.number = numberLineText(t, start, end, Number, 4);
    date(Date, c.date);
    c.client = field(Client);
    c.room = field(Room);
    c.payment = field(Payment);
    date(StayFrom, c.stayFrom);
    date(StayTo, c.stayTo);
    c.occupant = field(Occupant);
    for (int i = 0; i < 4; ++i)
        c.address[std::size_t(i)] = field(Address + i);
    c.vatShown = field(VatShown) == u"Y";
    c.validated = field(Validated) == u"Y";

    readTaggedLines(t, start + FirstTagged, end, "FACT", c.lines, c.memo, c.otherLines);
}

namespace {

// Calculef reads the cells of the grid (QStringView) and the tool reads the
// lines of the table (Windows-1252 bytes) with one and the same code, so a
// figure the tool prints is the figure the page shows. Only ASCII takes part
// in a number: any other character makes it fail either way.
char16_t unit(QChar c)
{
    return c.unicode();
}

char16_t unit(char c)
{
    const auto u = uchar(c);
    return u < 0x80 || u == 0xA0 ? u : 0xFFFF; // 0xA0: the no-break space
}

bool isBlank(char16_t u)
{
    return u == 0x20 || (u >= 9 && u <= 13) || (u > 127 && u != 0xFFFF && QChar::isSpace(u));
}

template <typename View> View trimmed(View v)
{
    qsizetype b = 0, e = v.size();
    while (b < e && isBlank(unit(v[b])))
        ++b;
    while (e > b && isBlank(unit(v[e - 1])))
        --e;
    return v.sliced(b, e - b);
}

QString toQString(QStringView v)
{
    return v.toString();
}

QString toQString(QByteArrayView v)
{
    return cp1252::decode(v);
}

// As text::parseReal and text::parseInt, without allocating: the tool reads
// millions of cells.
template <typename View> std::optional<double> readReal(View v)
{
    v = trimmed(v);
    char buf[64];
    if (v.isEmpty() || v.size() >= qsizetype(sizeof buf))
        return v.isEmpty() ? std::nullopt : text::parseReal(toQString(v));
    qsizetype n = 0;
    for (qsizetype i = 0; i < v.size(); ++i) {
        const char16_t u = unit(v[i]);
        if (u == ',')
            buf[n++] = '.';
        else if ((u >= '0' && u <= '9') || u == '+' || u == '-' || u == 'e' || u == 'E')
            buf[n++] = char(u);
        else
            return std::nullopt;
    }
    const char *b = buf[0] == '+' ? buf + 1 : buf;
    double value = 0;
    const auto res = std::from_chars(b, buf + n, value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != buf + n || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template <typename View> std::optional<int> readInt(View v)
{
    v = trimmed(v);
    char buf[32];
    if (v.isEmpty() || v.size() >= qsizetype(sizeof buf))
        return v.isEmpty() ? std::nullopt : text::parseInt(toQString(v));
    qsizetype n = 0;
    for (qsizetype i = 0; i < v.size(); ++i) {
        const char16_t u = unit(v[i]);
        buf[n++] = u < 0x80 ? char(u) : '?';
    }
    const char *b = buf[0] == '+' ? buf + 1 : buf;
    int value = 0;
    const auto res = std::from_chars(b, buf + n, value);
    if (res.ec != std::errc() || res.ptr != buf + n)
        return std::nullopt;
    return value;
}

// The code a "D" row counts under.
constexpr int kOutsideVat = 4;

// What one row gives: its amount, its VAT code (0: none, kOutsideVat: "D"),
// and the column of the cell that stopped its reading (-1: none).
struct RowResult
{
    double price = 0;
    double amount = 0;
    int code = 0;
    int bad = -1;
    bool priceRead = false; // the reading reached the price's alignment
    bool vatWasEmpty = false;
    bool vatOutside = false; // a code outside 1 to 3, shown as "1"
};

// The row step of the totals, once the quantity is known not to be empty.
template <typename View>
RowResult readRow(const LineColumns &c, View quantityCell, View priceCell, View discountCell,
                  View vatCell)
{
    RowResult r;
    double quantity = 0, discount = 0;
    [&] {
        const qsizetype blank = quantityCell.indexOf(' ');
        const View q = blank < 0 ? quantityCell : quantityCell.first(blank);
        if (!q.isEmpty()) {
            const auto v = readReal(q);
            if (!v)
                return void(r.bad = c.quantity);
            quantity = *v;
        }
        if (!trimmed(priceCell).isEmpty()) {
            const auto v = readReal(priceCell);
            if (!v)
                return void(r.bad = c.price);
            r.price = *v;
        }
        r.priceRead = true;
        if (c.outsideVatCode) {
            const View code = trimmed(vatCell);
            if (code.size() == 1 && (unit(code[0]) == u'D' || unit(code[0]) == u'd'))
                r.code = kOutsideVat;
        }
        r.vatWasEmpty = vatCell.isEmpty();
        const auto t = r.code == kOutsideVat ? std::optional<int>(kOutsideVat)
                       : r.vatWasEmpty       ? std::optional<int>(1)
                                             : readInt(vatCell);
        if (!t)
            return void(r.bad = c.vat);
        if (r.code != kOutsideVat) {
            r.code = *t >= 1 && *t <= 3 ? *t : 1;
            r.vatOutside = *t < 1 || *t > 3;
        }
        if (!trimmed(discountCell).isEmpty()) {
            const auto v = readReal(discountCell);
            if (!v)
                return void(r.bad = c.discount);
            discount = *v;
        }
    }();
    r.amount = quantity * r.price;
    r.amount = r.amount - r.amount * discount / 100;
    return r;
}

// The sums of the rows go into `inclusive` until finish() knows whether
// they include the tax.
void addRow(LineTotals &totals, const RowResult &r, int row)
{
    if (r.code == kOutsideVat)
        totals.outsideVat += r.amount;
    else if (r.code > 0)
        totals.inclusive[std::size_t(r.code - 1)] += r.amount;
    if (r.bad >= 0)
        totals.bad << BadCell{row, r.bad};
}

void finish(LineTotals &r, const std::array<double, 3> &rates, int decimals, bool pricesIncludeTax)
{
    for (std::size_t k = 0; k < 3; ++k) {
        const double sum = r.inclusive[k];
        if (pricesIncludeTax) {
            r.exclusive[k] = sum / (rates[k] / 100 + 1);
            r.vat[k] = sum - r.exclusive[k];
        } else {
            r.exclusive[k] = sum;
            r.vat[k] = sum * rates[k] / 100;
            r.inclusive[k] = sum + r.vat[k];
        }
    }
    const double sums = r.inclusive[0] + r.inclusive[1] + r.inclusive[2];
    r.totalVat = r.vat[0] + r.vat[1] + r.vat[2];
    if (pricesIncludeTax) {
        r.total = sums;
        r.totalExclusive = sums - r.totalVat;
    } else {
        r.totalExclusive = r.exclusive[0] + r.exclusive[1] + r.exclusive[2];
        r.total = r.totalExclusive + r.totalVat;
    }
    // Débours are paid over as collected: no VAT, no income.
    r.total += r.outsideVat;
    r.totalText = text::formatAmount(r.total, decimals);
    r.outsideVatText = text::formatAmount(r.outsideVat, decimals);
    r.vatText = text::formatAmount(r.totalVat, decimals);
    r.exclusiveText = text::formatAmount(r.totalExclusive, decimals);
}

// One grid row: read, then its cells aligned as the grid shows them.
void computeRow(const LineColumns &c, QStringList &cells, int row, bool rewrite, int decimals,
                LineTotals &totals)
{
    if (cells.size() < c.count)
        cells.resize(c.count);
    const QString quantity = cells[c.quantity].trimmed();
    if (rewrite)
        cells[c.quantity] = text::Rset(quantity, c.quantityWidth);
    if (quantity.isEmpty())
        return;
    const RowResult r =
        readRow<QStringView>(c, quantity, cells[c.price], cells[c.discount], cells[c.vat]);
    addRow(totals, r, row);
    if (!rewrite)
        return;
    if (r.priceRead)
        cells[c.price] = text::Rset(text::formatAmount(r.price, decimals), kAmountWidth);
    if (r.code == kOutsideVat)
        cells[c.vat] = kOutsideVatCode.toString();
    else if (r.vatWasEmpty || r.vatOutside)
        cells[c.vat] = QStringLiteral("1");
    cells[c.amount] = text::Rset(text::formatAmount(r.amount, decimals), kAmountWidth);
}

} // namespace

LineTotals lineTotals(LineGrid &grid, const LineColumns &c, const std::array<double, 3> &rates,
                      int decimals, bool pricesIncludeTax, bool rewrite)
{
    LineTotals r;
    for (int row = 1; row <= grid.rows(); ++row) {
        if (grid.row(row)[c.quantity].isEmpty())
            continue; // nothing to read or align
        QStringList cells = grid.row(row);
        computeRow(c, cells, row, rewrite, decimals, r);
        for (int col = 0; col < c.count; ++col)
            grid.setCell(row, col, cells[col]);
    }
    for (qsizetype i = 0; i < grid.more.size(); ++i)
        computeRow(c, grid.more[i], grid.rows() + int(i) + 1, rewrite, decimals, r);
    finish(r, rates, decimals, pricesIncludeTax);
    return r;
}

InvoiceTotals Calculef(LineGrid &grid, const std::array<double, 3> &rates, int decimals,
                       bool rewrite)
{
    return lineTotals(grid, kInvoiceColumns, rates, decimals, true, rewrite);
}

InvoiceTotals blockTotals(const RecordTable &t, qsizetype start, qsizetype end,
                          const std::array<double, 3> &rates, int decimals)
{
    using namespace invoicecol;
    InvoiceTotals r;
    int row = 0;
    for (qsizetype i = start + invoiceline::FirstTagged; i < end; ++i) {
        const QByteArrayView l = t.line(i);
        if (!l.startsWith("FACT"))
            continue;
        ++row;
        // The cells as the grid splits them: the last keeps any further TAB.
        std::array<QByteArrayView, Count> cells;
        qsizetype from = 4;
        for (int c = 0; c < Count - 1; ++c) {
            const qsizetype tab = l.indexOf('\t', from);
            if (tab < 0) {
                cells[std::size_t(c)] = l.sliced(from);
                from = l.size();
                break;
            }
            cells[std::size_t(c)] = l.sliced(from, tab - from);
            from = tab + 1;
        }
        if (cells[Vat].isEmpty() && from < l.size())
            cells[Vat] = l.sliced(from);
        const QByteArrayView quantity = trimmed(cells[Quantity]);
        if (quantity.isEmpty())
            continue;
        addRow(r, readRow(kInvoiceColumns, quantity, cells[Price], cells[Discount], cells[Vat]),
               row);
    }
    finish(r, rates, decimals, true);
    return r;
}

QString badCellMessage(const LineGrid &grid, const BadCell &bad, const LineColumns &columns)
{
    const QString cell = bad.row <= grid.rows()
                             ? grid.cell(bad.row, bad.column)
                             : grid.more[bad.row - grid.rows() - 1].value(bad.column);
    QString shown = cell.trimmed();
    if (bad.column == columns.quantity)
        shown = shown.left(shown.indexOf(u' '));
    const QString error =
        bad.column == columns.vat ? text::intError(shown) : text::realError(shown);
    return QStringLiteral("Ligne %1 : %2").arg(bad.row).arg(error);
}
