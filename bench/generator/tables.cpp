#include "tables.h"

#include "store/codec.h"
#include "store/text.h"

namespace {

const QChar kTab(u'\t');

// Lines of one table, encoded as they come.
class Writer
{
public:
    Writer(QString extension, int markerWidth) : markerWidth(markerWidth)
    {
        file.extension = std::move(extension);
    }

    void line(const QString &s)
    {
        file.bytes += cp1252::encode(s);
        file.bytes += "\r\n";
        ++file.lines;
    }
    void begin(int n) { line(QStringLiteral("<BLOC") + number(n) + QLatin1Char('>')); }
    void end(int n) { line(QStringLiteral("</BLOC") + number(n) + QLatin1Char('>')); }
    void tagged(const char *tag, const QStringList &lines)
    {
        for (const QString &l : lines)
            line(QLatin1String(tag) + l);
    }
    TableFile take() { return std::move(file); }

private:
    QString number(int n) const
    {
        return QString::number(n).rightJustified(markerWidth, QLatin1Char('0'));
    }

    int markerWidth;
    TableFile file;
};

// Dates and day keys, computed once per day of the span the tables use.
class Days
{
public:
    explicit Days(int first, int last) : base(first)
    {
        for (int d = first; d <= last; ++d) {
            const QDate q = QDate::fromJulianDay(d);
            texts.push_back(text::dateText(q));
            keys.push_back(text::dayKey(q));
        }
    }
    const QString &text(int day) const { return texts[size_t(day - base)]; }
    const QString &key(int day) const { return keys[size_t(day - base)]; }

private:
    int base;
    std::vector<QString> texts, keys;
};

QString amount(double v)
{
    return text::formatAmount(v, 2);
}

QString yn(bool b)
{
    return b ? QStringLiteral("Y") : QStringLiteral("N");
}

QString code(int index)
{
    return QString::number(10001 + index);
}

QString postcodeTown(const QString &postcode, const QString &town)
{
    return postcode + QLatin1Char(' ') + town;
}

// Amounts, quantities and prices are stored trimmed: every reader trims them
// and pads them again for display.
QString itemCells(const Days &days, const Article &a, const ItemLine &l, int articleCode,
                  bool invoice)
{
    const QString discount = l.discount ? QString::number(l.discount) : QString();
    const QString vat = l.vat == kOutsideVat ? QStringLiteral("D") : QString::number(l.vat);
    if (invoice)
        return days.text(l.day) + kTab + QString::number(articleCode) + kTab + a.designation +
               kTab + l.quantityText + kTab + amount(l.price) + kTab + discount + kTab +
               amount(l.amount()) + kTab + vat;
    return QString::number(articleCode) + kTab + a.designation + kTab + l.quantityText + kTab +
           amount(l.price) + kTab + discount + kTab + amount(l.amount()) + kTab + vat;
}

TableFile clients(const Hotel &h, const Days &days)
{
    Writer w(QStringLiteral("htl"), 5);
    // Each guest's stays before the one the card shows: the departures and
    // cancellations the program kept in the card's history.
    std::vector<std::vector<int>> earlier(h.clients.size());
    for (int k = 0; k < int(h.stays.size()); ++k) {
        const Stay &s = h.stays[size_t(k)];
        if (s.client >= 0 && k != h.clients[size_t(s.client)].lastStay &&
            (s.situation == Departed || s.situation == Cancelled))
            earlier[size_t(s.client)].push_back(k);
    }
    for (int i = 0; i < int(h.clients.size()); ++i) {
        const Client &c = h.clients[size_t(i)];
        const Stay &s = h.stays[size_t(c.lastStay)];
        const bool inRoom = s.situation != Departed; // a departure empties "Chambre"
        QString due;
        if (s.situation == Present) {
            due = s.invoice >= 0 ? amount(h.invoices[size_t(s.invoice)].total)
                                 : amount(h.rooms[size_t(s.room)].price * (h.today - s.first + 1));
        }
        w.begin(i);
        w.line(code(i));
        w.line(yn(c.returnedMail));
        w.line(yn(c.marked));
        w.line(c.name);
        w.line(c.address1);
        w.line(c.address2);
        w.line(c.postcode);
        w.line(c.town);
        w.line(c.country);
        w.line(c.phone);
        w.line(c.fax);
        w.line(c.email);
        w.line(days.text(c.created));
        w.line(c.identity);
        w.line(days.text(s.first));
        w.line(inRoom ? h.rooms[size_t(s.room)].number : QString());
        w.line(days.text(s.last + 1)); // the guest leaves the morning after the last night
        w.line(QString::number(c.stays));
        w.line(c.birth);
        w.line(c.family);
        w.line(due);
        w.line(c.nationality);
        w.line(c.profession);
        w.line(QString::number(int(s.situation)));
        w.tagged("MEMO", c.notes);
        // The history grid holds 255 rows; later validations find it full.
        for (size_t k = 0; k < c.invoices.size() && k < 255; ++k) {
            const Invoice &inv = h.invoices[size_t(c.invoices[k])];
            w.line(QStringLiteral("DATA") + days.text(inv.day) + kTab + QStringLiteral("Facture ") +
                   inv.number + kTab + amount(inv.total));
        }
        for (int k : earlier[size_t(i)]) {
            const Stay &e = h.stays[size_t(k)];
            w.line(QStringLiteral("SEJR") + text::normRoom(h.rooms[size_t(e.room)].number).trimmed() + kTab +
                   days.text(e.first) + kTab + days.text(e.last) + kTab + QString::number(int(e.situation)));
        }
        if (!c.legalName.isEmpty())
            w.line(QStringLiteral("ENTR") + c.siret + kTab + c.vatNumber + kTab + c.legalName);
        w.end(i);
    }
    return w.take();
}

QString maskedDate(const Days &days, int day)
{
    return day ? days.text(day) : QStringLiteral("  /  /    ");
}

TableFile rooms(const Hotel &h, const Days &days)
{
    Writer w(QStringLiteral("chb"), 5);
    for (int i = 0; i < int(h.rooms.size()); ++i) {
        const Room &r = h.rooms[size_t(i)];
        w.begin(i);
        w.line(text::normRoom(r.number));
        w.line(r.category);
        w.line(r.designation);
        w.line(QString::number(r.beds));
        w.line(amount(r.price));
        w.line(QString::number(r.floor));
        w.line(r.orientation);
        w.line(r.occupant);
        for (bool b : r.comfort)
            w.line(yn(b));
        w.line(maskedDate(days, r.closure.first));
        w.line(maskedDate(days, r.closure.last));
        w.line(r.reason);
        w.tagged("MEMO", r.notes);
        // The history grid keeps the last twelve events.
        const size_t skip = r.works.size() > 12 ? r.works.size() - 12 : 0;
        for (size_t k = skip; k < r.works.size(); ++k)
            w.line(QStringLiteral("DATA") + days.text(r.works[k].first) + kTab +
                   days.text(r.works[k].last) + kTab + r.works[k].what);
        w.end(i);
    }
    return w.take();
}

TableFile invoices(const Hotel &h, const Days &days)
{
    Writer w(QStringLiteral("fct"), 5);
    for (int i = 0; i < int(h.invoices.size()); ++i) {
        const Invoice &inv = h.invoices[size_t(i)];
        const Stay &s = h.stays[size_t(inv.stay)];
        const Client &c = h.clients[size_t(s.client)];
        w.begin(i);
        w.line(QStringLiteral("NUMF") + inv.number);
        w.line(days.text(inv.day));
        w.line(code(s.client));
        w.line(h.rooms[size_t(s.room)].number);
        w.line(inv.payment);
        w.line(days.text(s.first));
        w.line(days.text(s.last));
        w.line(c.name); // occupant, as the room card named the guest
        w.line(c.name);
        w.line(c.address1);
        w.line(c.address2);
        w.line(postcodeTown(c.postcode, c.town));
        w.line(yn(inv.vatShown));
        w.line(yn(inv.validated));
        for (const ItemLine &l : inv.lines)
            w.line(QStringLiteral("FACT") +
                   itemCells(days, h.articles[size_t(l.article)], l, 10001 + l.article, true));
        w.tagged("MEMO", inv.memo);
        w.end(i);
    }
    return w.take();
}

// One line per room and day: the guest and the night, the payment on the day
// of departure in the column of its means; a free room is stored with 0 nights.
TableFile ledger(const Hotel &h, const Days &days)
{
    Writer w(QStringLiteral("mnc"), 0);
    std::vector<QString> roomKeys;
    for (const Room &r : h.rooms)
        roomKeys.push_back(r.number + kTab);
    const QString freeRoom = kTab + QStringLiteral("0") + QString(5, kTab);
    for (int day = h.ledgerFirst; day <= h.today; ++day) {
        const QString &key = days.key(day);
        for (size_t r = 0; r < h.rooms.size(); ++r) {
            const int si = h.occupancy[r][size_t(day - h.ledgerFirst)];
            if (si < 0) {
                w.line(key + roomKeys[r] + freeRoom);
                continue;
            }
            const Stay &s = h.stays[size_t(si)];
            QString pay[5]; // cash, cheques, card, miscellaneous, expenses
            if (day == s.last && s.invoice >= 0) {
                const Invoice &inv = h.invoices[size_t(s.invoice)];
                if (inv.validated) {
                    const QString &p = inv.payment;
                    const int col = p == QStringView(u"Espèces")           ? 0
                                    : p.startsWith(QStringView(u"Chèque")) ? 1
                                    : p == QLatin1String("Carte bancaire") ? 2
                                                                           : 3;
                    pay[col] = amount(inv.total);
                }
            }
            // Now and then the desk advances a taxi or a delivery for the guest.
            const uint32_t mix = uint32_t(day) * 2654435761u ^ uint32_t(r) * 40503u;
            if (mix % 97 == 0)
                pay[4] = amount(10 + mix % 31);
            w.line(key + roomKeys[r] + h.clients[size_t(s.client)].name + kTab +
                   QStringLiteral("1") + kTab + pay[0] + kTab + pay[1] + kTab + pay[2] + kTab +
                   pay[3] + kTab + pay[4]);
        }
    }
    return w.take();
}

TableFile articles(const Hotel &h, const Days &days)
{
    Writer w(QStringLiteral("stk"), 4);
    for (int i = 0; i < int(h.articles.size()); ++i) {
        const Article &a = h.articles[size_t(i)];
        w.begin(i);
        w.line(code(i));
        w.line(a.family);
        w.line(a.designation);
        w.line(amount(a.price));
        w.line(QString::number(a.vat)); // the VAT code the invoice lines use
        w.line(a.account);
        w.line(a.supplier >= 0 ? h.suppliers[size_t(a.supplier)].name : QString());
        w.tagged("MEM4", a.description);
        w.tagged("MEM5", a.observations);
        for (const Article::Movement &m : a.movements)
            w.line(QStringLiteral("DATA") + days.text(m.day) + kTab + m.label + kTab +
                   amount(m.quantity));
        w.end(i);
    }
    return w.take();
}

TableFile suppliers(const Hotel &h, const Days &days)
{
    Writer w(QStringLiteral("frs"), 4);
    for (int i = 0; i < int(h.suppliers.size()); ++i) {
        const Supplier &s = h.suppliers[size_t(i)];
        w.begin(i);
        w.line(code(i));
        for (const QString *f :
             {&s.family, &s.name,           &s.address1,    &s.address2, &s.postcode,
              &s.town,   &s.country,        &s.phone,       &s.fax,      &s.email,
              &s.bank,   &s.bankCode,       &s.branchCode,  &s.account,  &s.key,
              &s.web,    &s.representative, &s.creditLimit, &s.owed,     &s.risk,
              &s.ledger})
            w.line(*f);
        w.tagged("MEMO", s.notes);
        for (const Supplier::Row &r : s.statement)
            w.line(QStringLiteral("DATA") + days.text(r.day) + kTab + r.label + kTab +
                   amount(r.amount));
        w.end(i);
    }
    return w.take();
}

TableFile orders(const Hotel &h, const Days &days)
{
    Writer w(QStringLiteral("cmd"), 4);
    for (int i = 0; i < int(h.orders.size()); ++i) {
        const Order &o = h.orders[size_t(i)];
        const Supplier &s = h.suppliers[size_t(o.supplier)];
        w.begin(i);
        w.line(QStringLiteral("NUM") + o.number);
        w.line(days.text(o.day));
        w.line(code(o.supplier));
        w.line(o.payment);
        w.line(s.name);
        w.line(s.address1);
        w.line(s.address2);
        w.line(postcodeTown(s.postcode, s.town));
        w.line(o.taxIncluded ? QStringLiteral("TTCY") : QStringLiteral("TTCN"));
        w.line(yn(o.validated));
        for (const ItemLine &l : o.lines)
            w.line(QStringLiteral("CMDE") +
                   itemCells(days, h.articles[size_t(l.article)], l, 10001 + l.article, false));
        w.tagged("MEMO", o.memo);
        w.end(i);
    }
    return w.take();
}

} // namespace

std::vector<TableFile> writeTables(const Hotel &h)
{
    // Every stored date lies between the first client's creation and the
    // last reservation.
    int first = h.ledgerFirst, last = h.today;
    for (const Client &c : h.clients)
        first = std::min(first, c.created);
    for (const Stay &s : h.stays) {
        first = std::min(first, s.first);
        last = std::max(last, s.last + 1); // the departure, the morning after the last night
    }
    for (const Room &r : h.rooms)
        last = std::max(last, r.closure.last);
    for (const Supplier &s : h.suppliers)
        for (const Supplier::Row &r : s.statement)
            last = std::max(last, r.day);
    const Days days(first, last);
    std::vector<TableFile> files;
    files.push_back(clients(h, days));
    files.push_back(rooms(h, days));
    files.push_back(invoices(h, days));
    files.push_back(ledger(h, days));
    files.push_back(articles(h, days));
    files.push_back(suppliers(h, days));
    files.push_back(orders(h, days));
    return files;
}
