#include "rtf.h"

#include "store/codec.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <vector>

namespace rtf {
namespace {

constexpr double kTwipsPerPixel = 15.0;     // 1440 twips per inch, 96 pixels per inch
constexpr int kMaxIndent = 31680;           // 22 inches, in twips
constexpr int kMaxFontNameLength = 200;
constexpr int kMaxUcSkip = 10;
const QString kDefaultFamily = QStringLiteral("Times New Roman");

// The character of each Windows-1252 byte.
const std::array<QChar, 256> &codePage()
{
    static const std::array<QChar, 256> table = [] {
        std::array<QChar, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const QString s = cp1252::decode(QByteArrayView(&byte, 1));
            t[std::size_t(b)] = s.isEmpty() ? QChar(b) : s.at(0);
        }
        return t;
    }();
    return table;
}

struct CharProps
{
    bool bold = false, italic = false, underline = false;
    int font = -1; // -1: the document's default font
    int halfPoints = 24;
    bool operator==(const CharProps &) const = default;
};

struct ParaProps
{
    Qt::Alignment align = Qt::AlignLeft;
    int firstIndent = 0, leftIndent = 0, rightIndent = 0; // twips
    bool bullet = false;
};

enum class Dest { Text, FontTable, Pn, Skip };

struct State
{
    Dest dest = Dest::Text;
    CharProps chr;
    ParaProps para;
    int uc = 1;
    bool pnBullet = false;
};

struct Run
{
    QString text;
    CharProps chr;
};

struct Paragraph
{
    ParaProps para;
    CharProps endChr; // the character format of an empty paragraph
    std::vector<Run> runs;
};

// Destinations whose contents a letter does not need.
bool skippedDestination(QByteArrayView word)
{
    static const char *const skipped[] = {
        "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl", "headerr",
        "headerf", "footer", "footerl", "footerr", "footerf", "footnote", "listtable",
        "listoverridetable", "pntext", "listtext", "fldinst", "themedata", "colorschememapping",
        "latentstyles", "datastore", "generator", "rsidtbl", "xmlnstbl", "pgdsctbl", "mmathPr",
        "xe", "tc", "bkmkstart", "bkmkend", "annotation", "atnid", "atnauthor", "revtbl",
        "filetbl", "userprops", "docvar", "template", "nonshppict", "shppict", "pnseclvl"};
    for (const char *s : skipped)
        if (word == QByteArrayView(s))
            return true;
    return false;
}

class Reader
{
public:
    explicit Reader(QByteArrayView in) : m_in(in) {}

    void parse();
    void build(QTextDocument &doc) const;

private:
    State &state() { return m_stack.back(); }
    bool ignoring() const { return m_overflow > 0 || m_stack.back().dest == Dest::Skip; }
    void openGroup();
    bool closeGroup(); // false once the outermost group is closed
    void controlSymbol(char c);
    void controlWord(QByteArrayView word, bool hasParam, long long param);
    void byte(unsigned char b);
    void character(QChar c);
    void endParagraph();
    void commitFont();
    QTextCharFormat charFormat(const CharProps &c) const;

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    std::vector<State> m_stack{State{}};
    int m_overflow = 0;      // groups opened beyond the depth limit
    bool m_groupStart = false;
    bool m_star = false;
    int m_ucSkip = 0;

