#include "journal.h"

#include "statistics.h"

#include "billing/main_courante.h"
#include "purchasing/order.h"
#include "store/codec.h"
#include "store/text.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

// Two decimals and a comma, whatever the amount format, written at `b`
// (at most 24 characters); returns the end.
char *writeFecAmount(char *b, qint64 value, int decimals)
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
        *b++ = '-';
    while (n > 0)
        *b++ = digits[--n];
    return b;
}

QByteArray fecAmount(qint64 value, int decimals)
{
    char buffer[24];
    return QByteArray(buffer, writeFecAmount(buffer, value, decimals) - buffer);
}

// One document to post, with what orders the journal: its figures are in
// the list of its kind at `index`.
struct Document
{
    qint64 day = 0; // Julian day
    int kind = 0;   // 0 invoice, 1 order, 2 a day of the main courante
    int index = 0;
};

// What an order's entry takes from its block.
struct OrderFigures
{
    QDate date;
    QString number, supplier, name;
    Money total;
    std::array<Money, 3> rates, exclusive, vat;
};

// The accounts the journal uses, worked out once for every line: their
// numbers, and the account each one is (itself, or the fallback whose
// number it takes).
struct Chart
{
    std::array<QString, account::Count> numbers;
    std::array<int, account::Count> index{};
};

// A line of `amount` on the debit side, or on the credit side when the
// amount is negative (a credit note); nothing when it is zero. Its label is
// the head's, with `labelEnd` after it.
void post(QList<JournalLine> &lines, const JournalLine &head, int account, const Chart &chart,
          qint64 amount, bool debit, const QString &labelEnd = {})
{
    if (amount == 0)
        return;
    // Made field by field: a journal of ten years has 300,000 lines.
    JournalLine &l = lines.emplace_back();
    l.date = head.date;
    l.code = head.code;
    l.accountIndex = chart.index[std::size_t(account)];
    l.account = chart.numbers[std::size_t(account)];
    l.label = labelEnd.isEmpty() ? head.label : head.label + labelEnd;
    l.entry = head.entry;
    l.piece = head.piece;
    l.auxCode = head.auxCode;
    l.auxName = head.auxName;
    if (amount < 0) {
        amount = -amount;
        debit = !debit;
    }
    (debit ? l.debit : l.credit) = amount;
}

// The labels' endings of each VAT code's rate (" HT 10 %", " TVA 10 %"),
// made once for a rate that stays the same from one document to the next.
struct RateTexts
{
    std::array<std::optional<Money>, 3> rate;
    std::array<QString, 3> exclusive, vat;

    void follow(std::size_t code, Money r)
    {
        if (rate[code] == r)
            return;
        rate[code] = r;
        const QString text = r.exact() + QStringLiteral(" %");
        exclusive[code] = QStringLiteral(" HT ") + text;
        vat[code] = QStringLiteral(" TVA ") + text;
    }
};

// Per VAT code used, the part without tax on `income` (the code's own
// account when `income` is the first of three, else that one account) and
// the tax on the code's tax account, the rate in their labels. Together
// they come to `whole`: what the document's figures could leave over is put
// on the last part without tax, so that the entry balances whatever they hold.
void postByRate(QList<JournalLine> &lines, const JournalLine &head, const Chart &chart, int income,
                int vat, const std::array<Money, 3> &rates, const std::array<Money, 3> &exclusive,
                const std::array<Money, 3> &tax, qint64 whole, int decimals, bool debit,
                RateTexts &texts)
{
    std::array<qint64, 3> base{}, vatUnits{};
    qint64 sum = 0;
    int last = -1;
    for (std::size_t c = 0; c < 3; ++c) {
        base[c] = exclusive[c].inFormatUnits(decimals);
        vatUnits[c] = tax[c].inFormatUnits(decimals);
        sum += base[c] + vatUnits[c];
        if (base[c] != 0 || vatUnits[c] != 0)
            last = int(c);
    }
    base[std::size_t(std::max(last, 0))] += whole - sum;
    const bool perRate = income == account::Revenus1;
    for (std::size_t c = 0; c < 3; ++c) {
        if (base[c] == 0 && vatUnits[c] == 0)
            continue;
        texts.follow(c, rates[c]);
        post(lines, head, perRate ? income + int(c) : income, chart, base[c], debit,
             texts.exclusive[c]);
        post(lines, head, vat + int(c), chart, vatUnits[c], debit, texts.vat[c]);
    }
}

