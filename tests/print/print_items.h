#pragma once

#include "print/print_document.h"

#include <QStringList>

// The text printed at (x, y) mm on a page, or "<none>".
inline QString textAt(const PrintPage &page, double x, double y)
{
    for (const PrintItem &i : page)
        if (i.kind == PrintItem::Kind::Text && i.x == x && i.y == y)
            return i.text;
    return QStringLiteral("<none>");
}

// The texts printed at x on a page, top to bottom as laid out.
inline QStringList column(const PrintPage &page, double x, double fromY = 6)
{
    QStringList out;
    for (const PrintItem &i : page)
        if (i.kind == PrintItem::Kind::Text && i.x == x && i.y >= fromY)
            out << i.text;
    return out;
}
