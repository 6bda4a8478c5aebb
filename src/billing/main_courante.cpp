#include "main_courante.h"

#include "rooms/room_lines.h"
#include "store/block_lines.h"
#include "store/codec.h"
#include "store/text.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr qsizetype kKeyLength = 8;

QByteArray dayKeyBytes(QDate d)
{
    return text::dayKey(d).toLatin1();
}

// A field of a stored line or an exchange record: the separator, TAB or a
// line end inside it would shift the fields that follow.
QString oneField(const QString &s, QChar separator = u'\t')
{
    QString out = s.trimmed();
    for (QChar &c : out)
        if (c == separator || c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    return out;
}

} // namespace

const std::array<QString, kPaymentCount> &paymentTitles()
{
    static const std::array<QString, kPaymentCount> titles = {
        QStringLiteral("Espèces"), QStringLiteral("Chèques"), QStringLiteral("CB"),
        QStringLiteral("Divers"), QStringLiteral("Dépenses")};
    return titles;
}

bool DayRow::hasEntry() const
{
    if (!name.trimmed().isEmpty() || !nights.trimmed().isEmpty())
        return true;
    return std::any_of(amounts.begin(), amounts.end(),
                       [](const QString &a) { return !a.trimmed().isEmpty(); });
}

QList<DayTakings> takingsByDay(const FileSet &set)
{
    // The rooms the sheet has a row for, each with its place in `seenOn`.
    QHash<QByteArray, int> rooms;
    const RecordTable &r = set.table(Table::Rooms);
    for (int b = 0; b < set.count(Table::Rooms); ++b) {
        if (const qsizetype start = r.blockStart(b); start >= 0)
            rooms.insert(blockField(r, start, roomline::Number).trimmed().toByteArray(), int(rooms.size()));
    }
    // The lines by day, in table order within a day.
    struct Posted
    {
        qint64 day;
        qsizetype line;
        bool operator<(const Posted &o) const { return day != o.day ? day < o.day : line < o.line; }
    };
    const RecordTable &t = set.table(Table::MainCourante);
    std::vector<Posted> posted;
    posted.reserve(std::size_t(t.size()));
    for (qsizetype i = 0; i < t.size(); ++i) {
        // The day key read from the bytes: a ten-year table has 200,000 lines.
        const QByteArrayView l = t.line(i);
        if (l.size() <= kKeyLength)
            continue;
        int key = 0;
        bool digits = true;
        for (qsizetype k = 0; k < kKeyLength && digits; ++k) {
            digits = l[k] >= '0' && l[k] <= '9';
            key = key * 10 + (l[k] - '0');
        }
        const QDate d = digits ? QDate(key / 10000, key / 100 % 100, key % 100) : QDate();
        if (d.isValid())
            posted.push_back({d.toJulianDay(), i});
    }
    // A table the program wrote is in day order already.
    if (!std::is_sorted(posted.begin(), posted.end()))
        std::sort(posted.begin(), posted.end());

    QList<DayTakings> days;
    // The day a room was last seen on, by its place: the first seen of a
    // room, reading a day from its last line up, is the one the sheet shows.
    std::vector<qint64> seenOn(std::size_t(rooms.size()), std::numeric_limits<qint64>::min());
    for (std::size_t first = 0; first < posted.size();) {
        std::size_t last = first;
        while (last < posted.size() && posted[last].day == posted[first].day)
            ++last;
        const qint64 today = posted[first].day;
        DayTakings day{QDate::fromJulianDay(today), {}};
        bool any = false;
        for (std::size_t k = last; k-- > first;) {
            QByteArrayView rest = t.line(posted[k].line).sliced(kKeyLength);
            std::array<QByteArrayView, 3 + kPaymentCount> fields;
            for (QByteArrayView &f : fields) {
                const qsizetype tab = rest.indexOf('\t');
                f = tab < 0 ? rest : rest.first(tab);
                rest = tab < 0 ? QByteArrayView() : rest.sliced(tab + 1);
            }
            const QByteArrayView room = fields[0].trimmed();
            const auto place = rooms.constFind(QByteArray::fromRawData(room.data(), room.size()));
            if (place == rooms.cend() || seenOn[std::size_t(*place)] == today)
                continue;
            seenOn[std::size_t(*place)] = today;
            for (int p = 0; p < kPaymentCount; ++p) {
                const QByteArrayView field = fields[std::size_t(3 + p)];
                if (field.isEmpty())
                    continue;
                const auto v = Money::parse(field);
                if (v && !v->isZero() && *v <= moneylimit::kAmount && *v >= -moneylimit::kAmount) {
                    day.amounts[std::size_t(p)] += *v;
                    any = true;
                }
            }
        }
        if (any)
            days << day;
        first = last;
    }
    return days;
}

