#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>

#include <cstring>
#include <optional>
#include <vector>

// Small text routines every card reader and writer relies on.
namespace text {

// One line of a file: where it starts in the bytes and how long it is,
// without its end (CR LF, CR or LF).
struct LineSpan
{
    qsizetype start = 0;
    qsizetype length = 0;
};

// Lines of a file. A final line end adds no empty line; a file without a
// final line end still gives its last line.
std::vector<LineSpan> splitLines(QByteArrayView bytes);

// The first CR or LF from p on, or `end`: looked for eight bytes at a time.
inline const char *lineEnd(const char *p, const char *end)
{
    constexpr quint64 kOnes = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    const auto hasZeroByte = [](quint64 v) { return (v - kOnes) & ~v & kHigh; };
    while (end - p >= 8) {
        quint64 w;
        std::memcpy(&w, p, sizeof w);
        if (hasZeroByte(w ^ (kOnes * '\r')) | hasZeroByte(w ^ (kOnes * '\n')))
            break;
        p += 8;
    }
    while (p != end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

// Calls f(start, length) for each line, without building a list.
template<typename F>
void forEachLine(QByteArrayView bytes, F &&f)
{
    const char *p = bytes.data();
    const char *end = p + bytes.size();
    const char *start = p;
    while (start != end) {
        const char *stop = lineEnd(start, end);
        if (stop == end)
            break;
        f(start - p, stop - start);
        start = stop + (*stop == '\r' && stop + 1 != end && stop[1] == '\n' ? 2 : 1);
    }
    if (start != end)
        f(start - p, end - start);
}

// Width in pixels of a text in the record window's font, from a fixed table
// so that stored amounts never depend on the fonts installed.
int textWidth(QStringView s);

// Right-aligns a trimmed text for a column `width` pixels wide by prefixing
// blanks while the text is at most width - 10 pixels wide. Empty stays empty.
QString Rset(QStringView s, int width);

// Room numbers are compared trimmed and right-aligned in five characters;
// longer numbers keep their last five characters; an empty one is four blanks.
QString normRoom(QStringView s);

// Takes the text before the next TAB; `rest` keeps what follows the TAB, or
// becomes empty when there is none.
QString beforeTab(QString &rest);

// Upper-cases a to z only: accented letters keep their case.
QString upperAZ(QStringView s);
QByteArray upperAZ(QByteArrayView s);

// The amount format of a number of decimals (0, 1, 2): "#", "0.0", "0.00".
QString amountFormat(int decimals);
int decimalsOfFormat(QStringView format);

// An amount as the user sees it: decimal comma, rounded half away from zero
// on its decimal value (2.675 gives "2,68"), no thousands separator; with no
// decimals a zero amount is an empty text.
QString formatAmount(double value, int decimals);

// Conversions with the French messages of the program. On failure the
// message is put in *error (when given) and nothing is returned.
std::optional<double> parseReal(QStringView s, QString *error = nullptr);
std::optional<int> parseInt(QStringView s, QString *error = nullptr);
std::optional<QDate> parseDate(QStringView s, QString *error = nullptr);

QString realError(QStringView s);
QString intError(QStringView s);
QString dateError(QStringView s);

// A stored date is used only when it is exactly ten characters and a real
// date "dd/mm/yyyy"; anything else gives an invalid date.
QDate storedDate(QStringView s);
QString dateText(QDate d);

// The day key "yyyymmdd" that selects ledger lines by text comparison.
QString dayKey(QDate d);

} // namespace text
