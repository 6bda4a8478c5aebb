#include "grid_printout.h"

#include "store/text.h"

#include <algorithm>

int GridSheet::width() const
{
    int w = 0;
    for (const GridColumn &c : columns)
        w += std::max(c.width, 0);
    return w;
}

QStringList GridSheet::columnDown(int column) const
{
    QStringList cells;
    for (const QStringList &row : rows) {
        const QString cell = row.value(column).trimmed();
        if (cell.isEmpty())
            break;
        cells << cell;
    }
    return cells;
}

namespace {

const PrintFont kBody{QStringLiteral("Arial"), 9, false};
const PrintFont kBold{QStringLiteral("Arial"), 9, true};
const PrintFont kTitle{QStringLiteral("Arial"), 14, true};
constexpr unsigned kBandGrey = 0xC0C0C0;
// Arial's line spacing, in ems.
constexpr double kArialLineSpacing = 1.15;
constexpr double kPointMm = 25.4 / 72;

class Layout
{
public:
    Layout(PrintDocument &doc, const GridSheet &sheet, const QString &heading, QDate today,
           const GridPrintExtras &extras, int pageCount)
        : m_doc(doc), m_sheet(sheet), m_heading(heading), m_today(today), m_extras(extras),
          m_pageCount(pageCount)
    {
        const PageMetrics &m = doc.metrics();
        m_left = m.widthMm / 25.0;
        m_right = m.widthMm - m_left;
        m_top = m.heightMm / 25.0;
        // Every position is printed 3 mm below its nominal value.
        m_bottom = m.heightMm - m_top - 3;
        m_textHeight = kBody.size * kPointMm * kArialLineSpacing;
        m_lineHeight = m_textHeight * 3 / 2;
        // A real scale: the grid keeps its proportions on any printer.
        const int gridWidth = sheet.width();
        const double scale = gridWidth > 0 ? (m_right - m_left) / gridWidth : 0;
        double x = m_left;
        for (const GridColumn &c : sheet.columns) {
            m_x << x;
            x += std::max(c.width, 0) * scale;
        }
        m_x << m_right;
        pageHead();
    }

    void row(const QStringList &cells, bool bold = false)
    {
        if (m_y + m_lineHeight > m_bottom) {
            columnLines();
            m_doc.newPage();
            pageHead();
        }
        m_doc.setFont(bold ? kBold : kBody);
        printCells(cells);
        m_y += m_lineHeight;
        m_doc.line(m_left, m_y, m_right, m_y);
    }

    void finish() { columnLines(); }
    int pages() const { return m_page; }

private:
    void pageHead()
    {
        ++m_page;
        m_y = m_top;
        if (!m_extras.title.isEmpty()) {
            m_doc.setFont(kTitle);
            m_doc.text((m_left + m_right) / 2, m_y, m_extras.title, Align::Center);
            m_y += kTitle.size * kPointMm * kArialLineSpacing * 3 / 2;
        }
        if (m_extras.pageNumbers) {
            m_doc.setFont(kBody);
            m_doc.text(m_right, m_bottom + m_lineHeight / 2,
                       QStringLiteral("Page %1/%2").arg(m_page).arg(std::max(m_pageCount, m_page)),
                       Align::Right);
        }
        m_doc.setFont(kBold);
        m_doc.text(m_left, m_y, m_heading);
        m_doc.text(m_right, m_y, QStringLiteral("Imprimé le ") + text::dateText(m_today),
                   Align::Right);
        m_y += m_lineHeight;
        m_bandTop = m_y;
        m_doc.fill(m_left, m_y, m_right, m_y + m_lineHeight, kBandGrey);
        m_doc.line(m_left, m_y, m_right, m_y);
        QStringList headings;
        for (const GridColumn &c : m_sheet.columns)
            headings << c.heading;
        printCells(headings);
        m_y += m_lineHeight;
        m_doc.line(m_left, m_y, m_right, m_y);
        m_doc.setFont(kBody);
    }

    void printCells(const QStringList &cells)
    {
        const double pad = 1;
        const double y = m_y + (m_lineHeight - m_textHeight) / 2;
        for (qsizetype c = 0; c < m_sheet.columns.size(); ++c) {
            const double width = m_x[c + 1] - m_x[c] - 2 * pad;
            const QString shown = elidedArial(cells.value(c).trimmed(), width, m_doc.font());
            if (shown.isEmpty())
                continue;
            if (m_sheet.columns[c].right)
                m_doc.text(m_x[c + 1] - pad, y, shown, Align::Right);
            else
                m_doc.text(m_x[c] + pad, y, shown);
        }
    }

    void columnLines()
    {
        for (double x : m_x)
            m_doc.line(x, m_bandTop, x, m_y);
    }

    PrintDocument &m_doc;
    const GridSheet &m_sheet;
    QString m_heading;
    QDate m_today;
    GridPrintExtras m_extras;
    int m_pageCount = 0, m_page = 0;
    double m_left = 0, m_right = 0, m_top = 0, m_bottom = 0;
    double m_textHeight = 0, m_lineHeight = 0;
    double m_y = 0, m_bandTop = 0;
    QList<double> m_x; // each column's left edge, then the right edge
};

} // namespace

PrintDocument gridPrintout(const GridSheet &sheet, const QString &title, const QString &heading,
                           int rowCount, QDate today, const PageMetrics &metrics,
                           const GridPrintExtras &extras)
{
    const int rows = std::clamp(rowCount, 0, int(sheet.rows.size()));
    auto lay = [&](int pageCount) {
        PrintDocument doc(title, Orientation::Portrait, metrics);
        Layout layout(doc, sheet, heading, today, extras, pageCount);
        auto bold = extras.boldRows.cbegin();
        for (int r = 0; r < rows; ++r) {
            while (bold != extras.boldRows.cend() && *bold < r)
                ++bold;
            layout.row(sheet.rows[r], bold != extras.boldRows.cend() && *bold == r);
        }
        layout.finish();
        return std::pair{doc, layout.pages()};
    };
    auto [doc, pages] = lay(0);
    // "Page n/N" needs N: laid out once more, knowing it.
    if (extras.pageNumbers)
        return lay(pages).first;
    return doc;
}

PrintJob gridPrintoutJob(const GridSheet &sheet, const QString &titlePrefix, const QString &heading,
                         int rowCount, QDate today, const GridPrintExtras &extras)
{
    const QString title = titlePrefix + text::dateText(today);
    return {title, Orientation::Portrait, std::nullopt,
            [=](const PageMetrics &m, const PrintRange &) {
                return gridPrintout(sheet, title, heading, rowCount, today, m, extras);
            }};
}

Spreadsheet gridSpreadsheet(const GridSheet &sheet, const QString &name, const QList<CellType> &types)
{
    Spreadsheet out{name, {}, {}};
    for (qsizetype c = 1; c < sheet.columns.size(); ++c)
        out.columns << SheetColumn{sheet.columns[c].heading, types.value(c - 1, CellType::Text)};
    for (const QStringList &row : sheet.rows)
        out.rows << row.mid(1);
    return out;
}