    std::vector<Paragraph> m_paragraphs;
    std::vector<Run> m_runs;
    std::map<int, QString> m_fonts;
    int m_defaultFont = 0;
    int m_fontNumber = 0;
    QString m_fontName;
};

void Reader::parse()
{
    const qsizetype n = m_in.size();
    while (m_pos < n) {
        const char c = m_in[m_pos++];
        if (c == '{') {
            openGroup();
            continue;
        }
        if (c == '}') {
            if (!closeGroup())
                break;
            continue;
        }
        const bool groupStart = m_groupStart;
        m_groupStart = false;
        if (c == '\\') {
            if (m_pos >= n)
                break;
            const char d = m_in[m_pos];
            const bool letter = (d >= 'a' && d <= 'z') || (d >= 'A' && d <= 'Z');
            if (!letter) {
                ++m_pos;
                if (d == '\'') {
                    auto hex = [&](qsizetype i) -> int {
                        if (i >= n)
                            return -1;
                        const char h = m_in[i];
                        if (h >= '0' && h <= '9')
                            return h - '0';
                        if (h >= 'a' && h <= 'f')
                            return h - 'a' + 10;
                        if (h >= 'A' && h <= 'F')
                            return h - 'A' + 10;
                        return -1;
                    };
                    const int hi = hex(m_pos), lo = hex(m_pos + 1);
                    if (hi >= 0 && lo >= 0) {
                        m_pos += 2;
                        byte(static_cast<unsigned char>(hi * 16 + lo));
                    }
                } else if (d == '*') {
                    m_star = groupStart;
                    m_groupStart = groupStart; // the destination word follows
                } else {
                    controlSymbol(d);
                }
                continue;
            }
            // A control word: letters, an optional signed number, one
            // optional blank. Only the first letters and digits count.
            const qsizetype start = m_pos;
            while (m_pos < n && ((m_in[m_pos] >= 'a' && m_in[m_pos] <= 'z')
                                 || (m_in[m_pos] >= 'A' && m_in[m_pos] <= 'Z')))
                ++m_pos;
            const qsizetype letters = m_pos - start;
            const QByteArrayView word = letters <= kMaxWordLength ? m_in.sliced(start, letters)
                                                                   : QByteArrayView();
            bool negative = false;
            if (m_pos < n && m_in[m_pos] == '-' && m_pos + 1 < n && m_in[m_pos + 1] >= '0'
                && m_in[m_pos + 1] <= '9') {
                negative = true;
                ++m_pos;
            }
            bool hasParam = false;
            long long param = 0;
            int digits = 0;
            while (m_pos < n && m_in[m_pos] >= '0' && m_in[m_pos] <= '9') {
                if (digits < kMaxParamDigits)
                    param = param * 10 + (m_in[m_pos] - '0');
                ++digits;
                hasParam = true;
                ++m_pos;
            }
            if (negative)
                param = -param;
            if (m_pos < n && m_in[m_pos] == ' ')
                ++m_pos;
            if (word == QByteArrayView("bin")) {
                // Binary data: skipped, never beyond the end.
                const long long count = std::max(0LL, param);
                m_pos += qsizetype(std::min<long long>(count, n - m_pos));
                continue;
            }
            if (m_star && !word.isEmpty() && word != QByteArrayView("pn")) {
                m_star = false;
                if (!ignoring())
                    state().dest = Dest::Skip;
                continue;
            }
            m_star = false;
            if (ignoring())
                continue;
            if (groupStart && !word.isEmpty() && skippedDestination(word)) {
                state().dest = Dest::Skip;
                continue;
            }
            if (m_ucSkip > 0) {
                --m_ucSkip;
                continue;
            }
            if (!word.isEmpty())
                controlWord(word, hasParam, param);
            continue;
        }
        if (c == '\r' || c == '\n')
            continue;
        byte(static_cast<unsigned char>(c));
    }
    if (!m_runs.empty())
        endParagraph();
}

void Reader::openGroup()
{
    m_ucSkip = 0;
    m_star = false;
    if (m_overflow > 0 || int(m_stack.size()) >= kMaxDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_stack.back());
    m_stack.back().pnBullet = false;
    m_groupStart = true;
}

bool Reader::closeGroup()
{
    m_ucSkip = 0;
    m_star = false;
    m_groupStart = false;
    if (m_overflow > 0) {
        --m_overflow;
        return true;
    }
    if (m_stack.size() <= 1)
        return true; // a stray closing brace before the document's own group
    const State closed = m_stack.back();
    m_stack.pop_back();
    if (closed.dest == Dest::FontTable)
        commitFont();
    if (closed.dest == Dest::Pn && closed.pnBullet && m_stack.back().dest == Dest::Text)
        m_stack.back().para.bullet = true;
    // The document's own group ends the document.
    return m_stack.size() > 1;
}

void Reader::controlSymbol(char c)
{
    if (ignoring())
        return;
    switch (c) {
    case '\\': case '{': case '}':
        byte(static_cast<unsigned char>(c));
        break;
    case '~':
        character(QChar(0x00A0));
        break;
    case '_':
        character(QChar(0x2011));
        break;
    case '\n': case '\r':
        if (state().dest == Dest::Text)
            endParagraph();
        break;
    default: // "\-" optional hyphen, "\:" index entry, "\|" formula...
        break;
    }
}

void Reader::controlWord(QByteArrayView w, bool hasParam, long long param)
{
    State &s = state();
    const bool on = !hasParam || param != 0;
    const int value = int(std::clamp<long long>(param, -kMaxIndent, kMaxIndent));
    if (w == "fonttbl") {
        s.dest = Dest::FontTable;
        m_fontName.clear();
    } else if (w == "pn") {
        s.dest = Dest::Pn;
    } else if (w == "pnlvlblt") {
        if (s.dest == Dest::Pn)
            s.pnBullet = true;
    } else if (w == "f") {
        if (s.dest == Dest::FontTable) {
            commitFont();
            m_fontNumber = value;
        } else {
            s.chr.font = value;
        }
    } else if (w == "deff") {
        m_defaultFont = value;
    } else if (s.dest == Dest::Pn || s.dest == Dest::FontTable) {
        return;
    } else if (w == "par" || w == "sect" || w == "page") {
        endParagraph();
    } else if (w == "pard") {
        s.para = ParaProps{};
    } else if (w == "plain") {
        s.chr = CharProps{};
    } else if (w == "ql") {
        s.para.align = Qt::AlignLeft;
    } else if (w == "qc") {
        s.para.align = Qt::AlignHCenter;
    } else if (w == "qr") {
        s.para.align = Qt::AlignRight;
    } else if (w == "qj") {
        s.para.align = Qt::AlignJustify;
    } else if (w == "fi") {
        s.para.firstIndent = value;
    } else if (w == "li") {
        s.para.leftIndent = value;
    } else if (w == "ri") {
        s.para.rightIndent = value;
    } else if (w == "ls") {
        s.para.bullet = hasParam && param > 0;
    } else if (w == "b") {
        s.chr.bold = on;
    } else if (w == "i") {
        s.chr.italic = on;
    } else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulth"
               || w == "uldash" || w == "ulwave") {
        s.chr.underline = on;
    } else if (w == "ulnone") {
        s.chr.underline = false;
    } else if (w == "fs") {
        if (hasParam)
            s.chr.halfPoints = int(std::clamp<long long>(param, 2, 3276));
    } else if (w == "uc") {
        s.uc = int(std::clamp<long long>(param, 0, kMaxUcSkip));
    } else if (w == "u") {
        long long code = param;
        if (code < 0)
            code += 65536;
        if ((code >= 0x20 || code == '\t') && code < 65536)
            character(QChar(char16_t(code)));
        m_ucSkip = s.uc;
    } else if (w == "tab") {
        character(QLatin1Char('\t'));
    } else if (w == "line") {
        character(QChar(QChar::LineSeparator));
    } else if (w == "emdash") {
        character(QChar(0x2014));
    } else if (w == "endash") {
        character(QChar(0x2013));
    } else if (w == "lquote") {
        character(QChar(0x2018));
    } else if (w == "rquote") {
        character(QChar(0x2019));
    } else if (w == "ldblquote") {
        character(QChar(0x201C));
    } else if (w == "rdblquote") {
        character(QChar(0x201D));
    } else if (w == "bullet") {
        character(QChar(0x2022));
    } else if (w == "emspace" || w == "enspace" || w == "qmspace") {
        character(QLatin1Char(' '));
    }
}

