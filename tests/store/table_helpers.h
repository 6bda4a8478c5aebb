#pragma once

#include "store/record_table.h"

#include <QStringList>

// Builds a table from literal lines and reads it back as lines.
inline RecordTable tableOf(const QStringList &lines, int width = 5)
{
    RecordTable t(width);
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += l.toLatin1() + "\r\n";
    t.setBytes(bytes);
    return t;
}

inline QStringList linesOf(const RecordTable &t)
{
    QStringList out;
    for (qsizetype i = 0; i < t.size(); ++i)
        out << QString::fromLatin1(t.line(i));
    return out;
}
