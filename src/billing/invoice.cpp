#include "invoice.h"

#include "store/block_lines.h"

#include "store/codec.h"
#include "store/text.h"

#include <charconv>

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

InvoiceFacts invoiceFacts(const RecordTable &t, qint64 n)
{
    const qsizetype start = t.blockStart(n);
    if (start < 0)
        return {};
    const qsizetype end = t.blockStop(start, n);
    const qsizetype validated = start + invoiceline::Validated;
    return {validated < end && t.line(validated) == "Y",
            numberLineText(t, start, end, invoiceline::Number, 4)};
}

VatRates exactRates(const std::array<double, 3> &rates)
{
    VatRates exact{};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::optional<Money> r = Money::fromReal(rates[k]);
        if (r && *r >= Money() && *r <= moneylimit::kRateMax)
            exact[k] = *r;
    }
    return exact;
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

template <typename View> std::optional<int> readInt(View v)
{
    v = trimmed(v);
    char buf[32];
    if (v.isEmpty() || v.size() >= qsizetype(sizeof buf))
        return std::nullopt;
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

// What one row gives: its amount, rounded once, its VAT code (0: none,
// kOutsideVat: "D"), and the cell that stopped its reading (column -1: none).
struct RowResult
{
    Money amount;
    int code = 0;
    int bad = -1;
    bool outOfRange = false;
    bool priceRead = false; // the reading reached the price's alignment
    bool vatWasEmpty = false;
    bool vatOutside = false; // a code outside 1 to 3, shown as "1"
    Money quantity, price, discount;
};

// A number cell within [low, high]; false, with the row's bad cell set, otherwise.
template <typename View>
bool readNumber(View cell, Money low, Money high, int column, RowResult &r, Money &out)
{
    Money value;
    const Money::Read read = Money::read(cell, value);
    if (read == Money::Read::Ok && value >= low && value <= high) {
        out = value;
        return true;
    }
    r.bad = column;
    r.outOfRange = read != Money::Read::NotNumber;
    return false;
}

// The row step of the totals, once the quantity is known not to be empty.
template <typename View>
RowResult readRow(const LineColumns &c, View quantityCell, View priceCell, View discountCell,
                  View vatCell, int decimals)
{
    using namespace moneylimit;
    RowResult r;
    Money quantity, price, discount;
    [&] {
        const qsizetype blank = quantityCell.indexOf(' ');
        const View q = blank < 0 ? quantityCell : quantityCell.first(blank);
        if (!q.isEmpty() && !readNumber(q, -kQuantity, kQuantity, c.quantity, r, quantity))
            return;
        if (!trimmed(priceCell).isEmpty() &&
            !readNumber(priceCell, -kPrice, kPrice, c.price, r, price))
            return;
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
        if (!trimmed(discountCell).isEmpty())
            readNumber(discountCell, kDiscountMin, kDiscountMax, c.discount, r, discount);
    }();
    // A row's amount stays under a thousand billion, so that the sums of a
    // grid of a few hundred rows stay far inside the exact type's range.
    constexpr Money kRowLimit = Money::whole(1'000'000'000'000);
    const std::optional<Money> amount = lineAmount(quantity, price, discount, decimals);
    r.quantity = quantity;
    r.price = price;
    r.discount = discount;
    if (amount && *amount <= kRowLimit && *amount >= -kRowLimit) {
        r.amount = *amount;
    } else if (r.bad < 0) {
        r.bad = c.amount;
        r.outOfRange = true;
    }
    return r;
}

// The sums of the rows go into the bases until finish() knows whether
// they include the tax.
void addRow(LineTotals &totals, std::array<Money, 3> &bases, const RowResult &r, int row)
{
    if (r.code == kOutsideVat) {
        totals.outsideVat += r.amount;
    } else if (r.code > 0) {
        bases[std::size_t(r.code - 1)] += r.amount;
        totals.used[std::size_t(r.code - 1)] = true;
    }
    if (r.bad >= 0)
        totals.bad << BadCell{row, r.bad, r.outOfRange};
}

void finish(LineTotals &r, const std::array<Money, 3> &bases, const VatRates &rates, int decimals,
            bool pricesIncludeTax)
{
    const Money hundred = Money::whole(100);
    r.rates = rates;
    r.total = r.totalVat = r.totalExclusive = Money();
    for (std::size_t k = 0; k < 3; ++k) {
        const Money base = bases[k];
        if (pricesIncludeTax) {
            r.inclusive[k] = base;
            r.vat[k] = base.mulDiv(rates[k], hundred + rates[k], decimals).value_or(Money());
            r.exclusive[k] = base - r.vat[k];
        } else {
            r.exclusive[k] = base;
            r.vat[k] = base.mulDiv(rates[k], hundred, decimals).value_or(Money());
            r.inclusive[k] = base + r.vat[k];
        }
        r.total += r.inclusive[k];
        r.totalVat += r.vat[k];
        r.totalExclusive += r.exclusive[k];
    }
    // Débours are paid over as collected: no VAT, no income.
    r.total += r.outsideVat;
}

// One grid row: read, then its cells aligned as the grid shows them.
void computeRow(const LineColumns &c, QStringList &cells, int row, bool rewrite, int decimals,
                LineTotals &totals, std::array<Money, 3> &bases)
{
    if (cells.size() < c.count)
        cells.resize(c.count);
    const QString quantity = cells[c.quantity].trimmed();
    if (rewrite)
        cells[c.quantity] = text::Rset(quantity, c.quantityWidth);
    if (quantity.isEmpty())
        return;
    const RowResult r = readRow<QStringView>(c, quantity, cells[c.price], cells[c.discount],
                                             cells[c.vat], decimals);
    addRow(totals, bases, r, row);
    if (!rewrite)
        return;
    // The price stays as typed: only its alignment changes.
    if (r.priceRead)
        cells[c.price] = text::Rset(cells[c.price], kAmountWidth);
    if (r.code == kOutsideVat)
        cells[c.vat] = kOutsideVatCode.toString();
    else if (r.vatWasEmpty || r.vatOutside)
        cells[c.vat] = QStringLiteral("1");
    cells[c.amount] = text::Rset(r.amount.format(decimals), kAmountWidth);
}

} // namespace

