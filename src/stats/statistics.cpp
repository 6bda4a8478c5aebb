#include "statistics.h"

#include "billing/credit_note.h"
#include "billing/invoice.h"
#include "rooms/block_fields.h"
#include "rooms/nights.h"
#include "clients/client_lines.h"
#include "rooms/room_lines.h"
#include "store/block_lines.h"
#include "store/codec.h"
#include "store/text.h"

#include <QCollator>
#include <QLocale>
#include <QMap>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <climits>
#include <vector>

QList<InvoiceFigures> invoiceFigures(const FileSet &set, const InvoicePassSettings &settings)
{
    using namespace invoiceline;
    QList<InvoiceFigures> list;
    const RecordTable &t = set.table(Table::Invoices);
    const int count = set.count(Table::Invoices);
    list.reserve(count);
    const VatRates rates = exactRates(settings.vatRates);
    for (int n = 0; n < count; ++n) {
        const qsizetype start = t.blockStart(n);
        if (start < 0)
            continue;
        // The block as the page reads it: up to its end marker, or up to
        // the next block when it lost it.
        const qsizetype end = t.blockStop(start, n);
        InvoiceFigures f;
        f.block = n;
        if (start + Number < end) {
            const QByteArrayView l = t.line(start + Number);
            f.number = cp1252::decode(l.size() > 4 ? l.sliced(4).trimmed() : QByteArrayView());
        }
        // Dates read from the bytes: a pass reads 60,000 of each.
        auto day = [&](int offset) {
            const auto d = start + offset < end ? blockfields::dayOf(t.line(start + offset)) : std::nullopt;
            return d ? QDate::fromJulianDay(*d) : QDate();
        };
        f.date = day(Date);
        f.stayTo = day(StayTo);
        if (!f.stayTo.isValid())
            f.stayTo = settings.today;
        auto field = [&](int offset) {
            return start + offset < end ? cp1252::decode(t.line(start + offset).trimmed()) : QString();
        };
        f.client = field(Client);
        f.name = field(Address);
        f.room = field(Room);
        f.validated = start + Validated < end && t.line(start + Validated) == "Y";
        const InvoiceTotals totals = blockFigures(t, start, end, rates, settings.decimals);
        if (settings.texts) {
            f.totalText = totals.total.format(settings.decimals);
            f.vatText = totals.totalVat.format(settings.decimals);
            f.outsideVatText = totals.outsideVat.format(settings.decimals);
        }
        f.total = totals.total;
        f.vat = totals.totalVat;
        f.exclusive = totals.totalExclusive;
        f.outsideVat = totals.outsideVat;
        f.rates = totals.rates;
        f.exclusiveByCode = totals.exclusive;
        f.vatByCode = totals.vat;
        // The memo follows the grid: its first line names a cancelled invoice.
        for (qsizetype i = start + FirstTagged; i < end; ++i) {
            const QByteArrayView l = t.line(i);
            if (!l.startsWith("MEMO"))
                continue;
            if (l.startsWith("MEMOAvoir"))
                f.cancels = creditnote::cancelledNumber(cp1252::decode(l.sliced(4)));
            break;
        }
        list << f;
    }
    return list;
}

QString Cumul::entry(const Item &item) const
{
    return item.keyPart + u'\t' +
           (item.summed ? item.held->format(m_decimals) : item.amountText);
}

const QStringList &Cumul::entries() const
{
    if (m_stale || m_entries.size() != m_items.size()) {
        m_entries.clear();
        m_entries.reserve(m_items.size());
        for (const Item &item : m_items)
            m_entries << entry(item);
        m_stale = false;
    }
    return m_entries;
}

QList<QStringList> Cumul::fields() const
{
    QList<QStringList> rows;
    rows.reserve(m_items.size());
    for (const Item &item : m_items) {
        QStringList row = item.keyPart.split(u'\t');
        row << (item.summed ? item.held->format(m_decimals) : item.amountText);
        rows << row;
    }
    return rows;
}

