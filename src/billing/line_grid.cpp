#include "line_grid.h"

#include "store/codec.h"
#include "store/record_table.h"

#include <algorithm>

LineGrid::LineGrid(int columns, int rows)
    : m_columns(columns), m_rows(rows), m_cells(rows, QStringList(columns))
{}

QString LineGrid::cell(int row, int column) const
{
    if (row < 1 || row > m_rows || column < 0 || column >= m_columns)
        return {};
    return m_cells[row - 1][column];
}

void LineGrid::setCell(int row, int column, const QString &text)
{
    if (row >= 1 && row <= m_rows && column >= 0 && column < m_columns)
        m_cells[row - 1][column] = text;
}

bool LineGrid::rowIsEmpty(int row) const
{
    const QStringList &r = m_cells[row - 1];
    return std::all_of(r.begin(), r.end(), [](const QString &c) { return c.trimmed().isEmpty(); });
}

bool LineGrid::anyFilled(int column) const
{
    for (int r = 1; r <= std::min(highest, m_rows); ++r)
        if (!cell(r, column).isEmpty())
            return true;
    return false;
}

void LineGrid::clear()
{
    for (QStringList &r : m_cells)
        r = QStringList(m_columns);
    more.clear();
    highest = 0;
    cursorRow = 1;
    cursorColumn = 0;
    m_read = 0;
}

QStringList LineGrid::splitCells(QStringView rest) const
{
    QStringList cells(m_columns);
    int c = 0;
    qsizetype from = 0;
    while (c < m_columns - 1) {
        const qsizetype tab = rest.indexOf(u'\t', from);
        if (tab < 0)
            break;
        cells[c++] = rest.sliced(from, tab - from).toString();
        from = tab + 1;
    }
    cells[c] = rest.sliced(from).toString();
    return cells;
}

QByteArray LineGrid::joinCells(QByteArrayView tag, const QStringList &cells)
{
    QByteArray line = tag.toByteArray();
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i)
            line += '\t';
        line += cp1252::encode(cells[i]);
    }
    return line;
}

int LineGrid::appendRead(const QStringList &cells)
{
    if (m_read < m_rows) {
        m_cells[m_read++] = cells;
        return m_read;
    }
    more << cells;
    return 0;
}

QList<QStringList> LineGrid::rowsToWrite() const
{
    QList<QStringList> out;
    for (int r = 1; r <= std::min(highest, m_rows); ++r)
        if (!rowIsEmpty(r))
            out << m_cells[r - 1];
    return out + more;
}

QChar LineGrid::filterKey(QChar key, const KeyRules &rules)
{
    if (key == kBackspace)
        return key;
    if (cursorColumn > 0 && key == u'.')
        key = u',';
    if (cursorColumn == rules.tabToEnterColumn && key == kTab)
        key = kEnter;
    if (rules.raiseOnEveryKey)
        highest = std::max(highest, cursorRow);
    if (cursorColumn == rules.limitColumn && cell(cursorRow, cursorColumn).size() > rules.limit)
        return {};
    return key;
}

void LineGrid::enterMove()
{
    cursorColumn = 0;
    highest = std::max(highest, cursorRow);
    if (highest < 20 && cursorRow < m_rows)
        ++cursorRow;
}

bool LineGrid::deleteCursorRow()
{
    const int row = cursorRow;
    if (row < 1 || row > highest || row > m_rows)
        return false;
    const int last = std::min(highest, m_rows);
    for (int r = row; r < last; ++r)
        m_cells[r - 1] = m_cells[r];
    if (last == m_rows && !more.isEmpty()) {
        // The first line kept apart comes into view; the grid stays full.
        m_cells[last - 1] = more.takeFirst();
        return true;
    }
    m_cells[last - 1] = QStringList(m_columns);
    highest = last - 1;
    return true;
}

void readTaggedLines(const RecordTable &t, qsizetype from, qsizetype end, QByteArrayView tag,
                     LineGrid &grid, QStringList &memo, QList<QByteArray> &other)
{
    for (qsizetype i = from; i < end; ++i) {
        const QByteArrayView l = t.line(i);
        if (l.startsWith(tag))
            grid.appendRead(grid.splitCells(cp1252::decode(l.sliced(tag.size()))));
        else if (l.startsWith("MEMO"))
            memo << cp1252::decode(l.sliced(4));
        else
            other << l.toByteArray();
    }
}

void appendTaggedLines(QList<QByteArray> &lines, QByteArrayView tag, const LineGrid &grid,
                       const QStringList &memo, const QList<QByteArray> &other)
{
    for (const QStringList &row : grid.rowsToWrite())
        lines << LineGrid::joinCells(tag, row);
    for (const QString &m : memo)
        lines << "MEMO" + cp1252::encode(m);
    lines << other;
}
