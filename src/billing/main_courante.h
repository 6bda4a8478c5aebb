#pragma once

#include "store/fiche.h"
#include "store/money.h"
#include "store/page.h"
#include "store/spreadsheet.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

// The five means of payment of a day sheet row, in column order.
constexpr int kPaymentCount = 5;
enum class Payment { Especes, Cheques, CB, Divers, Depenses };
// Their column titles ("Espèces", ...).
const std::array<QString, kPaymentCount> &paymentTitles();

// One row of the day sheet: a room and the day's entry for it. Nights and
// amounts keep their alignment blanks, as the sheet shows them.
struct DayRow
{
    QString room, name, nights;
    std::array<QString, kPaymentCount> amounts;

    bool hasEntry() const;
    bool operator==(const DayRow &) const = default;
};

// What the day adds up to: nights and each means of payment. Cells that
// are not numbers take no part.
struct DayTotals
{
    qint64 nights = 0;
    std::array<Money, kPaymentCount> amounts{};
};

// One day's takings and expenses, by means of payment.
struct DayTakings
{
    QDate day;
    std::array<Money, kPaymentCount> amounts{};
};

// Every day of the main courante table that took or spent something, in
// day order, added up as the day's sheet adds them: the lines of the rooms
// the room table holds, a later line of a room replacing an earlier one of
// the same day, a cell that is not a sane amount taking no part.
QList<DayTakings> takingsByDay(const FileSet &set);

// The lines of the main courante table by day key. Every line starts with
// the eight characters of its day ("yyyymmdd"); the index gives the lines
// of a day in table order. It follows the table's revision: built once
// after the table changed under it, patched in place by the page's own
// writes so that moving from day to day never scans the whole table.
class DayIndex
{
public:
    // The lines of the day, valid for the table as it stands.
    const std::vector<qsizetype> &linesOf(const RecordTable &t, QByteArrayView key);
    // After `removed` (ascending) were taken out of the table and `added`
    // lines appended at its end, by the caller, on an index that was valid.
    void patch(const RecordTable &t, const std::vector<qsizetype> &removed, QByteArrayView key,
               qsizetype added);

private:
    static uint64_t keyOf(QByteArrayView line);
    void rebuild(const RecordTable &t);

    std::unordered_map<uint64_t, std::vector<qsizetype>> m_days;
    std::vector<qsizetype> m_none;
    quint64 m_revision = ~quint64(0);
    qsizetype m_size = -1;
};

// The main courante page: the day sheet of the reception, one row per room
// block however many rooms the hotel has, the entry row above it, and the
// moves from day to day. The day shown is the set's current day; the sheet
// is stored into the table when the day is left, replacing only the lines
// of the rooms it shows.
class MainCourantePage : public Page
{
public:
    // Widths of the stored alignment, in pixels.
    static constexpr int kNightsWidth = 50;
    static constexpr int kAmountWidth = 95;
    static constexpr int kPostedExpensesWidth = 90;
    static constexpr int kLongMove = 28;

    explicit MainCourantePage(Fiche &fiche);

    Fiche &fiche() { return m_fiche; }
    const Fiche &fiche() const { return m_fiche; }
    QDate day() const { return m_fiche.set().currentDay; }
    // "Main courante du dd/mm/yyyy".
    QString caption() const;
    const QList<DayRow> &rows() const { return m_rows; }
    bool modified() const;
    // Every edit of the entry row goes through here (Edit14Change).
    void touch();

    // The entry row above the sheet.
    DayRow entry;

    void LitJour();
    void EcritJour();
    void InitJournee();

    // "OK": posts the entry row onto the row of its room, all or nothing.
    // An amount or a night count that is not a number is told, names its
    // field (its column, returned), and leaves the sheet and the entry row
    // as they were. A room that matches no row posts nothing, silently.
    // Otherwise the entry row is emptied.
    std::optional<int> SpeedButton2Click();
    // A key typed in the name, nights or amount fields: without a room it
    // says so (false); Enter then posts (true, the key is taken).
    bool Edit15KeyPress(bool enter);
    // Leaving the room field: the room becomes the room page's current one
    // and its occupant fills the name.
    void Edit14Exit();
    // A row chosen in the sheet is copied into the entry row.
    void StringGrid3Click(int row);
    // Clears the entry of a row (the room stays): the Delete key.
    void SupLigne2(int row);

    // Moves to another day, the day left stored first. An entry row typed
    // and not posted asks first; false when the person keeps it (no move).
    bool showDay(QDate day);
    // The entry row holds something its room's row does not.
    bool entryPending() const;

    DayTotals totals() const;
    // The totals as shown: nights, then the five amounts in the amount format.
    QStringList totalTexts() const;

    // The exchange file of the sheet: a header line of titles, then one
    // record per row, fields joined by `separator`.
    QList<QByteArray> exportRecords(char separator) const;
    // The sheet for a spreadsheet: the day as a date, nights and amounts as
    // numbers.
    Spreadsheet daySheet() const;
    // The sheet as the tool prints it, TAB-separated, then its TOTAL line.
    QStringList toolLines() const;

    void writeBack() override { EcritJour(); }
    void read() override { LitJour(); }
    void first() override { showDay(day().addDays(-kLongMove)); }
    void last() override { showDay(day().addDays(kLongMove)); }
    void next() override { showDay(day().addDays(1)); }
    void previous() override { showDay(day().addDays(-1)); }

private:
    int rowOfRoom(const QString &room) const;
    QByteArray lineOf(const QByteArray &key, const DayRow &row) const;
    FileSet &set() { return m_fiche.set(); }
    const FileSet &set() const { return m_fiche.set(); }

    Fiche &m_fiche;
    QList<DayRow> m_rows;
    // The first row of each room shown, by its number as the row holds it.
    QHash<QString, int> m_rowOfRoom;
    DayIndex m_index;
};