// ---- Day index ----------------------------------------------------------------

uint64_t DayIndex::keyOf(QByteArrayView line)
{
    uint64_t key = 0;
    std::memcpy(&key, line.data(), kKeyLength);
    return key;
}

void DayIndex::rebuild(const RecordTable &t)
{
    m_days.clear();
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QByteArrayView l = t.line(i);
        // A line shorter than a day key belongs to no day.
        if (l.size() >= kKeyLength)
            m_days[keyOf(l)].push_back(i);
    }
    m_revision = t.revision();
    m_size = t.size();
}

const std::vector<qsizetype> &DayIndex::linesOf(const RecordTable &t, QByteArrayView key)
{
    if (t.revision() != m_revision || t.size() != m_size)
        rebuild(t);
    if (key.size() != kKeyLength)
        return m_none;
    const auto found = m_days.find(keyOf(key));
    return found == m_days.end() ? m_none : found->second;
}

void DayIndex::patch(const RecordTable &t, const std::vector<qsizetype> &removed,
                     QByteArrayView key, qsizetype added)
{
    std::vector<qsizetype> &day = m_days[keyOf(key)];
    if (!removed.empty()) {
        // The removed lines are lines of this day; every later line moves up
        // by the number of removed lines before it.
        std::erase_if(day, [&](qsizetype i) {
            return std::binary_search(removed.begin(), removed.end(), i);
        });
        const qsizetype firstRemoved = removed.front();
        for (auto &[k, lines] : m_days) {
            for (qsizetype &i : lines) {
                if (i > firstRemoved)
                    i -= std::lower_bound(removed.begin(), removed.end(), i) - removed.begin();
            }
        }
    }
    for (qsizetype i = t.size() - added; i < t.size(); ++i)
        day.push_back(i);
    m_revision = t.revision();
    m_size = t.size();
}

// ---- The page -----------------------------------------------------------------

MainCourantePage::MainCourantePage(Fiche &fiche) : m_fiche(fiche) {}

QString MainCourantePage::caption() const
{
    return QStringLiteral("Main courante du ") + text::dateText(day());
}

bool MainCourantePage::modified() const
{
    return set().pageModified(Table::MainCourante);
}

void MainCourantePage::touch()
{
    set().setPageModified(Table::MainCourante, true);
}

int MainCourantePage::rowOfRoom(const QString &room) const
{
    return room.isEmpty() ? -1 : m_rowOfRoom.value(room, -1);
}

void MainCourantePage::InitJournee()
{
    const RecordTable &rooms = set().table(Table::Rooms);
    const int count = std::max(set().count(Table::Rooms), 0);
    m_rows = QList<DayRow>(count);
    m_rowOfRoom.clear();
    for (int b = 0; b < count; ++b) {
        const qsizetype start = rooms.blockStart(b);
        if (start < 0)
            continue;
        const QString room = cp1252::decode(blockField(rooms, start, roomline::Number)).trimmed();
        m_rows[b].room = room;
        if (!room.isEmpty() && !m_rowOfRoom.contains(room))
            m_rowOfRoom.insert(room, b);
    }
}

void MainCourantePage::LitJour()
{
    InitJournee();
    entry = {};
    const RecordTable &t = set().table(Table::MainCourante);
    for (qsizetype i : m_index.linesOf(t, dayKeyBytes(day()))) {
        QString rest = cp1252::decode(t.line(i).sliced(kKeyLength));
        // Rooms are stored trimmed; a line edited by hand may not be.
        const int r = rowOfRoom(text::beforeTab(rest).trimmed());
        if (r < 0)
            continue;
        // A later line of the same room overwrites an earlier one.
        DayRow &row = m_rows[r];
        row.name = text::beforeTab(rest);
        row.nights = text::Rset(text::beforeTab(rest), kNightsWidth);
        for (QString &amount : row.amounts)
            amount = text::Rset(text::beforeTab(rest), kAmountWidth);
    }
    set().setPageModified(Table::MainCourante, false);
}