namespace {

// The text of an entry before its first TAB when it is made of ASCII digits
// only (a client code); empty otherwise.
QStringView digitCode(const QString &keyPart)
{
    const qsizetype tab = keyPart.indexOf(u'\t');
    const QStringView code = QStringView(keyPart).first(tab < 0 ? keyPart.size() : tab);
    for (QChar c : code)
        if (c < u'0' || c > u'9')
            return {};
    return code;
}

} // namespace

void Cumul::sort()
{
    // Codes of digits alone compare in French as they do character by
    // character (a TAB comes before any digit): 60,000 invoices of 40,000
    // clients sort at once without building a collation key for each.
    std::vector<std::pair<QStringView, qsizetype>> codes;
    codes.reserve(std::size_t(m_items.size()));
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        codes.emplace_back(digitCode(m_items[i].keyPart), i);
        if (codes.back().first.isEmpty())
            break;
    }
    if (qsizetype(codes.size()) == m_items.size() &&
        (codes.empty() || !codes.back().first.isEmpty())) {
        std::stable_sort(codes.begin(), codes.end(),
                         [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
        QList<Item> sorted;
        sorted.reserve(m_items.size());
        for (const auto &c : codes)
            sorted << m_items[c.second];
        m_items = sorted;
        m_index.clear();
        m_stale = true;
        return;
    }
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setIgnorePunctuation(false);
    collator.setNumericMode(false);
    const QStringList texts = entries();
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(std::size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i)
        keys.emplace_back(collator.sortKey(texts[i]), i);
    std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) {
        return a.first.compare(b.first) < 0;
    });
    QList<Item> sorted;
    sorted.reserve(m_items.size());
    for (const auto &k : keys)
        sorted << m_items[k.second];
    m_items = sorted;
    // The keys of sorted entries are no longer looked up: the index goes.
    m_index.clear();
    m_stale = true;
}

void CumulMois(Cumul &list, const QString &month, const QString &amount)
{
    list.add(month, amount, [&](QString &keyPart) {
        if (keyPart.isEmpty())
            keyPart = month;
    });
}

void CumulCli(Cumul &list, const QString &code, const QString &name, const QString &amount)
{
    list.add(code, amount, [&](QString &keyPart) {
        // The name of the last invoice added; rebuilt only when it changes.
        if (keyPart.size() != code.size() + 1 + name.size() || !keyPart.endsWith(name))
            keyPart = code + u'\t' + name;
    });
}

void CumulLot(Cumul &list, const QString &room, const QString &amount, const QString &designation)
{
    const QString r = room.trimmed();
    if (r.isEmpty())
        return;
    list.add(r, amount, [&](QString &keyPart) {
        if (keyPart.isEmpty())
            keyPart = r + QStringLiteral("  ") + designation;
    });
}

QString monthKey(QDate day)
{
    QString s = QLocale(QLocale::French, QLocale::France).toString(day, QStringLiteral("MMMM yyyy"));
    if (!s.isEmpty())
        s[0] = s[0].toUpper();
    return s;
}

QHash<QString, QString> roomDesignations(const RecordTable &rooms)
{
    QHash<QString, QString> names;
    blockfields::forEachBlock(rooms, roomline::Designation, [&](const blockfields::Block &b) {
        const QString number = cp1252::decode(b.field(roomline::Number)).trimmed();
        if (b.reach > roomline::Number && !names.contains(number))
            names.insert(number, cp1252::decode(b.field(roomline::Designation)));
    });
    return names;
}

Cumul StatsMois(const QList<InvoiceFigures> &invoices, int decimals)
{
    Cumul list(decimals);
    // Months repeat: each is named once.
    QHash<qint64, QString> names;
    for (const InvoiceFigures &f : invoices) {
        if (!f.validated)
            continue;
        const qint64 month = f.stayTo.year() * 12 + f.stayTo.month();
        auto it = names.find(month);
        if (it == names.end())
            it = names.insert(month, monthKey(f.stayTo));
        CumulMois(list, *it, f.turnover().format(decimals));
    }
    return list;
}

