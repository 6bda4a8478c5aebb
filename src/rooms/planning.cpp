#include "planning.h"

#include "room_lines.h"
#include "store/codec.h"
#include "store/text.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// The Julian day of a stored date, or -1: the rule of text::storedDate
// ("dd/mm/yyyy", exactly ten characters, a real date) read straight from the
// bytes, since every client of the table passes through here.
qint64 storedDay(QByteArrayView s)
{
    if (s.size() != 10 || s[2] != '/' || s[5] != '/')
        return -1;
    int v[10];
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (s[i] < '0' || s[i] > '9')
            return -1;
        v[i] = s[i] - '0';
    }
    const QDate d(v[6] * 1000 + v[7] * 100 + v[8] * 10 + v[9], v[3] * 10 + v[4], v[0] * 10 + v[1]);
    return d.isValid() ? d.toJulianDay() : -1;
}

// RecordTable::isStart, spelt out so that the pass over every line of the
// client table stays a few cheap comparisons per line.
bool beginsBlock(QByteArrayView l)
{
    return l.size() >= 5 && l[0] == '<' && std::memcmp(l.data(), "<BLOC", 5) == 0;
}

qint64 storedDay(const QString &s)
{
    const QDate d = text::storedDate(s);
    return d.isValid() ? d.toJulianDay() : -1;
}

// Whether a stored situation reads as present, the way a cell's code is
// read; the common one-character codes without decoding them.
bool presentCode(QByteArrayView situation)
{
    if (situation.size() == 1)
        return situation[0] == '0';
    return PlanningGrid::state(cp1252::decode(situation)) == CellState::Occupied;
}

} // namespace

CellState PlanningGrid::state(const QString &code)
{
    bool ok = false;
    const int v = code.trimmed().toInt(&ok);
    if (!ok)
        return CellState::Free;
    switch (v) {
    case 0:
        return CellState::Occupied;
    case 1:
        return CellState::Reserved;
    case 2:
        return CellState::Confirmed;
    case 9:
        return CellState::Closed;
    default:
        return CellState::Free;
    }
}

int PlanningGrid::todayColumn() const
{
    if (!first.isValid() || !today.isValid())
        return -1;
    const qint64 c = first.daysTo(today);
    return c >= 0 && c < kDays ? int(c) : -1;
}

QString PlanningGrid::weekdayLetter(QDate day)
{
    static constexpr char16_t kLetters[] = u"LMMJVSD";
    return day.isValid() ? QString(QChar(kLetters[day.dayOfWeek() - 1])) : QString();
}

const PlanningGrid::Writer *PlanningGrid::writer(int row, int column) const
{
    if (row < 0 || row >= int(writtenBy.size()) || column < 0 || column >= kDays ||
        state(row, column) == CellState::Free)
        return nullptr;
    const int w = writtenBy[std::size_t(row)][std::size_t(column)];
    return w >= 0 && w < int(writers.size()) ? &writers[std::size_t(w)] : nullptr;
}

int PlanningGrid::clientAt(int row, int column) const
{
    const Writer *w = writer(row, column);
    return w && !w->closure ? w->client : -1;
}

bool PlanningGrid::overdue(int row, int column) const
{
    const Writer *w = writer(row, column);
    return w && w->overdue;
}

QString PlanningGrid::tip(int row, int column) const
{
    const Writer *w = writer(row, column);
    if (!w)
        return {};
    const QString stay = QStringLiteral("du ") + text::dateText(w->from) + QStringLiteral(" au ") +
                         text::dateText(w->to);
    QStringList lines;
    if (w->closure) {
        lines << QStringLiteral("Fermée") << w->text << stay;
    } else {
        lines << w->text << stay;
        switch (state(row, column)) {
        case CellState::Occupied:
            lines << QStringLiteral("Présent");
            break;
        case CellState::Reserved:
            lines << QStringLiteral("Réserve");
            break;
        default:
            lines << QStringLiteral("Confirme");
            break;
        }
        if (w->overdue)
            lines << QStringLiteral("Départ dépassé");
    }
    lines.removeAll(QString());
    return lines.join(u'\n');
}

PlanningPage::PlanningPage(Fiche &fiche) : m_fiche(fiche) {}

QDate PlanningPage::today() const
{
    return m_today.isValid() ? m_today : QDate::currentDate();
}

bool PlanningPage::aimClient(int row, int column)
{
    const int block = m_grid.clientAt(row, column);
    if (block < 0)
        return false;
    m_fiche.set().setPosition(Table::Clients, block);
    return true;
}

QString PlanningPage::title(QDate first)
{
    const QLocale french(QLocale::French, QLocale::France);
    const QString format = QStringLiteral("dd MMMM yyyy");
    return QStringLiteral("Planning Du ") + french.toString(first, format) +
           QStringLiteral("  Au  ") +
           french.toString(first.addDays(PlanningGrid::kDays - 1), format);
}