QByteArray MainCourantePage::lineOf(const QByteArray &key, const DayRow &row) const
{
    QStringList fields = {oneField(row.room), oneField(row.name), oneField(row.nights)};
    for (const QString &amount : row.amounts)
        fields << oneField(amount);
    return key + cp1252::encode(fields.join(u'\t'));
}

void MainCourantePage::EcritJour()
{
    if (!modified())
        return;
    RecordTable &t = set().table(Table::MainCourante);
    const QByteArray key = dayKeyBytes(day());

    // Only the lines of the rooms the sheet shows are replaced: a line of a
    // room that has no row (renumbered, deleted, typed by hand) stays.
    std::vector<qsizetype> removed;
    for (qsizetype i : m_index.linesOf(t, key)) {
        QString rest = cp1252::decode(t.line(i).sliced(kKeyLength));
        if (rowOfRoom(text::beforeTab(rest).trimmed()) >= 0)
            removed.push_back(i);
    }
    QList<QByteArray> added;
    for (int r = 0; r < m_rows.size(); ++r) {
        const DayRow &row = m_rows[r];
        if (rowOfRoom(row.room) == r && row.hasEntry())
            added << lineOf(key, row);
    }
    if (removed.empty() && added.isEmpty())
        return;

    if (removed.empty()) {
        for (const QByteArray &l : added)
            t.append(l);
    } else {
        std::vector<qsizetype> order;
        order.reserve(std::size_t(t.size() - qsizetype(removed.size()) + added.size()));
        auto gone = removed.begin();
        for (qsizetype i = 0; i < t.size(); ++i) {
            if (gone != removed.end() && *gone == i)
                ++gone;
            else
                order.push_back(i);
        }
        for (qsizetype j = 0; j < added.size(); ++j)
            order.push_back(-1 - j);
        t.keepLines(order, added);
    }
    m_index.patch(t, removed, key, added.size());
    set().SetSauve();
}

std::optional<int> MainCourantePage::SpeedButton2Click()
{
    // Every number is checked before anything is posted.
    if (!entry.nights.trimmed().isEmpty() && !text::parseInt(entry.nights)) {
        m_fiche.ui().inform(QStringLiteral("Nuits : ") + text::intError(entry.nights));
        return 2;
    }
    std::array<std::optional<Money>, kPaymentCount> values;
    for (int p = 0; p < kPaymentCount; ++p) {
        const QString typed = entry.amounts[p].trimmed();
        if (typed.isEmpty())
            continue;
        // More decimals than the amounts have is refused, never rounded.
        QString why;
        values[p] = parseTypedAmount(QString(typed).replace(u'.', u','), m_fiche.decimals(), &why);
        if (!values[p]) {
            m_fiche.ui().inform(paymentTitles()[p] + QStringLiteral(" : ") + why);
            return 3 + p;
        }
    }

    const int r = rowOfRoom(entry.room);
    if (r < 0)
        return std::nullopt; // what was typed stays, for the room to be corrected
    DayRow &row = m_rows[r];
    row.name = entry.name;
    row.nights = text::Rset(entry.nights, kNightsWidth);
    for (int p = 0; p < kPaymentCount; ++p) {
        // An empty amount keeps what the cell holds.
        if (!values[p])
            continue;
        const int width = p == int(Payment::Depenses) ? kPostedExpensesWidth : kAmountWidth;
        row.amounts[p] = text::Rset(values[p]->format(m_fiche.decimals()), width);
    }
    touch();
    entry = {};
    return std::nullopt;
}

bool MainCourantePage::Edit15KeyPress(bool enter)
{
    if (entry.room.isEmpty()) {
        m_fiche.ui().inform(QStringLiteral("Indiquer la chambre"));
        return false;
    }
    return enter;
}

void MainCourantePage::Edit14Exit()
{
    if (entry.room.trimmed().isEmpty())
        return;
    // The room card shown keeps its edits before another room replaces it.
    Page &roomPage = m_fiche.page(PageId::Rooms);
    roomPage.writeBack();
    const RecordTable &rooms = set().table(Table::Rooms);
    const QString wanted = text::normRoom(entry.room);
    forEachNumberedBlock(rooms, [&](qsizetype start, qint64 n) {
        if (text::normRoom(cp1252::decode(blockField(rooms, start, roomline::Number))) != wanted)
            return false;
        set().setPosition(Table::Rooms, int(n));
        entry.name = cp1252::decode(blockField(rooms, start, roomline::Occupant));
        return true;
    });
    roomPage.read();
}

