#include "codec.h"

#include <array>

namespace cp1252 {
namespace {

// 0x80..0x9F; the undefined bytes keep their C1 control value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int byteFor(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u)
            return 0x80 + i;
    return -1;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return out;
}

QByteArray encode(QStringView text, bool *ok)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteFor(text[i].unicode());
        if (b < 0)
            all = false;
        out[i] = b < 0 ? '?' : char(b);
    }
    if (ok)
        *ok = all;
    return out;
}

bool looksLikeMarker(QStringView text)
{
    return text.startsWith(u"<BLOC") || text.startsWith(u"</BLOC");
}

QString withoutMarker(QString text, bool *changed)
{
    const bool marker = looksLikeMarker(text);
    if (changed)
        *changed = marker;
    return marker ? QLatin1Char(' ') + text : text;
}

QString markerMessage()
{
    return QStringLiteral("Un texte ne peut pas commencer par « <BLOC » ni « </BLOC » : "
                          "une espace a été ajoutée devant.");
}

QByteArray encodeField(QStringView text, bool *ok)
{
    return looksLikeMarker(text) ? encode(withoutMarker(text.toString()), ok) : encode(text, ok);
}

bool canEncode(QChar c)
{
    return byteFor(c.unicode()) >= 0;
}

bool canEncode(QStringView text)
{
    for (QChar c : text)
        if (!canEncode(c))
            return false;
    return true;
}

} // namespace cp1252