void Reader::byte(unsigned char b)
{
    if (ignoring())
        return;
    if (m_ucSkip > 0) {
        --m_ucSkip;
        return;
    }
    if (b < 0x20 && b != '\t')
        return;
    character(codePage()[b]);
}

void Reader::character(QChar c)
{
    State &s = state();
    if (s.dest == Dest::FontTable) {
        if (c == QLatin1Char(';'))
            commitFont();
        else if (m_fontName.size() < kMaxFontNameLength)
            m_fontName += c;
        return;
    }
    if (s.dest != Dest::Text)
        return;
    if (m_runs.empty() || !(m_runs.back().chr == s.chr))
        m_runs.push_back(Run{QString(), s.chr});
    m_runs.back().text += c;
}

void Reader::endParagraph()
{
    m_paragraphs.push_back(Paragraph{state().para, state().chr, std::move(m_runs)});
    m_runs.clear();
}

void Reader::commitFont()
{
    const QString name = m_fontName.trimmed();
    if (!name.isEmpty() && !m_fonts.count(m_fontNumber))
        m_fonts[m_fontNumber] = name;
    m_fontName.clear();
}

QTextCharFormat Reader::charFormat(const CharProps &c) const
{
    QTextCharFormat f;
    auto font = m_fonts.find(c.font < 0 ? m_defaultFont : c.font);
    f.setFontFamilies(QStringList{font == m_fonts.end() ? kDefaultFamily : font->second});
    f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    return f;
}

