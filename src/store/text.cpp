#include "text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace text {

std::vector<LineSpan> splitLines(QByteArrayView bytes)
{
    std::vector<LineSpan> lines;
    forEachLine(bytes, [&](qsizetype start, qsizetype length) { lines.push_back({start, length}); });
    return lines;
}

namespace {

// Pixel widths of the printable ASCII characters in an 8-point sans-serif
// screen font, from ' ' (32) to '~' (126). Other characters count as 6.
constexpr std::array<unsigned char, 95> kWidths = {
    3, 3, 4, 6, 6, 9, 8, 2, 4, 4, 6, 6, 3, 4, 3, 3,  //  !"#$%&'()*+,-./
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 3, 3, 6, 6, 6, 6,  // 0-9 :;<=>?
    11, 7, 7, 8, 8, 7, 6, 8, 8, 3, 5, 7, 6, 9, 8, 8, // @A-O
    7, 8, 8, 7, 7, 8, 7, 11, 7, 7, 7, 3, 3, 3, 5, 6, // P-Z [\]^_
    3, 6, 6, 5, 6, 6, 3, 6, 6, 2, 2, 5, 2, 8, 6, 6, // `a-o
    6, 6, 4, 5, 3, 6, 5, 8, 5, 5, 5, 4, 3, 4, 7};    // p-z {|}~

} // namespace

int textWidth(QStringView s)
{
    int w = 0;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        w += (u >= 32 && u < 127) ? kWidths[u - 32] : 6;
    }
    return w;
}

QString Rset(QStringView s, int width)
{
    QString t = s.trimmed().toString();
    if (t.isEmpty())
        return t;
    const int blank = kWidths[0];
    int w = textWidth(t);
    qsizetype pad = 0;
    while (w <= width - 10) {
        w += blank;
        ++pad;
    }
    return QString(pad, QLatin1Char(' ')) + t;
}

QString normRoom(QStringView s)
{
    const QString t = s.trimmed().toString();
    if (t.isEmpty())
        return QStringLiteral("    "); // as the room files have always held it
    if (t.size() >= 5)
        return t.right(5);
    return QString(5 - t.size(), QLatin1Char(' ')) + t;
}

QString beforeTab(QString &rest)
{
    const qsizetype tab = rest.indexOf(QLatin1Char('\t'));
    QString head;
    if (tab < 0) {
        head = rest;
        rest.clear();
    } else {
        head = rest.left(tab);
        rest.remove(0, tab + 1);
    }
    return head;
}

QString upperAZ(QStringView s)
{
    QString out = s.toString();
    for (QChar &c : out)
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(c.unicode() - 32);
    return out;
}

QByteArray upperAZ(QByteArrayView s)
{
    QByteArray out = s.toByteArray();
    for (char &c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return out;
}

QString amountFormat(int decimals)
{
    switch (decimals) {
    case 0:
        return QStringLiteral("#");
    case 1:
        return QStringLiteral("0.0");
    default:
        return QStringLiteral("0.00");
    }
}

int decimalsOfFormat(QStringView format)
{
    if (format == u"#")
        return 0;
    if (format == u"0.0")
        return 1;
    return 2;
}

namespace {

// Rounds the shortest decimal text of a non-negative value to `decimals`
// places, half away from zero, so 2.675 (stored as 2.67499...) gives 2.68
// as a person reading "2,675" expects.
std::string roundDecimal(double value, int decimals)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    std::string s(buf, res.ptr);
    auto dot = s.find('.');
    std::string intPart = dot == std::string::npos ? s : s.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : s.substr(dot + 1);
    const bool roundUp = int(frac.size()) > decimals && frac[decimals] >= '5';
    frac.resize(decimals, '0');
    std::string digits = intPart + frac;
    if (roundUp) {
        int i = int(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i];
    }
    intPart = digits.substr(0, digits.size() - decimals);
    frac = digits.substr(digits.size() - decimals);
    return decimals > 0 ? intPart + ',' + frac : intPart;
}

} // namespace