// Text to ISO-8859-15 written at `b` (one byte a character); returns the end.
char *writeLatin9(char *b, QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0xA4) { // most of it: the same byte
            *b++ = char(u);
            continue;
        }
        switch (u) {
        case 0x20AC: *b = char(0xA4); break; // €
        case 0x0160: *b = char(0xA6); break; // Š
        case 0x0161: *b = char(0xA8); break; // š
        case 0x017D: *b = char(0xB4); break; // Ž
        case 0x017E: *b = char(0xB8); break; // ž
        case 0x0152: *b = char(0xBC); break; // Œ
        case 0x0153: *b = char(0xBD); break; // œ
        case 0x0178: *b = char(0xBE); break; // Ÿ
        case 0xA4: case 0xA6: case 0xA8: case 0xB4: case 0xB8: case 0xBC: case 0xBD: case 0xBE:
            *b = '?'; // their places hold the letters above
            break;
        default:
            *b = u < 0x100 ? char(u) : '?';
        }
        ++b;
    }
    return b;
}

// A field of the FEC: trimmed, in ISO-8859-15, a TAB or line end inside it
// (which would shift the columns) made a blank, then its TAB.
char *writeFecField(char *b, QStringView text)
{
    if (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()))
        text = text.trimmed();
    // Most texts are printable characters that keep their code: copied in
    // two plain loops the compiler makes short work of.
    const char16_t *from = text.utf16();
    const qsizetype n = text.size();
    bool plain = true;
    for (qsizetype i = 0; i < n; ++i)
        plain &= from[i] >= 0x20 && from[i] < 0xA4;
    if (plain) {
        for (qsizetype i = 0; i < n; ++i)
            b[i] = char(from[i]);
        b += n;
    } else {
        char *const start = b;
        b = writeLatin9(b, text);
        for (char *c = start; c != b; ++c) {
            if (*c == '\t' || *c == '\r' || *c == '\n')
                *c = ' ';
        }
    }
    *b++ = '\t';
    return b;
}

char *writeBytes(char *b, QByteArrayView bytes)
{
    std::memcpy(b, bytes.data(), std::size_t(bytes.size()));
    return b + bytes.size();
}

char *writeNumber(char *b, quint64 v)
{
    char digits[24];
    int n = 0;
    do
        digits[n++] = char('0' + v % 10);
    while ((v /= 10) > 0);
    while (n > 0)
        *b++ = digits[--n];
    return b;
}

const QString kDateFormat = QStringLiteral("yyyyMMdd");

} // namespace

int fallbackAccount(int index)
{
    using namespace account;
    if (index >= Revenus1 && index < TvaCollectee1)
        return Revenus;
    if (index >= TvaCollectee1 && index < TvaDeductible1)
        return TvaCollectee;
    if (index >= TvaDeductible1 && index < Divers)
        return TvaDeductible;
    return index == Divers ? Banque : -1;
}

QString accountNumber(const Accounts &accounts, int index)
{
    const QString stored = accounts[std::size_t(index)].trimmed();
    if (!stored.isEmpty())
        return stored;
    if (index < account::Edited)
        return kDefaultAccounts[std::size_t(index)].toString();
    if (const int base = fallbackAccount(index); base >= 0)
        return accountNumber(accounts, base);
    switch (index) {
    case account::Banque:
        return QStringLiteral("512000");
    case account::Caisse:
        return QStringLiteral("530000");
    case account::Depenses:
        return QStringLiteral("606000");
    default:
        return {};
    }
}

