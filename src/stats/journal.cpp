#include "journal.h"

#include "statistics.h"

#include "purchasing/order.h"
#include "store/codec.h"
#include "store/text.h"

#include <algorithm>
#include <cmath>

namespace {

qint64 unitsPerAmount(int decimals)
{
    return decimals <= 0 ? 1 : decimals == 1 ? 10 : 100;
}

// An amount in the amount format, from its units: exact, with no rounding
// left to do; zero is an empty text (the journal shows no zero amount).
QString amountText(qint64 value, int decimals)
{
    if (value == 0)
        return {};
    const quint64 magnitude = quint64(value < 0 ? -value : value);
    char16_t digits[24];
    int n = 0;
    const int fraction = decimals <= 0 ? 0 : decimals == 1 ? 1 : 2;
    for (quint64 v = magnitude; n < fraction + 1 + (fraction > 0) || v > 0; v /= 10) {
        digits[n++] = char16_t(u'0' + v % 10);
        if (fraction > 0 && n == fraction)
            digits[n++] = u',';
    }
    if (value < 0)
        digits[n++] = u'-';
    std::reverse(digits, digits + n);
    return QString(reinterpret_cast<const QChar *>(digits), n);
}

// Two decimals and a comma, whatever the amount format, at the end of `out`.
void appendFecAmount(QByteArray &out, qint64 value, int decimals)
{
    const qint64 cents = value * (100 / unitsPerAmount(decimals));
    const quint64 magnitude = quint64(cents < 0 ? -cents : cents);
    char digits[24];
    int n = 0;
    for (quint64 v = magnitude; n < 4 || v > 0; v /= 10) {
        digits[n++] = char('0' + v % 10);
        if (n == 2)
            digits[n++] = ',';
    }
    if (cents < 0)
        out += '-';
    while (n > 0)
        out += digits[--n];
}

QByteArray fecAmount(qint64 value, int decimals)
{
    QByteArray out;
    appendFecAmount(out, value, decimals);
    return out;
}

// One document to post, with what orders the journal: its figures are in
// the list of its kind at `index`.
struct Document
{
    qint64 day = 0; // Julian day
    int kind = 0;   // 0 invoice, 1 order
    int index = 0;
};

// What an order's entry takes from its block.
struct OrderFigures
{
    QDate date;
    QString number, supplier, name;
    Money total, vat;
};

// The accounts the journal uses, worked out once for every line.
using AccountTexts = std::array<QString, account::Edited>;

// A line of `amount` on the debit side, or on the credit side when the
// amount is negative (a credit note); nothing when it is zero.
void post(QList<JournalLine> &lines, const JournalLine &head, int account, const AccountTexts &accounts,
          qint64 amount, bool debit)
{
    if (amount == 0)
        return;
    JournalLine &l = lines.emplace_back(head);
    l.accountIndex = account;
    l.account = accounts[std::size_t(account)];
    if (amount < 0) {
        amount = -amount;
        debit = !debit;
    }
    (debit ? l.debit : l.credit) = amount;
}

// Text to ISO-8859-15 at the end of `out`.
void appendLatin9(QByteArray &out, QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        char b;
        switch (u) {
        case 0x20AC: b = char(0xA4); break; // €
        case 0x0160: b = char(0xA6); break; // Š
        case 0x0161: b = char(0xA8); break; // š
        case 0x017D: b = char(0xB4); break; // Ž
        case 0x017E: b = char(0xB8); break; // ž
        case 0x0152: b = char(0xBC); break; // Œ
        case 0x0153: b = char(0xBD); break; // œ
        case 0x0178: b = char(0xBE); break; // Ÿ
        case 0xA4: case 0xA6: case 0xA8: case 0xB4: case 0xB8: case 0xBC: case 0xBD: case 0xBE:
            b = '?'; // their places hold the letters above
            break;
        default:
            b = u < 0x100 ? char(u) : '?';
        }
        out += b;
    }
}

const QString kDateFormat = QStringLiteral("yyyyMMdd");

} // namespace

QString accountNumber(const Accounts &accounts, int index)
{
    const QString stored = accounts[std::size_t(index)].trimmed();
    if (!stored.isEmpty() || index >= account::Edited)
        return stored;
    return kDefaultAccounts[std::size_t(index)].toString();
}

QString formatAccount(QStringView typed)
{
    const QString t = typed.trimmed().toString();
    if (t.isEmpty() || t.size() >= 6)
        return t;
    return t + QString(6 - t.size(), u'0');
}

std::array<QString, account::Edited> accountFields(const Accounts &stored)
{
    std::array<QString, account::Edited> fields;
    for (int i = 0; i < account::Edited; ++i)
        fields[std::size_t(i)] = accountNumber(stored, i);
    return fields;
}

void storeAccountFields(Accounts &stored, const std::array<QString, account::Edited> &fields)
{
    for (int i = 0; i < account::Edited; ++i)
        stored[std::size_t(i)] = formatAccount(fields[std::size_t(i)]);
}

QString JournalLine::text(int decimals) const
{
    return QStringList{text::dayKey(date), code, text::dateText(date), account, label,
                       amountText(debit, decimals), amountText(credit, decimals)}
        .join(u'\t');
}

