#include "planning.h"

#include "nights.h"
#include "room_lines.h"
#include "store/codec.h"
#include "store/text.h"

#include <QLocale>
#include <QSet>

#include <algorithm>

CellState PlanningGrid::state(const QString &code)
{
    if (code == kConflict)
        return CellState::Conflict;
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

QList<const PlanningGrid::Writer *> PlanningGrid::holders(int row, int column) const
{
    QList<const Writer *> out;
    if (row < 0 || row >= int(writtenBy.size()) || column < 0 || column >= kDays)
        return out;
    for (int w : writtenBy[std::size_t(row)][std::size_t(column)])
        if (w >= 0 && w < int(writers.size()))
            out << &writers[std::size_t(w)];
    return out;
}

const PlanningGrid::Writer *PlanningGrid::writer(int row, int column) const
{
    const QList<const Writer *> all = holders(row, column);
    return all.isEmpty() ? nullptr : all.first();
}

int PlanningGrid::clientAt(int row, int column) const
{
    const Writer *w = writer(row, column);
    return w && !w->closure ? w->client : -1;
}

bool PlanningGrid::overdue(int row, int column) const
{
    for (const Writer *w : holders(row, column))
        if (w->overdue)
            return true;
    return false;
}

namespace {

QStringList tipOf(const PlanningGrid::Writer &w, const QString &code)
{
    const QString stay = QStringLiteral("du ") + text::dateText(w.from) + QStringLiteral(" au ") +
                         text::dateText(w.to);
    QStringList lines;
    if (w.closure) {
        lines << QStringLiteral("Fermée") << w.text << stay;
    } else {
        lines << w.text << stay;
        if (w.over)
            lines << QStringLiteral("Séjour passé");
        else if (code == u"0")
            lines << QStringLiteral("Présent");
        else if (code == u"1")
            lines << QStringLiteral("Réserve");
        else
            lines << QStringLiteral("Confirme");
        if (w.overdue)
            lines << QStringLiteral("Départ dépassé");
        if (w.noShow)
            lines << QStringLiteral("Non arrivé");
    }
    lines.removeAll(QString());
    return lines;
}

} // namespace

QString PlanningGrid::tip(int row, int column) const
{
    const QList<const Writer *> all = holders(row, column);
    if (all.isEmpty())
        return {};
    if (all.size() == 1)
        return tipOf(*all.first(), codes[std::size_t(writtenBy[std::size_t(row)][std::size_t(column)].first())])
            .join(u'\n');
    QStringList lines{QStringLiteral("Conflit : %1 pour cette nuit").arg(all.size())};
    for (int w : writtenBy[std::size_t(row)][std::size_t(column)])
        lines << QString() << tipOf(writers[std::size_t(w)], codes[std::size_t(w)]);
    return lines.join(u'\n');
}

PlanningPage::PlanningPage(Fiche &fiche) : m_fiche(fiche) {}

QDate PlanningPage::today() const
{
    return m_today.isValid() ? m_today : m_fiche.today();
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
    m_grid.writtenBy.assign(std::size_t(count), PlanningGrid::Writers{});
    m_grid.writers.clear();
    m_grid.codes.clear();
}

void PlanningPage::PlanningSemaines()
{
    InitPlanning();
    const FileSet &set = m_fiche.set();
    m_grid.first = set.planningStart;
    m_grid.today = today();
    m_grid.title = title(m_grid.first);

    const qint64 firstDay = m_grid.first.toJulianDay();
    const qint64 lastDay = firstDay + PlanningGrid::kDays - 1;
    const auto held = nights::of(set, m_grid.today);
    // The first row of each label: a room listed twice shows on its first row.
    QSet<QString> shown;
    for (int r = 0; r < m_grid.rowCount(); ++r) {
        const QString &label = m_grid.rooms[r];
        if (label.isEmpty() || shown.contains(label))
            continue;
        shown.insert(label);
        for (const nights::Hold *h : held->of(cp1252::encode(label), firstDay, lastDay)) {
            const int w = int(m_grid.writers.size());
            // The card a cell opens: a block reached by its number.
            const bool reachable = h->client >= 0 && h->reachable;
            m_grid.writers.push_back({reachable ? h->client : -1, h->kind == nights::Kind::Closed, h->name, h->since,
                                      h->until, h->overdue, h->noShow, h->kind == nights::Kind::Stayed});
            m_grid.codes.push_back(QString::number(h->code()));
            for (qint64 c = std::max(h->first, firstDay) - firstDay; c <= std::min(h->last, lastDay) - firstDay; ++c) {
                QList<int> &cell = m_grid.writtenBy[std::size_t(r)][std::size_t(c)];
                // A card's own stays never clash with each other.
                if (h->client >= 0 && std::any_of(cell.begin(), cell.end(), [&](int o) {
                        return m_grid.writers[std::size_t(o)].client == h->client;
                    }))
                    continue;
                cell << w;
                QString &code = m_grid.cells[std::size_t(r)][std::size_t(c)];
                code = cell.size() == 1 ? m_grid.codes.back() : PlanningGrid::kConflict;
            }
        }
    }
}

void PlanningPage::move(int days)
{
    m_fiche.set().planningStart = m_fiche.set().planningStart.addDays(days);
    PlanningSemaines();
}