std::optional<RowFigures> rowFigures(const QStringList &cells, const LineColumns &c, int decimals)
{
    const QString quantity = cells.value(c.quantity).trimmed();
    if (quantity.isEmpty())
        return std::nullopt;
    const QString price = cells.value(c.price), discount = cells.value(c.discount),
                  vat = cells.value(c.vat);
    const RowResult r = readRow<QStringView>(c, quantity, price, discount, vat, decimals);
    return RowFigures{r.quantity, r.price, r.discount, r.amount,
                      r.code == kOutsideVat ? RowFigures::kOutside : r.code};
}

LineTotals lineTotals(LineGrid &grid, const LineColumns &c, const VatRates &rates, int decimals,
                      bool pricesIncludeTax, bool rewrite)
{
    LineTotals r;
    std::array<Money, 3> bases{};
    for (int row = 1; row <= grid.rows(); ++row) {
        if (grid.row(row)[c.quantity].isEmpty())
            continue; // nothing to read or align
        QStringList cells = grid.row(row);
        computeRow(c, cells, row, rewrite, decimals, r, bases);
        for (int col = 0; col < c.count; ++col)
            grid.setCell(row, col, cells[col]);
    }
    for (qsizetype i = 0; i < grid.more.size(); ++i)
        computeRow(c, grid.more[i], grid.rows() + int(i) + 1, rewrite, decimals, r, bases);
    finish(r, bases, rates, decimals, pricesIncludeTax);
    r.setTexts(decimals);
    return r;
}

InvoiceTotals Calculef(LineGrid &grid, const std::array<double, 3> &rates, int decimals,
                       bool rewrite)
{
    return lineTotals(grid, kInvoiceColumns, exactRates(rates), decimals, true, rewrite);
}

void LineTotals::setTexts(int decimals)
{
    totalText = total.format(decimals);
    outsideVatText = outsideVat.format(decimals);
    vatText = totalVat.format(decimals);
    exclusiveText = totalExclusive.format(decimals);
}

InvoiceTotals blockTotals(const RecordTable &t, qsizetype start, qsizetype end,
                          const std::array<double, 3> &rates, int decimals)
{
    InvoiceTotals r = blockFigures(t, start, end, exactRates(rates), decimals);
    r.setTexts(decimals);
    return r;
}

InvoiceTotals blockFigures(const RecordTable &t, qsizetype start, qsizetype end,
                           const VatRates &rates, int decimals)
{
    using namespace invoicecol;
    const bool validated =
        start + invoiceline::Validated < end && t.line(start + invoiceline::Validated) == "Y";
    if (validated) {
        // The kept figures stand after the grid's lines and the memo.
        for (qsizetype i = end - 1; i >= start + invoiceline::FirstTagged; --i) {
            const QByteArrayView l = t.line(i);
            if (l.startsWith("FACT"))
                break;
            if (l.startsWith(kKeptTag))
                if (std::optional<LineTotals> kept = keptFigures(l))
                    return *kept;
        }
    }
    InvoiceTotals r;
    std::array<Money, 3> bases{};
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
        addRow(
            r, bases,
            readRow(kInvoiceColumns, quantity, cells[Price], cells[Discount], cells[Vat], decimals),
            row);
    }
    finish(r, bases, rates, decimals, true);
    return r;
}