QList<JournalLine> journalLines(const FileSet &set, const JournalSettings &settings)
{
    const int d = settings.decimals;
    AccountTexts acc;
    for (int i = 0; i < account::Edited; ++i)
        acc[std::size_t(i)] = accountNumber(settings.accounts, i);

    // The documents first, then their lines posted once in journal order.
    InvoicePassSettings pass;
    pass.vatRates = settings.vatRates;
    pass.decimals = d;
    const QList<InvoiceFigures> invoices = invoiceFigures(set, pass);
    QList<OrderFigures> orders;
    QList<Document> documents;
    documents.reserve(invoices.size() + set.count(Table::Orders));
    for (int i = 0; i < invoices.size(); ++i) {
        if (invoices[i].validated && invoices[i].date.isValid())
            documents.push_back({invoices[i].date.toJulianDay(), 0, i});
    }
    const RecordTable &t = set.table(Table::Orders);
    const int count = set.count(Table::Orders);
    for (int n = 0; n < count; ++n) {
        const qsizetype start = t.blockStart(n);
        if (start < 0)
            continue;
        const qsizetype end = t.blockStop(start, n);
        // The validated flag first: most orders of a long history are read
        // no further when they were never validated.
        if (start + orderline::Validated >= end || t.line(start + orderline::Validated) != "Y")
            continue;
        OrderCard card;
        readOrderBlock(card, t, start, end);
        if (!card.validated || !card.date.isValid())
            continue;
        const LineTotals totals = orderTotals(card, settings.vatRates, d);
        documents.push_back({card.date.toJulianDay(), 1, int(orders.size())});
        orders.push_back({card.date, card.number.trimmed(), card.supplier.trimmed(), card.address[0].trimmed(),
                          totals.total, totals.totalVat});
    }
    // Invoices come in block order, then orders in block order: a stable
    // sort by day keeps the rest of the order.
    std::stable_sort(documents.begin(), documents.end(),
                     [](const Document &a, const Document &b) { return a.day < b.day; });

    const QString sale = QStringLiteral("VE"), purchase = QStringLiteral("AC");
    QList<JournalLine> lines;
    lines.reserve(3 * documents.size());
    int number = 0;
    for (const Document &doc : std::as_const(documents)) {
        const qsizetype before = lines.size();
        JournalLine head;
        head.entry = number + 1;
        if (doc.kind == 0) {
            const InvoiceFigures &f = invoices[doc.index];
            head.date = f.date;
            head.code = sale;
            head.label = QStringLiteral("Facture ") + f.number;
            head.piece = f.number;
            // The taxe de séjour ("D" lines) is owed to the commune.
            const qint64 total = f.total.inFormatUnits(d), vat = f.vat.inFormatUnits(d),
                         tax = f.outsideVat.inFormatUnits(d);
            JournalLine client = head;
            client.auxCode = f.client;
            client.auxName = f.name;
            post(lines, client, account::Clients, acc, total, true);
            post(lines, head, account::Revenus, acc, f.exclusive.inFormatUnits(d), false);
            post(lines, head, account::TvaCollectee, acc, vat, false);
            post(lines, head, account::Taxe, acc, tax, false);
        } else {
            const OrderFigures &o = orders[doc.index];
            head.date = o.date;
            head.code = purchase;
            head.label = QStringLiteral("Commande ") + o.number;
            head.piece = o.number;
            const qint64 total = o.total.inFormatUnits(d), vat = o.vat.inFormatUnits(d);
            post(lines, head, account::Achat, acc, total - vat, true);
            post(lines, head, account::TvaDeductible, acc, vat, true);
            JournalLine supplier = head;
            supplier.auxCode = o.supplier;
            supplier.auxName = o.name;
            post(lines, supplier, account::Fournisseurs, acc, total, false);
        }
        if (lines.size() > before)
            ++number;
    }
    return lines;
}

std::optional<std::pair<QDate, QDate>> journalPeriod(const QList<JournalLine> &lines)
{
    if (lines.isEmpty())
        return std::nullopt;
    // Through the day keys, as the window's lines hold them.
    const QDate from = QDate::fromString(text::dayKey(lines.first().date), kDateFormat);
    const QDate to = QDate::fromString(text::dayKey(lines.last().date), kDateFormat);
    return std::pair{from, to};
}

QList<JournalLine> linesInPeriod(const QList<JournalLine> &lines, QDate from, QDate to)
{
    // The lines are in day order: the period is one stretch of them, and
    // the whole list when it covers them all (shared, not copied).
    if (from > to)
        return {};
    const auto first = std::lower_bound(lines.cbegin(), lines.cend(), from,
                                        [](const JournalLine &l, QDate d) { return l.date < d; });
    const auto last = std::upper_bound(first, lines.cend(), to,
                                       [](QDate d, const JournalLine &l) { return d < l.date; });
    if (first == lines.cbegin() && last == lines.cend())
        return lines;
    return lines.mid(first - lines.cbegin(), last - first);
}

