#pragma once

#include "grid_printout.h"

#include "store/file_set.h"
#include "store/money.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What a pass over the invoices takes from each invoice block 0 to count - 1,
// read once from the block with the invoice page's own rules (its header
// fields as the page reads them, its totals as Calculef gives them), so the
// passes never go through the page and stay linear in the size of the table.
struct InvoiceFigures
{
    int block = 0;
    QString number; // after "NUMF", trimmed
    QDate date;     // the invoice date; invalid when it does not read
    QDate stayTo;   // the last day of the stay, today when it does not read (as the page shows it)
    QString client, name, room; // as stored: code, first address line, room
    bool validated = false;
    QString totalText, vatText; // "TOTAL TTC" and "TVA" as the page shows them
    QString outsideVatText;     // the "D" lines (taxe de séjour), in the amount format
    // The same figures, exact: the total with tax, the tax, the part
    // without tax and the "D" lines (total = exclusive + vat + outsideVat).
    Money total, vat, exclusive, outsideVat;
    // Per VAT code, the rate, the part without tax and the tax, as the
    // invoice keeps them (HT + TVA of the three + "D" = total).
    std::array<Money, 3> rates{}, exclusiveByCode{}, vatByCode{};
    // The number of the invoice a credit note cancels (its first memo
    // line); empty for an invoice.
    QString cancels;
    // What the invoice earns with tax: its total less the "D" lines.
    Money turnover() const { return total - outsideVat; }
};

struct InvoicePassSettings
{
    std::array<double, 3> vatRates{};
    int decimals = 2;
    QDate today = QDate::currentDate();
    bool texts = true; // the totals' texts, which the journal does without
};

// Every invoice block from 0 to the invoice count - 1, in that order; a
// number with no block is skipped (the page would show an empty invoice).
QList<InvoiceFigures> invoiceFigures(const FileSet &set, const InvoicePassSettings &settings);

// An accumulation list: one entry a key, "key part" TAB "amount", in the
// order the keys first come, with an index from key to entry so that a
// pass over 60,000 invoices and 40,000 clients stays linear. Each entry
// keeps its sum as a number and is written out in the amount format when
// the entries are asked for: amounts in that format add up exactly.
class Cumul
{
public:
    explicit Cumul(int decimals = 2) : m_decimals(decimals) {}

    const QStringList &entries() const;
    qsizetype size() const { return m_items.size(); }
    // Room for `keys` entries: a pass over many clients rehashes nothing.
    void reserve(qsizetype keys)
    {
        m_items.reserve(keys);
        m_index.reserve(keys);
    }
    // Each entry split at its TABs, as the windows' rows show it.
    QList<QStringList> fields() const;
    // Adds `amount` (trimmed, not empty) to the entry of `key`. `keyPart`
    // is what the entry shows before its amount: `fill(QString &)` writes
    // it for a new key (given empty) and may change it when an amount is
    // added, so that a pass builds no text it does not keep.
    template <typename Fill> void add(const QString &key, QStringView amount, Fill &&fill)
    {
        const QStringView added = amount.trimmed();
        if (added.isEmpty())
            return;
        m_stale = true;
        const auto found = m_index.constFind(key);
        if (found == m_index.constEnd()) {
            m_index.insert(key, m_items.size());
            Item item{QString(), added.toString(), readAmount(added)};
            fill(item.keyPart);
            m_items << std::move(item);
            return;
        }
        Item &item = m_items[*found];
        const auto more = readAmount(added);
        if (!item.held || !more)
            return;
        fill(item.keyPart);
        *item.held += *more;
        item.summed = true;
    }
    // Sorts the entries by their text, in French, ignoring case but not
    // blanks or punctuation: clients come in code order, rooms in the text
    // order of their numbers (1, 10, 101, 2).
    void sort();

private:
    struct Item
    {
        QString keyPart;
        QString amountText;          // as first given, until something is added
        std::optional<Money> held;   // nothing: the amount is not a number
        bool summed = false;
    };
    QString entry(const Item &item) const;
    static std::optional<Money> readAmount(QStringView s) { return Money::parse(s); }

    int m_decimals;
    QList<Item> m_items;
    QHash<QString, qsizetype> m_index;
    mutable QStringList m_entries;
    mutable bool m_stale = false;
};

// Adding an invoice's total: an empty (trimmed) amount adds nothing; a new
// key appends "key part" TAB amount; a known key gets the sum of both
// amounts in the amount format, unless one of them is not a number (the
// entry then stays as it was).
void CumulMois(Cumul &list, const QString &month, const QString &amount);
// The entry is code TAB name TAB amount and takes the name of the last
// invoice added.
void CumulCli(Cumul &list, const QString &code, const QString &name, const QString &amount);
// The entry is room + two blanks + designation TAB amount; nothing for an
// empty room.
void CumulLot(Cumul &list, const QString &room, const QString &amount, const QString &designation);

// The month of an invoice: "Mars 2001".
QString monthKey(QDate day);

// The designation (line 3) of the first room block of each trimmed number.
QHash<QString, QString> roomDesignations(const RecordTable &rooms);

// The three turnover statistics: the validated invoices and credit notes
// only, each for its total less the "D" lines (the taxe de séjour is the
// commune's, not the hotel's), so that they agree with the journal.
Cumul StatsMois(const QList<InvoiceFigures> &invoices, int decimals);
Cumul StatsCli(const QList<InvoiceFigures> &invoices, int decimals);
Cumul StatsLots(const QList<InvoiceFigures> &invoices, const RecordTable &rooms, int decimals);

// One month of room occupancy.
struct OccupancyMonth
{
    QDate month;           // its first day
    qint64 available = 0;  // room-nights: rooms x days, less the days rooms are closed
    qint64 sold = 0;       // nights of stays "Présent" or "Parti" falling in the month
    Money turnover;        // excluding VAT and the taxe de séjour, of the validated invoices of the month
};

// Every month from the first to the last that has a night sold or a
// validated invoice (its month as in StatsMois), in calendar order. The
// nights sold are those the nights' model (rooms/nights.h) gives guests in
// the house and stays kept in the cards' history, plus the stays of cards
// that left before that history was kept; a stay whose dates do not read
// counts none. A closure counts its first and last day.
QList<OccupancyMonth> occupancy(const FileSet &set, const QList<InvoiceFigures> &invoices,
                                QDate today = QDate::currentDate());

// What a statistics window shows and prints.
enum class StatKind { Mois, Clients, Chambres, Occupation };

struct StatTable
{
    QString caption;     // the window's title
    QString printPrefix; // the print job's title before today's date
    GridSheet sheet;     // the ordinal first
    int chartColumn = -1; // the column the chart draws
    int labelColumn = 1;  // the column naming its bars (month, client's name, room)
};

// The windows' grids, from an accumulation list (after sorting it for the
// clients and the rooms) or the occupancy months.
StatTable statTable(StatKind kind, Cumul list);
StatTable occupancyTable(const QList<OccupancyMonth> &months, int decimals);

// The whole statistic of a set, as its command shows it.
StatTable computeStatistic(StatKind kind, const FileSet &set, const InvoicePassSettings &settings);