QByteArray keptFiguresLine(const LineTotals &t)
{
    QStringList fields;
    for (const Money &rate : t.rates)
        fields << rate.exact();
    for (std::size_t k = 0; k < 3; ++k)
        fields << t.inclusive[k].exact() << t.exclusive[k].exact() << t.vat[k].exact();
    fields << t.outsideVat.exact() << t.total.exact();
    return kKeptTag.toByteArray() + fields.join(u'\t').toLatin1();
}

std::optional<LineTotals> readKeptFigures(QByteArrayView line, int decimals)
{
    std::optional<LineTotals> t = keptFigures(line);
    if (t)
        t->setTexts(decimals);
    return t;
}

std::optional<LineTotals> keptFigures(QByteArrayView line)
{
    if (!line.startsWith(kKeptTag))
        return std::nullopt;
    constexpr int kFields = 3 + 9 + 2;
    std::array<Money, kFields> v;
    qsizetype from = kKeptTag.size();
    for (int i = 0; i < kFields; ++i) {
        qsizetype tab = line.indexOf('\t', from);
        if ((tab < 0) != (i == kFields - 1))
            return std::nullopt;
        if (tab < 0)
            tab = line.size();
        const std::optional<Money> m = Money::parse(line.sliced(from, tab - from));
        if (!m)
            return std::nullopt;
        v[std::size_t(i)] = *m;
        from = tab + 1;
    }
    LineTotals t;
    t.kept = true;
    for (std::size_t k = 0; k < 3; ++k) {
        t.rates[k] = v[k];
        t.inclusive[k] = v[3 + 3 * k];
        t.exclusive[k] = v[4 + 3 * k];
        t.vat[k] = v[5 + 3 * k];
        // Figures that do not add up are no kept figures.
        if (t.exclusive[k] + t.vat[k] != t.inclusive[k])
            return std::nullopt;
        t.used[k] = !t.inclusive[k].isZero();
        t.totalExclusive += t.exclusive[k];
        t.totalVat += t.vat[k];
    }
    t.outsideVat = v[12];
    t.total = v[13];
    if (t.totalExclusive + t.totalVat + t.outsideVat != t.total)
        return std::nullopt;
    return t;
}

void applyKeptFigures(LineTotals &computed, bool validated, const QList<QByteArray> &otherLines,
                      int decimals)
{
    if (!validated)
        return;
    for (const QByteArray &l : otherLines) {
        if (std::optional<LineTotals> kept = readKeptFigures(l, decimals)) {
            kept->used = computed.used;
            kept->bad = computed.bad;
            computed = *kept;
            return;
        }
    }
}

void keepFigures(QList<QByteArray> &otherLines, const LineTotals &totals)
{
    otherLines.removeIf([](const QByteArray &l) { return l.startsWith(kKeptTag); });
    otherLines << keptFiguresLine(totals);
}

QString badCellMessage(const LineGrid &grid, const BadCell &bad, const LineColumns &columns)
{
    const QString cell = bad.row <= grid.rows()
                             ? grid.cell(bad.row, bad.column)
                             : grid.more[bad.row - grid.rows() - 1].value(bad.column);
    QString shown = cell.trimmed();
    if (bad.column == columns.quantity)
        shown = shown.left(shown.indexOf(u' '));
    QString error;
    if (!bad.outOfRange)
        error = bad.column == columns.vat ? text::intError(shown) : text::realError(shown);
    else if (bad.column == columns.quantity)
        error = QStringLiteral("'%1' : la quantité va de -1 000 000 à 1 000 000, avec quatre "
                               "décimales au plus")
                    .arg(shown);
    else if (bad.column == columns.price)
        error = QStringLiteral("'%1' : le prix va de -1 000 000 000 à 1 000 000 000, avec quatre "
                               "décimales au plus")
                    .arg(shown);
    else if (bad.column == columns.discount)
        error = QStringLiteral("'%1' : la remise va de -100 à 100 %, avec quatre décimales au plus")
                    .arg(shown);
    else
        error = QStringLiteral("le montant de la ligne dépasse mille milliards");
    return QStringLiteral("Ligne %1 : %2").arg(bad.row).arg(error);
}