void MainCourantePage::StringGrid3Click(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const DayRow &r = m_rows[row];
    entry.room = r.room.trimmed();
    entry.name = r.name.trimmed();
    entry.nights = r.nights.trimmed();
    for (int p = 0; p < kPaymentCount; ++p)
        entry.amounts[p] = r.amounts[p].trimmed();
}

void MainCourantePage::SupLigne2(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    DayRow &r = m_rows[row];
    r = DayRow{r.room, {}, {}, {}};
    entry = {};
    set().SetSauve();
    touch();
}

bool MainCourantePage::entryPending() const
{
    if (!entry.hasEntry())
        return false;
    const int r = rowOfRoom(entry.room);
    if (r < 0)
        return true;
    // A row copied into the entry row and left as it was loses nothing.
    const DayRow &row = m_rows[r];
    if (entry.name.trimmed() != row.name.trimmed() || entry.nights.trimmed() != row.nights.trimmed())
        return true;
    for (int p = 0; p < kPaymentCount; ++p)
        if (entry.amounts[p].trimmed() != row.amounts[p].trimmed())
            return true;
    return false;
}

bool MainCourantePage::showDay(QDate d)
{
    if (!d.isValid())
        return false;
    if (entryPending() &&
        !m_fiche.ui().askOkCancel(
            QStringLiteral("La ligne saisie pour la chambre %1 n'a pas été portée (OK) : "
                           "l'abandonner ?")
                .arg(entry.room.trimmed())))
        return false;
    EcritJour();
    set().currentDay = d;
    LitJour();
    return true;
}

DayTotals MainCourantePage::totals() const
{
    DayTotals sum;
    for (const DayRow &row : m_rows) {
        if (const auto n = text::parseInt(row.nights))
            sum.nights += *n;
        for (int p = 0; p < kPaymentCount; ++p) {
            const auto v = Money::parse(row.amounts[p]);
            if (v && *v <= moneylimit::kAmount && *v >= -moneylimit::kAmount)
                sum.amounts[p] += *v;
        }
    }
    return sum;
}

QStringList MainCourantePage::totalTexts() const
{
    const DayTotals sum = totals();
    QStringList out = {QString::number(sum.nights)};
    for (const Money &v : sum.amounts)
        out << v.format(m_fiche.decimals());
    return out;
}

QList<QByteArray> MainCourantePage::exportRecords(char separator) const
{
    const QChar sep = QLatin1Char(separator);
    QStringList titles = {QStringLiteral("Date"), QStringLiteral("N° Ch"), QStringLiteral("Nom"),
                          QStringLiteral("Nuits")};
    for (const QString &t : paymentTitles())
        titles << t;
    QList<QByteArray> out = {cp1252::encode(titles.join(sep))};
    const QString date = text::dateText(day());
    for (const DayRow &row : m_rows) {
        QStringList fields = {date, oneField(row.room, sep), oneField(row.name, sep),
                              oneField(row.nights, sep)};
        for (const QString &amount : row.amounts)
            fields << oneField(amount, sep);
        out << cp1252::encode(fields.join(sep));
    }
    return out;
}

Spreadsheet MainCourantePage::daySheet() const
{
    Spreadsheet sheet{QStringLiteral("Main courante %1").arg(day().toString(QStringLiteral("dd-MM-yyyy"))),
                      {{QStringLiteral("Date"), CellType::Date},
                       {QStringLiteral("N° Ch"), CellType::Text},
                       {QStringLiteral("Nom"), CellType::Text},
                       {QStringLiteral("Nuits"), CellType::Integer}},
                      {}};
    for (const QString &t : paymentTitles())
        sheet.columns << SheetColumn{t, CellType::Amount};
    const QString date = text::dateText(day());
    for (const DayRow &row : m_rows) {
        QStringList cells = {date, row.room.trimmed(), row.name, row.nights.trimmed()};
        for (const QString &amount : row.amounts)
            cells << amount.trimmed();
        sheet.rows << cells;
    }
    return sheet;
}

QStringList MainCourantePage::toolLines() const
{
    QStringList out;
    for (const DayRow &row : m_rows) {
        QStringList fields = {oneField(row.room), oneField(row.name), oneField(row.nights)};
        for (const QString &amount : row.amounts)
            fields << oneField(amount);
        out << fields.join(u'\t');
    }
    out << (QStringList{QStringLiteral("TOTAL"), QString()} + totalTexts()).join(u'\t');
    return out;
}