QString formatAmount(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString();
    decimals = std::clamp(decimals, 0, 2);
    std::string s = roundDecimal(std::fabs(value), decimals);
    const bool zero = s.find_first_not_of("0,") == std::string::npos;
    if (zero)
        return decimals == 0 ? QString() : QString::fromStdString(s);
    if (std::signbit(value))
        s.insert(s.begin(), '-');
    return QString::fromStdString(s);
}

QString realError(QStringView s)
{
    return QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte").arg(s);
}

QString intError(QStringView s)
{
    return QStringLiteral("'%1' n'est pas une valeur entière correcte").arg(s);
}

QString dateError(QStringView s)
{
    return QStringLiteral("'%1' n'est pas une date correcte").arg(s);
}

std::optional<double> parseReal(QStringView s, QString *error)
{
    // Decimal comma, optional sign and exponent, blanks around allowed.
    const QString t = s.trimmed().toString();
    std::string ascii;
    bool valid = !t.isEmpty();
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (u == ',')
            ascii.push_back('.');
        else if ((u >= '0' && u <= '9') || u == '+' || u == '-' || u == 'e' || u == 'E')
            ascii.push_back(char(u));
        else
            valid = false;
    }
    double v = 0;
    if (valid) {
        const char *b = ascii.data();
        const char *e = b + ascii.size();
        if (*b == '+')
            ++b;
        auto res = std::from_chars(b, e, v, std::chars_format::general);
        valid = res.ec == std::errc() && res.ptr == e && std::isfinite(v);
    }
    if (!valid) {
        if (error)
            *error = realError(s);
        return std::nullopt;
    }
    return v;
}

std::optional<int> parseInt(QStringView s, QString *error)
{
    const QByteArray t = s.trimmed().toLatin1();
    const char *b = t.constData();
    const char *e = b + t.size();
    if (b != e && *b == '+')
        ++b;
    int v = 0;
    auto res = std::from_chars(b, e, v);
    if (t.isEmpty() || res.ec != std::errc() || res.ptr != e) {
        if (error)
            *error = intError(s);
        return std::nullopt;
    }
    return v;
}

std::optional<QDate> parseDate(QStringView s, QString *error)
{
    const QDate d = QDate::fromString(s.trimmed().toString(), QStringLiteral("dd/MM/yyyy"));
    if (!d.isValid()) {
        if (error)
            *error = dateError(s);
        return std::nullopt;
    }
    return d;
}

QDate storedDate(QStringView s)
{
    if (s.size() != 10)
        return QDate();
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!s[i].isDigit() || s[i].unicode() > '9')
            return QDate();
    if (s[2] != u'/' || s[5] != u'/')
        return QDate();
    return QDate(s.mid(6, 4).toInt(), s.mid(3, 2).toInt(), s.mid(0, 2).toInt());
}

namespace {

// Digits written by hand: the journal of ten years asks for a million
// dates, and a format through the locale costs a microsecond each.
// Nothing for an invalid date or a year of other than four digits, which
// the locale writes.
std::optional<QString> quickDate(QDate d, bool key)
{
    int year = 0, month = 0, day = 0;
    d.getDate(&year, &month, &day);
    if (!d.isValid() || year < 1000 || year > 9999)
        return std::nullopt;
    char16_t out[10];
    auto two = [](char16_t *p, int v) {
        p[0] = char16_t(u'0' + v / 10);
        p[1] = char16_t(u'0' + v % 10);
    };
    char16_t *y = out + (key ? 0 : 6);
    two(y, year / 100);
    two(y + 2, year % 100);
    if (key) {
        two(out + 4, month);
        two(out + 6, day);
        return QString(reinterpret_cast<const QChar *>(out), 8);
    }
    two(out, day);
    out[2] = u'/';
    two(out + 3, month);
    out[5] = u'/';
    return QString(reinterpret_cast<const QChar *>(out), 10);
}

} // namespace

QString dateText(QDate d)
{
    if (std::optional<QString> quick = quickDate(d, false))
        return *quick;
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QString dayKey(QDate d)
{
    if (std::optional<QString> quick = quickDate(d, true))
        return *quick;
    return d.toString(QStringLiteral("yyyyMMdd"));
}

} // namespace text