QString journalCell(const QList<JournalLine> &lines, int row, int column, int decimals)
{
    const JournalLine &l = lines[row];
    switch (column) {
    case 0:
        return QString::number(row + 1);
    case 1:
        return l.code;
    case 2:
        return text::dateText(l.date);
    case 3:
        return l.account;
    case 4:
        return l.label;
    case 5:
        return amountText(l.debit, decimals);
    case 6:
        return amountText(l.credit, decimals);
    default:
        return {};
    }
}

GridSheet journalSheet(const QList<JournalLine> &lines, int decimals)
{
    GridSheet sheet;
    sheet.columns = {{QString(), 44, false},
                     {QStringLiteral("Jn"), 24, false},
                     {QStringLiteral("Date"), 78, false},
                     {QStringLiteral("Compte"), 59, false},
                     {QStringLiteral("Libellé"), 239, false},
                     {QStringLiteral("Débit"), 108, true},
                     {QStringLiteral("Crédit"), 110, true}};
    sheet.rows.reserve(lines.size());
    for (int row = 0; row < lines.size(); ++row) {
        QStringList cells;
        for (int column = 0; column < sheet.columns.size(); ++column)
            cells << journalCell(lines, row, column, decimals);
        sheet.rows.push_back(cells);
    }
    return sheet;
}

QByteArray journalExport(const QList<JournalLine> &lines, int decimals)
{
    QByteArray bytes;
    for (const JournalLine &l : lines) {
        const QString line = QStringList{text::dateText(l.date), l.account, l.label, l.code, QString(),
                                         amountText(l.debit, decimals), amountText(l.credit, decimals)}
                                 .join(u'\t');
        bytes += cp1252::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

QString fecFileName(const Company &company, QDate lastDay)
{
    QString siren;
    for (QChar c : company.lines[4]) {
        if (c.isDigit() && siren.size() < 9)
            siren += c;
    }
    return siren + QStringLiteral("FEC") + lastDay.toString(kDateFormat) + QStringLiteral(".txt");
}

QString fecBalanceError(const QList<JournalLine> &lines, int decimals)
{
    for (qsizetype i = 0; i < lines.size();) {
        qint64 debit = 0, credit = 0;
        const int entry = lines[i].entry;
        const QString label = lines[i].label;
        for (; i < lines.size() && lines[i].entry == entry; ++i) {
            debit += lines[i].debit;
            credit += lines[i].credit;
        }
        if (debit != credit)
            return QStringLiteral("L'écriture « %1 » n'est pas équilibrée : débit %2, crédit %3.")
                .arg(label, QString::fromLatin1(fecAmount(debit, decimals)),
                     QString::fromLatin1(fecAmount(credit, decimals)));
    }
    return {};
}

QByteArray fecBytes(const QList<JournalLine> &lines, int decimals)
{
    static const QStringList header = {
        QStringLiteral("JournalCode"), QStringLiteral("JournalLib"),   QStringLiteral("EcritureNum"),
        QStringLiteral("EcritureDate"), QStringLiteral("CompteNum"),   QStringLiteral("CompteLib"),
        QStringLiteral("CompAuxNum"),  QStringLiteral("CompAuxLib"),   QStringLiteral("PieceRef"),
        QStringLiteral("PieceDate"),   QStringLiteral("EcritureLib"),  QStringLiteral("Debit"),
        QStringLiteral("Credit"),      QStringLiteral("EcritureLet"),  QStringLiteral("DateLet"),
        QStringLiteral("ValidDate"),   QStringLiteral("Montantdevise"), QStringLiteral("Idevise")};
    QByteArray bytes = latin9(header.join(u'\t')) + "\r\n";
    bytes.reserve(lines.size() * 150);
    // TAB and line ends inside a text would shift the columns.
    auto field = [&bytes](QStringView text) {
        const qsizetype from = bytes.size();
        appendLatin9(bytes, text.trimmed());
        for (qsizetype i = from; i < bytes.size(); ++i) {
            if (bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')
                bytes[i] = ' ';
        }
        bytes += '\t';
    };
    const QByteArray sales = "VE\tVentes\t", purchases = "AC\tAchats\t";
    int number = 0, previous = -1;
    QDate date;
    QByteArray day;
    for (const JournalLine &l : lines) {
        if (l.entry != previous) {
            previous = l.entry;
            ++number;
        }
        if (l.date != date) {
            date = l.date;
            day = date.toString(kDateFormat).toLatin1();
        }
        bytes += l.code == u"VE" ? sales : purchases;
        bytes += QByteArray::number(number);
        bytes += '\t';
        bytes += day;
        bytes += '\t';
        field(l.account);
        field(kAccountLabels[std::size_t(l.accountIndex)].trimmed());
        field(l.auxCode);
        field(l.auxName);
        field(l.piece);
        bytes += day;
        bytes += '\t';
        field(l.label);
        appendFecAmount(bytes, l.debit, decimals);
        bytes += '\t';
        appendFecAmount(bytes, l.credit, decimals);
        bytes += "\t\t\t";
        bytes += day;
        bytes += "\t\t\r\n";
    }
    return bytes;
}

QByteArray latin9(QStringView text)
{
    QByteArray out;
    appendLatin9(out, text);
    return out;
}
