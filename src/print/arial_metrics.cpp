#include "print_document.h"

#include <array>

// Advance widths in thousandths of an em of Arial and its metric twin
// Liberation Sans, characters 32 to 126, regular then bold.
namespace {

// clang-format off
constexpr std::array<short, 95> kRegular = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278, // ' ' to '/'
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, // '0' to '?'
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778, // '@' to 'O'
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556, // 'P' to '_'
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556, // '`' to 'o'
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};     // 'p' to '~'

constexpr std::array<short, 95> kBold = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584};
// clang-format on

int advance(char16_t c, bool bold)
{
    const auto &table = bold ? kBold : kRegular;
    if (c >= 32 && c <= 126)
        return table[c - 32];
    switch (c) {
    case u'\u00a0':
        return 278;
    case u'°':
        return 400;
    case u'€':
    case u'«':
    case u'»':
    case u'–':
        return 556;
    case u'’':
    case u'‘':
        return bold ? 278 : 222;
    case u'—':
    case u'…':
    case u'Æ':
        return 1000;
    case u'æ':
        return 889;
    case u'ß':
    case u'ø':
        return 611;
    case u'Ø':
        return 778;
    case u'×':
    case u'÷':
        return 584;
    case u'ì':
    case u'í':
    case u'î':
    case u'ï':
        return 278; // dotless i, wider than i
    default:
        break;
    }
    // Accented letters take the width of their base letter.
    const QString d = QChar(c).decomposition();
    if (!d.isEmpty() && d.at(0).unicode() >= 32 && d.at(0).unicode() <= 126)
        return table[d.at(0).unicode() - 32];
    return 556;
}

} // namespace

double arialWidthMm(QStringView text, double pointSize, bool bold)
{
    long units = 0;
    for (QChar c : text)
        units += advance(c.unicode(), bold);
    return units / 1000.0 * pointSize * 25.4 / 72.0;
}

QString elidedArial(const QString &text, double widthMm, const PrintFont &font)
{
    if (arialWidthMm(text, font.size, font.bold) <= widthMm)
        return text;
    const QChar ellipsis(u'\u2026');
    // Widths are summed in thousandths of an em to stay exact.
    const double emMm = font.size * 25.4 / 72.0;
    long room = long((widthMm / emMm) * 1000.0) - advance(ellipsis.unicode(), font.bold);
    if (room < 0)
        return {};
    qsizetype kept = 0;
    for (; kept < text.size(); ++kept) {
        room -= advance(text[kept].unicode(), font.bold);
        if (room < 0)
            break;
    }
    while (kept > 0 && text[kept - 1].isSpace())
        --kept;
    return text.left(kept) + ellipsis;
}
