#pragma once

#include "store/record_table.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <array>

// Lines as a file holds them: each followed by CR LF.
inline QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += l.toLatin1() + "\r\n";
    return out;
}

// Block n holding `fields`, between its markers.
inline QStringList blockLines(int n, const QStringList &fields, int width = 5)
{
    const QString number = QString::fromLatin1(RecordTable::numberText(n, width)) + '>';
    return QStringList{"<BLOC" + number} + fields + QStringList{"</BLOC" + number};
}

// Blocks 0, 1, 2... holding one line each.
inline QStringList oneLineBlocks(const QStringList &lines)
{
    QStringList out;
    for (int n = 0; n < lines.size(); ++n)
        out += blockLines(n, {lines[n]});
    return out;
}

inline QList<QByteArray> latin1(const QStringList &lines)
{
    QList<QByteArray> out;
    for (const QString &l : lines)
        out << l.toLatin1();
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

// A set's seven files, in table order; a file read as "<missing>" is not
// written back.
inline const char *const kSetExtensions[] = {"htl", "chb", "fct", "mnc", "stk", "frs", "cmd"};
using SetBytes = std::array<QByteArray, 7>;

inline void writeSetFiles(const QString &dir, const QString &base, const SetBytes &files)
{
    for (int i = 0; i < 7; ++i)
        if (files[i] != "<missing>")
            writeFile(dir + '/' + base + '.' + kSetExtensions[i], files[i]);
}

inline SetBytes readSetFiles(const QString &dir, const QString &base)
{
    SetBytes out;
    for (int i = 0; i < 7; ++i)
        out[i] = readFile(dir + '/' + base + '.' + kSetExtensions[i]);
    return out;
}

// The file-size limit stands in for a full disk, for this process only
// while it lives.
class SmallDisk
{
public:
    explicit SmallDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit small = m_old;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~SmallDisk() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};
