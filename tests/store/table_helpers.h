#pragma once

#include "store/record_table.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

// Lines as a file holds them: each followed by CR LF.
inline QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += l.toLatin1() + "\r\n";
    return out;
}

inline RecordTable tableOf(const QStringList &lines, int width = 5)
{
    RecordTable t(width);
    t.setBytes(crlf(lines));
    return t;
}

inline QStringList linesOf(const RecordTable &t)
{
    QStringList out;
    for (qsizetype i = 0; i < t.size(); ++i)
        out << QString::fromLatin1(t.line(i));
    return out;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