Cumul StatsCli(const QList<InvoiceFigures> &invoices, int decimals)
{
    Cumul list(decimals);
    list.reserve(invoices.size());
    for (const InvoiceFigures &f : invoices)
        if (f.validated)
            CumulCli(list, f.client, f.name, f.turnover().format(decimals));
    return list;
}

Cumul StatsLots(const QList<InvoiceFigures> &invoices, const RecordTable &rooms, int decimals)
{
    const QHash<QString, QString> names = roomDesignations(rooms);
    Cumul list(decimals);
    for (const InvoiceFigures &f : invoices)
        if (f.validated)
            CumulLot(list, f.room, f.turnover().format(decimals), names.value(f.room));
    return list;
}

namespace {

// Months counted from year 0, so that consecutive months differ by one.
int monthIndex(QDate d)
{
    return d.year() * 12 + d.month() - 1;
}

QDate monthStart(int index)
{
    return QDate(index / 12, index % 12 + 1, 1);
}

// Calls f(month, days) for the days [from, to) split by month.
template <typename F> void splitByMonth(qint64 from, qint64 to, F &&f)
{
    while (from < to) {
        const QDate d = QDate::fromJulianDay(from);
        const qint64 next = std::min(to, QDate(d.year(), d.month(), 1).addMonths(1).toJulianDay());
        f(monthIndex(d), next - from);
        from = next;
    }
}

} // namespace

QList<OccupancyMonth> occupancy(const FileSet &set, const QList<InvoiceFigures> &invoices, QDate today)
{
    QMap<int, qint64> sold, closed;
    QMap<int, Money> turnover;
    // The nights slept or being slept, as the nights' model holds them: the
    // guests in the house, the stays kept in the cards' history, and the
    // departures made before the history was kept.
    const auto held = nights::of(set, today);
    auto addNights = [&](qint64 first, qint64 last) {
        splitByMonth(first, last + 1, [&](int m, qint64 n) { sold[m] += n; });
    };
    for (const nights::Hold &h : held->holds())
        if (h.kind == nights::Kind::Present || h.kind == nights::Kind::Stayed)
            addNights(h.first, h.last);
    for (const auto &[first, last] : held->unrecordedStays())
        addNights(first, last);
    qint64 rooms = 0;
    blockfields::forEachBlock(set.table(Table::Rooms), roomline::ClosedUntil,
                              [&](const blockfields::Block &b) {
                                  ++rooms;
                                  const auto from = blockfields::dayOf(b.field(roomline::ClosedFrom));
                                  const auto until = blockfields::dayOf(b.field(roomline::ClosedUntil));
                                  if (from && until)
                                      splitByMonth(*from, *until + 1,
                                                   [&](int m, qint64 n) { closed[m] += n; });
                              });
    // What the month's validated invoices earn without tax and without the
    // taxe de séjour (the commune's, not the hotel's), exactly.
    for (const InvoiceFigures &f : invoices)
        if (f.validated)
            turnover[monthIndex(f.stayTo)] += f.exclusive;
    QList<OccupancyMonth> months;
    if (sold.isEmpty() && turnover.isEmpty())
        return months;
    int first = INT_MAX, last = INT_MIN;
    if (!sold.isEmpty())
        first = sold.firstKey(), last = sold.lastKey();
    if (!turnover.isEmpty())
        first = std::min(first, turnover.firstKey()), last = std::max(last, turnover.lastKey());
    for (int m = first; m <= last; ++m) {
        OccupancyMonth o;
        o.month = monthStart(m);
        o.available = std::max<qint64>(0, rooms * o.month.daysInMonth() - closed.value(m));
        o.sold = sold.value(m);
        o.turnover = turnover.value(m);
        months << o;
    }
    return months;
}

namespace {

const GridColumn kOrdinal{QString(), 64, false};

GridColumn amountColumn(const QString &heading, int width)
{
    return {heading, width, true};
}

} // namespace

