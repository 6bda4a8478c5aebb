#include "print_document.h"

#include <cmath>

PageMetrics a4Metrics(int dpi, bool landscape)
{
    return paperMetrics(QSizeF(210, 297), dpi, landscape);
}

PageMetrics paperMetrics(QSizeF paperMm, int dpi, bool landscape)
{
    // The sheet less 5 mm each side.
    const int wMm = int(paperMm.width()) - 10, hMm = int(paperMm.height()) - 10;
    PageMetrics m;
    m.widthMm = landscape ? hMm : wMm;
    m.heightMm = landscape ? wMm : hMm;
    m.widthPx = int(std::lround(m.widthMm * dpi / 25.4));
    m.heightPx = int(std::lround(m.heightMm * dpi / 25.4));
    return m;
}

PrintDocument::PrintDocument(QString title, Orientation orientation, const PageMetrics &metrics)
    : m_title(std::move(title)), m_orientation(orientation), m_metrics(metrics)
{}

PrintItem &PrintDocument::add(PrintItem::Kind kind, double x1, double y1, double x2, double y2)
{
    PrintItem item;
    item.kind = kind;
    item.x = x1;
    item.y = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.font = m_font;
    m_pages.last().append(item);
    return m_pages.last().last();
}

void PrintDocument::text(double x, double y, const QString &text, Align align)
{
    PrintItem &item = add(PrintItem::Kind::Text, x, y, x, y);
    item.text = text;
    item.align = align;
}

void PrintDocument::line(double x1, double y1, double x2, double y2)
{
    add(PrintItem::Kind::Line, x1, y1, x2, y2);
}

void PrintDocument::frame(double x1, double y1, double x2, double y2)
{
    add(PrintItem::Kind::Frame, x1, y1, x2, y2);
}

void PrintDocument::fill(double x1, double y1, double x2, double y2, unsigned rgb)
{
    add(PrintItem::Kind::Fill, x1, y1, x2, y2).rgb = rgb;
}

void PrintDocument::newPage()
{
    m_pages.append(PrintPage{});
}
