#pragma once

#include "print/print_document.h"
#include "store/table_helpers.h"

#include <QStringList>

inline const PageMetrics kPortrait = a4Metrics(300, false);
inline const PageMetrics kLandscape = a4Metrics(300, true);

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

// A client block as the client table holds it; line 4 on: name, addresses,
// postal code, town, country, telephone, fax.
inline QStringList clientBlock(int n)
{
    const QString num = QStringLiteral("%1").arg(n, 5, 10, QChar('0'));
    QStringList b = {"<BLOC" + num + ">", QString::number(10001 + n), "N", "N"};
    for (const char *field : {"Nom", "Adr1", "Adr2", "CP", "Ville", "Pays", "Tel", "Fax"})
        b << QString(field) + " " + QString::number(n);
    return b << QStringList(20) << "</BLOC" + num + ">";
}

inline RecordTable clients(int count, int missing = -1)
{
    QStringList lines;
    for (int n = 0; n < count; ++n)
        if (n != missing)
            lines += clientBlock(n);
    return tableOf(lines);
}