void Reader::build(QTextDocument &doc) const
{
    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    QTextList *list = nullptr;
    bool first = true;
    for (const Paragraph &p : m_paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(p.para.align);
        block.setTextIndent(p.para.firstIndent / kTwipsPerPixel);
        block.setLeftMargin(std::max(0, p.para.leftIndent) / kTwipsPerPixel);
        block.setRightMargin(std::max(0, p.para.rightIndent) / kTwipsPerPixel);
        const QTextCharFormat end = charFormat(p.runs.empty() ? p.endChr : p.runs.front().chr);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(end);
            first = false;
        } else {
            cursor.insertBlock(block, end);
        }
        if (p.para.bullet) {
            if (list) {
                list->add(cursor.block());
            } else {
                QTextListFormat format;
                format.setStyle(QTextListFormat::ListDisc);
                list = cursor.createList(format);
            }
        } else {
            list = nullptr;
        }
        for (const Run &run : p.runs)
            cursor.insertText(run.text, charFormat(run.chr));
    }
    cursor.endEditBlock();
}

// ---- writing ---------------------------------------------------------------

void writeText(QByteArray &out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u == 0x00A0) {
            out += "\\~";
        } else if (u < 0x20 || u == QChar::ObjectReplacementCharacter) {
            continue;
        } else if (u < 0x80) {
            out += char(u);
        } else if (cp1252::canEncode(c)) {
            const QByteArray b = cp1252::encode(QStringView(&c, 1));
            out += "\\'" + QByteArray::number(static_cast<unsigned char>(b.at(0)), 16).rightJustified(2, '0');
        } else {
            out += "\\u" + QByteArray::number(int(int16_t(u))) + '?';
        }
    }
}

QByteArray twips(double pixels)
{
    return QByteArray::number(qRound(pixels * kTwipsPerPixel));
}

} // namespace

bool read(QByteArrayView bytes, QTextDocument &doc, QString *error)
{
    qsizetype start = 0;
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t'
                                    || bytes[start] == '\r' || bytes[start] == '\n'))
        ++start;
    if (!bytes.sliced(start).startsWith(QByteArrayView("{\\rtf"))) {
        if (error)
            *error = QStringLiteral("Ce fichier n'est pas un texte au format RTF.");
        return false;
    }
    Reader reader(bytes.sliced(start));
    reader.parse();
    reader.build(doc);
    if (error)
        error->clear();
    return true;
}

QByteArray write(const QTextDocument &doc)
{
    // The fonts, in order of first use.
    QStringList families;
    auto familyOf = [&](const QTextCharFormat &format) {
        const QFont font = format.font().resolve(doc.defaultFont());
        const QString family = font.family().isEmpty() ? kDefaultFamily : font.family();
        qsizetype index = families.indexOf(family);
        if (index < 0) {
            families << family;
            index = families.size() - 1;
        }
        return int(index);
    };
    auto sizeOf = [&](const QTextCharFormat &format) {
        const QFont font = format.font().resolve(doc.defaultFont());
        const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 12.0;
        return qRound(points * 2);
    };

    QByteArray body;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        body += "\\pard";
        const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            body += "\\qc";
        else if (align & (Qt::AlignRight))
            body += "\\qr";
        else if (align & Qt::AlignJustify)
            body += "\\qj";
        if (format.textIndent() != 0)
            body += "\\fi" + twips(format.textIndent());
        if (format.leftMargin() != 0)
            body += "\\li" + twips(format.leftMargin());
        if (format.rightMargin() != 0)
            body += "\\ri" + twips(format.rightMargin());
        if (block.textList())
            body += "{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\'95}}{\\pntext\\'95\\tab}";
        bool any = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat cf = fragment.charFormat();
            const QFont font = cf.font().resolve(doc.defaultFont());
            body += "{\\f" + QByteArray::number(familyOf(cf)) + "\\fs"
                    + QByteArray::number(sizeOf(cf));
            if (font.bold())
                body += "\\b";
            if (font.italic())
                body += "\\i";
            if (font.underline())
                body += "\\ul";
            body += ' ';
            writeText(body, fragment.text());
            body += '}';
            any = true;
        }
        if (!any) {
            const QTextCharFormat cf = block.charFormat();
            body += "\\f" + QByteArray::number(familyOf(cf)) + "\\fs"
                    + QByteArray::number(sizeOf(cf));
        }
        body += "\\par\r\n";
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    if (families.isEmpty())
        families << kDefaultFamily;
    for (qsizetype i = 0; i < families.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        writeText(out, families[i]);
        out += ";}";
    }
    out += "}\r\n";
    out += body;
    out += "}\r\n";
    return out;
}

} // namespace rtf