StatTable statTable(StatKind kind, Cumul list)
{
    StatTable t;
    switch (kind) {
    case StatKind::Mois:
        t.caption = QStringLiteral("Statistiques sur les mois");
        t.printPrefix = QStringLiteral("Statistiques ventes au ");
        t.sheet.columns = {kOrdinal, {QStringLiteral("Mois"), 321}, amountColumn(QStringLiteral("C.A. mois"), 126)};
        break;
    case StatKind::Clients:
        t.caption = QStringLiteral("Statistiques sur les Clients");
        t.printPrefix = QStringLiteral("Statistiques clients au ");
        t.sheet.columns = {kOrdinal, {QStringLiteral("Code"), 63}, {QStringLiteral("Nom"), 294},
                           amountColumn(QStringLiteral("C.A. TTC"), 85)};
        list.sort();
        break;
    case StatKind::Occupation: // its table comes from the months (occupancyTable)
        return t;
    case StatKind::Chambres:
        t.caption = QStringLiteral("Statistiques sur les chambres");
        t.printPrefix = QStringLiteral("Statistiques chambres au ");
        t.sheet.columns = {kOrdinal, {QStringLiteral("Chambre"), 313}, amountColumn(QStringLiteral("C.A. TTC"), 92)};
        list.sort();
        break;
    }
    t.chartColumn = int(t.sheet.columns.size()) - 1;
    t.labelColumn = kind == StatKind::Clients ? 2 : 1;
    const qsizetype fields = t.sheet.columns.size() - 1;
    int k = 0;
    t.sheet.rows = list.fields();
    for (QStringList &row : t.sheet.rows) {
        // The amount is always last, whatever TAB a name holds.
        while (row.size() > fields) {
            row[row.size() - 3] += u' ' + row[row.size() - 2];
            row.removeAt(row.size() - 2);
        }
        row.last() = row.last().trimmed();
        row.prepend(QString::number(++k));
    }
    return t;
}

StatTable occupancyTable(const QList<OccupancyMonth> &months, int decimals)
{
    StatTable t;
    t.caption = QStringLiteral("Statistiques d'occupation");
    t.printPrefix = QStringLiteral("Statistiques occupation au ");
    t.sheet.columns = {kOrdinal,
                       {QStringLiteral("Mois"), 150},
                       amountColumn(QStringLiteral("Nuitées offertes"), 110),
                       amountColumn(QStringLiteral("Nuitées vendues"), 110),
                       amountColumn(QStringLiteral("Taux (%)"), 70),
                       amountColumn(QStringLiteral("Prix moyen"), 90),
                       amountColumn(QStringLiteral("RevPAR"), 90)};
    t.chartColumn = 4;
    const QLocale fr(QLocale::French, QLocale::France);
    int k = 0;
    for (const OccupancyMonth &m : months) {
        const QString rate =
            m.available > 0 ? fr.toString(100.0 * double(m.sold) / double(m.available), 'f', 1)
                            : QString();
        // The average night and the revenue per room available, divided
        // exactly and rounded once.
        auto perNight = [&](qint64 nights) {
            const auto v = nights > 0 ? m.turnover.mulDiv(Money::whole(1), Money::whole(nights), decimals)
                                      : std::nullopt;
            return v ? v->format(decimals) : QString();
        };
        const QString adr = perNight(m.sold);
        const QString revpar = perNight(m.available);
        t.sheet.rows << QStringList{QString::number(++k), monthKey(m.month), QString::number(m.available),
                                    QString::number(m.sold), rate, adr, revpar};
    }
    return t;
}

StatTable computeStatistic(StatKind kind, const FileSet &set, const InvoicePassSettings &settings)
{
    const QList<InvoiceFigures> invoices = invoiceFigures(set, settings);
    switch (kind) {
    case StatKind::Mois:
        return statTable(kind, StatsMois(invoices, settings.decimals));
    case StatKind::Clients:
        return statTable(kind, StatsCli(invoices, settings.decimals));
    case StatKind::Chambres:
        return statTable(kind, StatsLots(invoices, set.table(Table::Rooms), settings.decimals));
    case StatKind::Occupation:
        break;
    }
    return occupancyTable(occupancy(set, invoices, settings.today), settings.decimals);
}
