#pragma once

#include <QList>
#include <QSizeF>
#include <QString>

#include <optional>

// A printout laid out in millimetres: pages of texts, lines, frames and
// fills, positioned as the printer will place them through Mh and Mv.

// The printable area of a page, in printer pixels and in whole millimetres.
struct PageMetrics
{
    int widthPx = 0, heightPx = 0;
    int widthMm = 0, heightMm = 0;

    // Whole pixels per millimetre, as Mh and Mv use them.
    int pxPerMmH() const { return widthMm > 0 ? widthPx / widthMm : 0; }
    int pxPerMmV() const { return heightMm > 0 ? heightPx / heightMm : 0; }

    bool operator==(const PageMetrics &) const = default;
};

// An A4 sheet at `dpi` with 5 mm unprintable margins: what layouts assume
// before a printer is known, and what tests lay out on.
PageMetrics a4Metrics(int dpi, bool landscape);

// The A5 sheet in millimetres (portrait), for printouts that ask for it.
inline const QSizeF kA5PaperMm(148, 210);
// A sheet of `paperMm` (portrait) at `dpi` with the same 5 mm margins.
PageMetrics paperMetrics(QSizeF paperMm, int dpi, bool landscape);

// Millimetres to printer pixels. Vertical positions fall 3 mm below their
// nominal value.
inline int Mh(const PageMetrics &m, int x)
{
    return x * m.pxPerMmH();
}
inline int Mv(const PageMetrics &m, int y)
{
    return (y + 3) * m.pxPerMmV();
}

enum class Orientation { Portrait, Landscape };
enum class Align { Left, Center, Right };

struct PrintFont
{
    QString family = QStringLiteral("Arial");
    double size = 10; // points
    bool bold = false;
    bool operator==(const PrintFont &) const = default;
};

struct PrintItem
{
    enum class Kind { Text, Line, Frame, Fill };
    Kind kind = Kind::Text;
    // Nominal millimetres (before Mv's 3 mm). A text's (x, y) is the top of
    // its line, at its left edge, centre or right edge as aligned; a line
    // goes from (x, y) to (x2, y2); a frame or a fill spans both corners.
    double x = 0, y = 0, x2 = 0, y2 = 0;
    QString text;
    PrintFont font;
    Align align = Align::Left;
    unsigned rgb = 0x000000; // fills
};

using PrintPage = QList<PrintItem>;

// Built like a canvas: a current font, output on the current page, new pages.
class PrintDocument
{
public:
    PrintDocument(QString title, Orientation orientation, const PageMetrics &metrics);

    const QString &title() const { return m_title; }
    Orientation orientation() const { return m_orientation; }
    const PageMetrics &metrics() const { return m_metrics; }
    const QList<PrintPage> &pages() const { return m_pages; }
    // The sheet the printout is made for, in millimetres (portrait); none
    // when it follows the printer's paper.
    const std::optional<QSizeF> &paper() const { return m_paper; }
    void setPaper(std::optional<QSizeF> paperMm) { m_paper = paperMm; }

    void setFont(const PrintFont &font) { m_font = font; }
    const PrintFont &font() const { return m_font; }

    void text(double x, double y, const QString &text, Align align = Align::Left);
    void line(double x1, double y1, double x2, double y2);
    void frame(double x1, double y1, double x2, double y2);
    void fill(double x1, double y1, double x2, double y2, unsigned rgb);
    void newPage();

    // Whether nominal y lies below the bottom of the page less `margin` mm,
    // compared in printer pixels as page breaks are decided.
    bool beyondBottom(int y, int margin) const
    {
        return Mv(m_metrics, y) > m_metrics.heightPx - Mv(m_metrics, margin);
    }

private:
    PrintItem &add(PrintItem::Kind kind, double x1, double y1, double x2, double y2);

    QString m_title;
    Orientation m_orientation;
    PageMetrics m_metrics;
    std::optional<QSizeF> m_paper;
    PrintFont m_font;
    QList<PrintPage> m_pages{PrintPage{}};
};

// Width in millimetres of a text in Arial (Liberation Sans metrics, from a
// fixed table, so layouts never depend on the fonts installed).
double arialWidthMm(QStringView text, double pointSize, bool bold = false);

// The text in the font (Arial metrics) cut to at most `widthMm`, ending with
// "…" when cut (trailing blanks dropped before it); the text itself when it
// fits, nothing when not even "…" does.
QString elidedArial(const QString &text, double widthMm, const PrintFont &font);