void PlanningPage::InitPlanning()
{
    const RecordTable &rooms = m_fiche.set().table(Table::Rooms);
    const int count = std::max(0, m_fiche.set().count(Table::Rooms));
    m_grid.rooms.clear();
    m_grid.rooms.reserve(count);
    for (int b = 0; b < count; ++b) {
        const qsizetype start = rooms.blockStart(b);
        const qsizetype line = start + roomline::Number;
        m_grid.rooms << (start >= 0 && line < rooms.size() ? rooms.text(line).trimmed()
                                                           : QString());
    }
    m_grid.cells.assign(std::size_t(count), PlanningGrid::Row{});
    PlanningGrid::Writers nobody;
    nobody.fill(-1);
    m_grid.writtenBy.assign(std::size_t(count), nobody);
    m_grid.writers.clear();
}

void PlanningPage::PlanningSemaines()
{
    InitPlanning();
    const FileSet &set = m_fiche.set();
    m_grid.first = set.planningStart;
    m_grid.today = today();
    m_grid.title = title(m_grid.first);

    // The first row of each label: a room listed twice shows on its first row.
    QHash<QByteArray, int> rowOf;
    rowOf.reserve(m_grid.rowCount());
    for (int r = 0; r < m_grid.rowCount(); ++r) {
        const QByteArray label = cp1252::encode(m_grid.rooms[r]);
        if (!rowOf.contains(label))
            rowOf.insert(label, r);
    }

    const qint64 firstDay = m_grid.first.toJulianDay();
    const qint64 lastDay = firstDay + PlanningGrid::kDays - 1;
    const qint64 todayDay = m_grid.today.toJulianDay();
    // Writes a code into the days of [from, to] that the period shows, and
    // who wrote it.
    auto fill = [&](int row, qint64 from, qint64 to, const QString &code,
                    PlanningGrid::Writer writer) {
        const int w = int(m_grid.writers.size());
        m_grid.writers.push_back(std::move(writer));
        const qint64 c0 = std::max<qint64>(from - firstDay, 0);
        const qint64 c1 = std::min(to, lastDay) - firstDay;
        for (qint64 c = c0; c <= c1; ++c) {
            m_grid.cells[std::size_t(row)][std::size_t(c)] = code;
            m_grid.writtenBy[std::size_t(row)][std::size_t(c)] = w;
        }
    };

    // Clients in table order, so that a later client overwrites an earlier
    // one; lines a truncated block lacks read as empty.
    const RecordTable &clients = set.table(Table::Clients);
    const qsizetype n = clients.size();
    auto at = [&](qsizetype i) { return i < n ? clients.line(i) : QByteArrayView(); };
    for (qsizetype i = 0; i < n; ++i) {
        if (!beginsBlock(clients.line(i)))
            continue;
        // The room is compared as stored: " 101" is not the room "101".
        const QByteArrayView room = at(i + clientline::Room);
        if (room.isEmpty())
            continue;
        const auto row = rowOf.constFind(QByteArray::fromRawData(room.data(), room.size()));
        if (row == rowOf.cend())
            continue;
        const qint64 from = storedDay(at(i + clientline::Since));
        const qint64 to = storedDay(at(i + clientline::Leaving));
        // A stay ending before it starts writes nothing; nor does one outside
        // the period, unless it may be a guest still here past the departure
        // planned, who keeps the room up to today.
        if (from < 0 || to < 0 || from > to)
            continue;
        const qint64 reach = std::max(to, todayDay);
        if (std::max(from, firstDay) > std::min(reach, lastDay))
            continue;
        const QByteArrayView situation = at(i + clientline::Situation);
        const bool overdue = to < todayDay && presentCode(situation);
        if (!overdue && std::max(from, firstDay) > std::min(to, lastDay))
            continue;
        // The card the cell opens: a block reached by its number.
        const std::optional<qint64> number = clients.startNumber(clients.line(i));
        const bool reachable = number && clients.blockStart(*number) == i;
        fill(*row, from, overdue ? todayDay : to, cp1252::decode(situation),
             {reachable ? int(*number) : -1, false,
              cp1252::decode(at(i + clientline::Name)).trimmed(), QDate::fromJulianDay(from),
              QDate::fromJulianDay(to), overdue});
    }

    // Closures come last and so cover any client.
    const RecordTable &rooms = set.table(Table::Rooms);
    const qsizetype m = rooms.size();
    auto roomText = [&](qsizetype i) { return i < m ? rooms.text(i).trimmed() : QString(); };
    const QString closed = QStringLiteral("9");
    for (qsizetype i = 0; i < m; ++i) {
        if (!RecordTable::isStart(rooms.line(i)))
            continue;
        const qint64 from = storedDay(roomText(i + roomline::ClosedFrom));
        const qint64 to = storedDay(roomText(i + roomline::ClosedUntil));
        if (from < 0 || to < 0 || std::max(from, firstDay) > std::min(to, lastDay))
            continue;
        const auto row = rowOf.constFind(cp1252::encode(roomText(i + roomline::Number)));
        if (row != rowOf.cend())
            fill(*row, from, to, closed,
                 {-1, true, roomText(i + roomline::ClosedReason), QDate::fromJulianDay(from),
                  QDate::fromJulianDay(to), false});
    }
}

void PlanningPage::move(int days)
{
    m_fiche.set().planningStart = m_fiche.set().planningStart.addDays(days);
    PlanningSemaines();
}
