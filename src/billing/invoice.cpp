#include "invoice.h"

#include "store/block_lines.h"

#include "store/codec.h"
#include "store/text.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int kQuantityWidth = 60;
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
    for (const QStringList &row : c.lines.rowsToWrite())
        lines << LineGrid::joinCells("FACT", row);
    for (const QString &m : c.memo)
        lines << "MEMO" + cp1252::encode(m);
    lines << c.otherLines;
    lines << t.endMarker(number);
    return lines;
}

void readInvoiceBlock(InvoiceCard &c, const RecordTable &t, qsizetype start, qsizetype end)
{
    using namespace invoiceline;
    const BlockReader block{t, start, end};
    auto field = [&](int offset) { return block.text(offset); };
    auto date = [&](int offset, QDate &d) { block.date(offset, d); };
    if (start + Number < end) {
        const QByteArrayView l = t.line(start + Number);
        c.number = cp1252::decode(l.size() > 4 ? l.sliced(4) : QByteArrayView()).trimmed();
    }
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

    for (qsizetype i = start + FirstTagged; i < end; ++i) {
        const QByteArrayView l = t.line(i);
        if (l.startsWith("FACT"))
            c.lines.appendRead(c.lines.splitCells(cp1252::decode(l.sliced(4))));
        else if (l.startsWith("MEMO"))
            c.memo << cp1252::decode(l.sliced(4));
        else
            c.otherLines << l.toByteArray();
    }
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

// What one row gives: its amount, its VAT code (0: none), and the column of
// the cell that stopped its reading (-1: none).
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

// The row step of Calculef, once the quantity is known not to be empty.
template <typename View>
RowResult readRow(View quantityCell, View priceCell, View discountCell, View vatCell)
{
    using namespace invoicecol;
    RowResult r;
    double quantity = 0, discount = 0;
    [&] {
        const qsizetype blank = quantityCell.indexOf(' ');
        const View q = blank < 0 ? quantityCell : quantityCell.first(blank);
        if (!q.isEmpty()) {
            const auto v = readReal(q);
            if (!v)
                return void(r.bad = Quantity);
            quantity = *v;
        }
        if (!trimmed(priceCell).isEmpty()) {
            const auto v = readReal(priceCell);
            if (!v)
                return void(r.bad = Price);
            r.price = *v;
        }
        r.priceRead = true;
        r.vatWasEmpty = vatCell.isEmpty();
        const auto t = r.vatWasEmpty ? std::optional<int>(1) : readInt(vatCell);
        if (!t)
            return void(r.bad = Vat);
        r.code = *t >= 1 && *t <= 3 ? *t : 1;
        r.vatOutside = *t < 1 || *t > 3;
        if (!trimmed(discountCell).isEmpty()) {
            const auto v = readReal(discountCell);
            if (!v)
                return void(r.bad = Discount);
            discount = *v;
        }
    }();
    r.amount = quantity * r.price;
    r.amount = r.amount - r.amount * discount / 100;
    return r;
}

void addRow(InvoiceTotals &totals, const RowResult &r, int row)
{
    if (r.code > 0)
        totals.inclusive[std::size_t(r.code - 1)] += r.amount;
    if (r.bad >= 0)
        totals.bad << BadCell{row, r.bad};
}

void finish(InvoiceTotals &r, const std::array<double, 3> &rates, int decimals)
{
    for (std::size_t k = 0; k < 3; ++k) {
        r.exclusive[k] = r.inclusive[k] / (rates[k] / 100 + 1);
        r.vat[k] = r.inclusive[k] - r.exclusive[k];
    }
    r.total = r.inclusive[0] + r.inclusive[1] + r.inclusive[2];
    r.totalVat = r.vat[0] + r.vat[1] + r.vat[2];
    r.totalText = text::formatAmount(r.total, decimals);
    r.vatText = text::formatAmount(r.totalVat, decimals);
}

// One grid row: read, then its cells aligned as the grid shows them.
void computeRow(QStringList &cells, int row, bool rewrite, int decimals, InvoiceTotals &totals)
{
    using namespace invoicecol;
    if (cells.size() < Count)
        cells.resize(Count);
    const QString quantity = cells[Quantity].trimmed();
    if (rewrite)
        cells[Quantity] = text::Rset(quantity, kQuantityWidth);
    if (quantity.isEmpty())
        return;
    const RowResult r = readRow<QStringView>(quantity, cells[Price], cells[Discount], cells[Vat]);
    addRow(totals, r, row);
    if (!rewrite)
        return;
    if (r.priceRead)
        cells[Price] = text::Rset(text::formatAmount(r.price, decimals), kAmountWidth);
    if (r.vatWasEmpty || r.vatOutside)
        cells[Vat] = QStringLiteral("1");
    cells[Amount] = text::Rset(text::formatAmount(r.amount, decimals), kAmountWidth);
}

} // namespace

InvoiceTotals Calculef(LineGrid &grid, const std::array<double, 3> &rates, int decimals,
                       bool rewrite)
{
    InvoiceTotals r;
    for (int row = 1; row <= grid.rows(); ++row) {
        if (grid.row(row)[invoicecol::Quantity].isEmpty())
            continue; // nothing to read or align
        QStringList cells = grid.row(row);
        computeRow(cells, row, rewrite, decimals, r);
        for (int c = 0; c < invoicecol::Count; ++c)
            grid.setCell(row, c, cells[c]);
    }
    for (qsizetype i = 0; i < grid.more.size(); ++i)
        computeRow(grid.more[i], grid.rows() + int(i) + 1, rewrite, decimals, r);
    finish(r, rates, decimals);
    return r;
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
        addRow(r, readRow(quantity, cells[Price], cells[Discount], cells[Vat]), row);
    }
    finish(r, rates, decimals);
    return r;
}

QString badCellMessage(const LineGrid &grid, const BadCell &bad)
{
    const QString cell = bad.row <= grid.rows()
                             ? grid.cell(bad.row, bad.column)
                             : grid.more[bad.row - grid.rows() - 1].value(bad.column);
    QString shown = cell.trimmed();
    if (bad.column == invoicecol::Quantity)
        shown = shown.left(shown.indexOf(u' '));
    const QString error =
        bad.column == invoicecol::Vat ? text::intError(shown) : text::realError(shown);
    return QStringLiteral("Ligne %1 : %2").arg(bad.row).arg(error);
}