QString formatAccount(QStringView typed)
{
    const QString t = typed.trimmed().toString();
    if (t.isEmpty() || t.size() >= 6)
        return t;
    return t + QString(6 - t.size(), u'0');
}

AccountFields accountFields(const Accounts &stored)
{
    AccountFields fields;
    for (int i = 0; i < account::Count; ++i)
        fields[std::size_t(i)] = accountNumber(stored, i);
    return fields;
}

void storeAccountFields(Accounts &stored, const AccountFields &fields)
{
    // In order: a fallback is stored before the accounts that follow it.
    for (int i = 0; i < account::Count; ++i) {
        const QString number = formatAccount(fields[std::size_t(i)]);
        Accounts without = stored;
        without[std::size_t(i)].clear();
        stored[std::size_t(i)] =
            i >= account::Edited && number == accountNumber(without, i) ? QString() : number;
    }
}

QString accountFieldLabel(int index, const std::array<double, 3> &vatRates)
{
    const QString label = kAccountLabels[std::size_t(index)].trimmed().toString();
    if (index < account::Revenus1 || index >= account::Divers)
        return label;
    const int code = (index - account::Revenus1) % 3;
    const std::optional<Money> rate = Money::fromReal(vatRates[std::size_t(code)]);
    return rate ? label + QStringLiteral(" (%1 %)").arg(rate->exact()) : label;
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
    Chart chart;
    for (int i = 0; i < account::Count; ++i)
        chart.numbers[std::size_t(i)] = accountNumber(settings.accounts, i);
    // An account that takes its fallback's number is that account, and is
    // named as it is in the accountant's export.
    for (int i = 0; i < account::Count; ++i) {
        int index = i;
        for (int base = fallbackAccount(index);
             base >= 0 && chart.numbers[std::size_t(base)] == chart.numbers[std::size_t(i)];
             base = fallbackAccount(base))
            index = base;
        chart.index[std::size_t(i)] = index;
    }

    // The documents first, then their lines posted once in journal order.
    InvoicePassSettings pass;
    pass.vatRates = settings.vatRates;
    pass.decimals = d;
    pass.texts = false;
    const QList<InvoiceFigures> invoices = invoiceFigures(set, pass);
    const QList<DayTakings> takings = takingsByDay(set);
    QList<OrderFigures> orders;
    QList<Document> documents;
    documents.reserve(invoices.size() + set.count(Table::Orders) + takings.size());
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
        orders.push_back({card.date, card.number.trimmed(), card.supplier.trimmed(),
                          card.address[0].trimmed(), totals.total, totals.rates, totals.exclusive,
                          totals.vat});
    }
    for (int i = 0; i < takings.size(); ++i)
        documents.push_back({takings[i].day.toJulianDay(), 2, i});
    // Invoices come in block order, then orders in block order, then the
    // days of the main courante: a stable sort by day keeps the rest of
    // the order.
    std::stable_sort(documents.begin(), documents.end(),
                     [](const Document &a, const Document &b) { return a.day < b.day; });

    const QString sale = QStringLiteral("VE"), purchase = QStringLiteral("AC"),
                  cash = QStringLiteral("CA"), bank = QStringLiteral("BQ");
    QList<JournalLine> lines;
    lines.reserve(5 * documents.size());
    RateTexts saleRates, purchaseRates;
    int number = 0;
    qsizetype before = 0;
    // Closes the entry begun at `before`, if it has lines.
    auto close = [&] {
        if (lines.size() > before)
            ++number;
        before = lines.size();
    };
    for (const Document &doc : std::as_const(documents)) {
        JournalLine head;
        head.entry = number + 1;
        if (doc.kind == 0) {
            const InvoiceFigures &f = invoices[doc.index];
            const bool creditNote = !f.cancels.isEmpty();
            head.date = f.date;
            head.code = sale;
            head.label =
                (creditNote ? QStringLiteral("Avoir ") : QStringLiteral("Facture ")) + f.number;
            head.piece = f.number;
            JournalLine client = head;
            if (creditNote)
                client.label += QStringLiteral(" sur facture ") + f.cancels;
            client.auxCode = f.client;
            client.auxName = f.name;
            const qint64 total = f.total.inFormatUnits(d);
            post(lines, client, account::Clients, chart, total, true);
            // The taxe de séjour ("D" lines) is owed to the commune.
            const qint64 tax = f.outsideVat.inFormatUnits(d);
            postByRate(lines, head, chart, account::Revenus1, account::TvaCollectee1, f.rates,
                       f.exclusiveByCode, f.vatByCode, total - tax, d, false, saleRates);
            post(lines, head, account::Taxe, chart, tax, false);
        } else if (doc.kind == 1) {
            const OrderFigures &o = orders[doc.index];
            head.date = o.date;
            head.code = purchase;
            head.label = QStringLiteral("Commande ") + o.number;
            head.piece = o.number;
            const qint64 total = o.total.inFormatUnits(d);
            postByRate(lines, head, chart, account::Achat, account::TvaDeductible1, o.rates,
                       o.exclusive, o.vat, total, d, true, purchaseRates);
            JournalLine supplier = head;
            supplier.auxCode = o.supplier;
            supplier.auxName = o.name;
            post(lines, supplier, account::Fournisseurs, chart, total, false);
        } else {
            const DayTakings &day = takings[doc.index];
            auto amount = [&](Payment p) { return day.amounts[std::size_t(p)].inFormatUnits(d); };
            head.date = day.day;
            head.label = QStringLiteral("Main courante du ") + text::dateText(day.day);
            head.piece = QStringLiteral("MC") + text::dayKey(day.day);
            // Cash taken settles the clients; expenses are paid from the till.
            head.code = cash;
            post(lines, head, account::Caisse, chart, amount(Payment::Especes), true);
            post(lines, head, account::Clients, chart, amount(Payment::Especes), false);
            post(lines, head, account::Depenses, chart, amount(Payment::Depenses), true);
            post(lines, head, account::Caisse, chart, amount(Payment::Depenses), false);
            close();
            head.entry = number + 1;
            head.code = bank;
            const qint64 banked = amount(Payment::Cheques) + amount(Payment::CB),
                         other = amount(Payment::Divers);
            if (chart.numbers[account::Divers] == chart.numbers[account::Banque]) {
                post(lines, head, account::Banque, chart, banked + other, true);
            } else {
                post(lines, head, account::Banque, chart, banked, true);
                post(lines, head, account::Divers, chart, other, true);
            }
            post(lines, head, account::Clients, chart, banked + other, false);
        }
        close();
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

QString journalName(QStringView code)
{
    if (code == u"VE")
        return QStringLiteral("Ventes");
    if (code == u"AC")
        return QStringLiteral("Achats");
    if (code == u"CA")
        return QStringLiteral("Caisse");
    return code == u"BQ" ? QStringLiteral("Banque") : QString();
}

JournalPrint journalPrintSheet(const QList<JournalLine> &lines, int decimals)
{
    JournalPrint out;
    out.sheet = journalSheet({}, decimals);
    out.sheet.rows.reserve(lines.size() + 5);
    auto totalRow = [&](const QString &label, qint64 debit, qint64 credit) {
        out.totalRows << int(out.sheet.rows.size());
        out.sheet.rows << QStringList{QString(),
                                      QString(),
                                      QString(),
                                      QString(),
                                      label,
                                      amountText(debit, decimals),
                                      amountText(credit, decimals)};
    };
    qint64 allDebit = 0, allCredit = 0;
    int number = 0;
    for (const QStringView code : {u"VE", u"AC", u"CA", u"BQ"}) {
        qint64 debit = 0, credit = 0;
        bool any = false;
        for (int i = 0; i < lines.size(); ++i) {
            const JournalLine &l = lines[i];
            if (l.code != code)
                continue;
            any = true;
            QStringList cells;
            for (int column = 0; column < out.sheet.columns.size(); ++column)
                cells << journalCell(lines, i, column, decimals);
            cells[0] = QString::number(++number);
            out.sheet.rows << cells;
            debit += l.debit;
            credit += l.credit;
        }
        if (!any)
            continue;
        totalRow(QStringLiteral("Total %1 (%2)").arg(journalName(code), code), debit, credit);
        allDebit += debit;
        allCredit += credit;
    }
    totalRow(QStringLiteral("Total de la période"), allDebit, allCredit);
    return out;
}

QString journalPrintTitle(QDate from, QDate to)
{
    return QStringLiteral("Journal du %1 au %2").arg(text::dateText(from), text::dateText(to));
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
    // The accounts' names, written once.
    std::array<QByteArray, account::Count> accountNames;
    for (std::size_t i = 0; i < accountNames.size(); ++i) {
        const QStringView name = kAccountLabels[i].trimmed();
        accountNames[i].resize(name.size() + 1);
        writeFecField(accountNames[i].data(), name);
    }
    auto journal = [](const QString &code) -> QByteArrayView {
        if (code == u"VE")
            return "VE\tVentes\t";
        if (code == u"AC")
            return "AC\tAchats\t";
        return code == u"CA" ? "CA\tCaisse\t" : "BQ\tBanque\t";
    };

    // Ten years of journal are some forty million characters: they are
    // written through a pointer into room made a line ahead.
    QByteArray bytes = latin9(header.join(u'\t')) + "\r\n";
    qsizetype at = bytes.size();
    bytes.resize(at + lines.size() * 150);
    int number = 0, previous = -1;
    QDate date;
    char day[8] = {};
    for (const JournalLine &l : lines) {
        // At most: the fixed parts and numbers in 160 bytes, then the texts.
        const qsizetype room = 160 + accountNames[std::size_t(l.accountIndex)].size() +
                               l.account.size() + l.auxCode.size() + l.auxName.size() +
                               l.piece.size() + l.label.size();
        if (bytes.size() - at < room)
            bytes.resize(std::max(bytes.size() * 3 / 2, at + room));
        if (l.entry != previous) {
            previous = l.entry;
            ++number;
        }
        if (l.date != date) {
            date = l.date;
            const QByteArray text = text::dayKey(date).toLatin1();
            std::memcpy(day, text.constData(), std::min<std::size_t>(sizeof day, std::size_t(text.size())));
        }
        const QByteArrayView dayText(day, sizeof day);
        char *b = bytes.data() + at;
        b = writeBytes(b, journal(l.code));
        b = writeNumber(b, quint64(number));
        *b++ = '\t';
        b = writeBytes(b, dayText);
        *b++ = '\t';
        b = writeFecField(b, l.account);
        b = writeBytes(b, accountNames[std::size_t(l.accountIndex)]);
        b = writeFecField(b, l.auxCode);
        b = writeFecField(b, l.auxName);
        b = writeFecField(b, l.piece);
        b = writeBytes(b, dayText);
        *b++ = '\t';
        b = writeFecField(b, l.label);
        b = writeFecAmount(b, l.debit, decimals);
        *b++ = '\t';
        b = writeFecAmount(b, l.credit, decimals);
        b = writeBytes(b, "\t\t\t");
        b = writeBytes(b, dayText);
        b = writeBytes(b, "\t\t\r\n");
        at = b - bytes.data();
    }
    bytes.truncate(at);
    return bytes;
}

QByteArray latin9(QStringView text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    writeLatin9(out.data(), text);
    return out;
}
