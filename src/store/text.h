#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>

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

// Calls f(start, length) for each line, without building a list.
template<typename F>
void forEachLine(QByteArrayView bytes, F &&f)
{
    const char *p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '\n' || c == '\r') {
            f(start, i - start);
            if (c == '\r' && i + 1 < n && p[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        f(start, n - start);
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
