#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

class RecordTable;

// The lines of an invoice or an order: a grid of text cells, rows numbered
// from 1 as the grid shows them (row 0 is its heading), the highest row the
// person has edited, and the cursor. A block read from a file may hold more
// lines than the grid shows: those are kept apart, in order, and written
// back after the grid's rows, so no line is ever lost.
//
// The editing rules shared by the pages live here as plain functions over
// the cells: what a key becomes, where Enter takes the cursor, and deleting
// the row under the cursor.
class LineGrid
{
public:
    LineGrid(int columns, int rows);

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }

    // Cells of rows 1..rows(); an empty text outside the grid.
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    const QStringList &row(int row) const { return m_cells[row - 1]; }
    bool rowIsEmpty(int row) const;
    // Whether a row up to the highest edited one has `column` filled: what
    // makes a card worth storing.
    bool anyFilled(int column) const;
    void clear();

    // Lines read beyond the last row, kept as they were split.
    QList<QStringList> more;

    // The highest row edited (0: none). Rows beyond it are not written.
    int highest = 0;
    int cursorRow = 1;
    int cursorColumn = 0;

    // A tagged line's cells, split at TABs; the last cell keeps any further
    // TAB so that the line is written back as it was read.
    QStringList splitCells(QStringView rest) const;
    static QByteArray joinCells(QByteArrayView tag, const QStringList &cells);

    // Puts the cells of a line read from a block into the next row (from
    // row 1), or keeps it apart when the grid is full. Returns the row, or 0.
    int appendRead(const QStringList &cells);
    // Rows read so far by appendRead (the grid's rows only).
    int readRows() const { return m_read; }

    // The rows to write: 1..highest that hold something, then those kept apart.
    QList<QStringList> rowsToWrite() const;

    // What the grids do with a key before the cell sees it.
    struct KeyRules
    {
        int tabToEnterColumn = -1;   // a TAB there acts as Enter
        int limitColumn = -1;        // typing stops there once the cell is longer than...
        int limit = 0;               // ...this many characters
        bool raiseOnEveryKey = true; // the highest row follows the cursor at each key
    };
    // The key the cell receives; QChar() when it is dropped. Backspace is
    // passed on untouched; in any column but the first "." becomes ",".
    QChar filterKey(QChar key, const KeyRules &rules);
    // After Enter in a column that completes a line: back to column 0, the
    // highest row follows the cursor, and the cursor goes down a row while
    // fewer than 20 rows are in use.
    void enterMove();

    // Deletes the row under the cursor when it is not beyond the highest
    // edited row: the rows below move up, the highest row comes down by
    // one. A row kept apart moves into a full grid's last row. Returns
    // whether a row was deleted.
    bool deleteCursorRow();

    static constexpr QChar kEnter = QChar(u'\r');
    static constexpr QChar kTab = QChar(u'\t');
    static constexpr QChar kBackspace = QChar(u'\b');

private:
    int m_columns;
    int m_rows;
    QList<QStringList> m_cells;
    int m_read = 0;
};

// The tagged lines of a block after its header, up to `end` (its end
// marker, excluded): `tag` lines fill the grid's rows, "MEMO" lines the
// note, and any other line is kept as it was, to be written back.
void readTaggedLines(const RecordTable &table, qsizetype from, qsizetype end, QByteArrayView tag,
                     LineGrid &grid, QStringList &memo, QList<QByteArray> &other);
// The same lines for writing: the grid's rows to write, the note, the others.
void appendTaggedLines(QList<QByteArray> &lines, QByteArrayView tag, const LineGrid &grid,
                       const QStringList &memo, const QList<QByteArray> &other);
