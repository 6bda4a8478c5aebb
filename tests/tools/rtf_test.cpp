#include "gui_app.h"
#include "tools/rtf.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(CARVELLE_TEST_DATA "/rtf/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

class Rtf : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { needGuiApplication(); }

    QTextDocument doc;

    void read(const QByteArray &bytes)
    {
        QString error;
        ASSERT_TRUE(rtf::read(bytes, doc, &error)) << error.toStdString();
    }
    QTextBlock block(int n) const { return doc.findBlockByNumber(n); }
    // A paragraph's alignment (L, C, R; left when none is given), "*" for a
    // list item, and its text.
    static QString paragraph(const QTextBlock &b)
    {
        const Qt::Alignment a = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        return QString(a == Qt::AlignHCenter ? "C"
                       : a == Qt::AlignRight ? "R"
                                             : "L") +
               (b.textList() ? "* " : " ") + b.text();
    }
    QStringList paragraphs() const
    {
        QStringList out;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            out << paragraph(b);
        return out;
    }
    // "b", "i", "u" for what a character has on, then its font and size.
    static QString style(const QTextCharFormat &f)
    {
        return QString(f.fontWeight() == QFont::Bold ? "b" : "") + (f.fontItalic() ? "i" : "") +
               (f.fontUnderline() ? "u" : "") + ' ' + f.fontFamilies().toStringList().join(',') +
               ' ' + QString::number(f.fontPointSize());
    }
    // A paragraph, its margins and first-line indent, then the style of
    // each of its characters in turn.
    static QStringList described(const QTextBlock &b)
    {
        const QTextBlockFormat f = b.blockFormat();
        QStringList out{paragraph(b), QString::asprintf("%.1f %.1f %.1f", f.leftMargin(),
                                                        f.rightMargin(), f.textIndent())};
        for (int i = 0; i < b.length() - 1; ++i) {
            QTextCursor c(b);
            c.setPosition(b.position() + i + 1);
            out << style(c.charFormat());
        }
        return out;
    }
};

// ---- letters written by LibreOffice ------------------------------------------

TEST_F(Rtf, LibreOfficeLetterKeepsAccentsAndAlignment)
{
    read(fixture("lettre-accents.rtf"));
    const QStringList p = paragraphs();
    ASSERT_EQ(p.size(), 6);
    EXPECT_EQ(p.mid(0, 4), QStringList({"C Hôtel des Mûriers", "C 12, rue de l'Église",
                                        "R Le 3 août 2026", "L Madame, Monsieur,"}));
    EXPECT_TRUE(p[4].contains("« Côté jardin »") && p[4].contains("85,50 € la nuit"))
        << p[4].toStdString();
    EXPECT_TRUE(p[5].endsWith("Œuvre, naïf, Noël, ÇA.")) << p[5].toStdString();
}

// ---- hostile input -------------------------------------------------------------

TEST_F(Rtf, WhatIsNotRichTextLeavesTheDocumentAlone)
{
    doc.setPlainText(QStringLiteral("lettre en cours"));
    for (const QByteArray &bytes : {QByteArray(), QByteArray("Bonjour"), QByteArray("{\\rt"),
                                    QByteArray("\x00\xff{\\rtf1 x}", 10)}) {
        QString error;
        EXPECT_FALSE(rtf::read(bytes, doc, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(doc.toPlainText(), QStringLiteral("lettre en cours"));
    }
}

// Nesting too deep is skipped, never followed; binary data is never read
// past the end, whatever length it claims.
TEST_F(Rtf, DeepNestingAndBinaryDataAreSkippedSafely)
{
    const QByteArray deep(200000, '{'), closed(200000, '}');
    const std::pair<QByteArray, QString> cases[] = {
        {"{\\rtf1 avant " + deep + "profond" + closed + " apr\\'e8s}", QStringLiteral("avant  après")},
        {"{\\rtf1 ouvert " + deep + "x", QStringLiteral("ouvert ")}, // never closed at all
        {"{\\rtf1 x\\bin3 }}}y}", QStringLiteral("xy")},
        {"{\\rtf1 x\\bin99999999999999999999 yyyy}", QStringLiteral("x")},
        {"{\\rtf1 x\\bin-5 y}", QStringLiteral("xy")}, {"{\\rtf1 x\\bin", QStringLiteral("x")},
    };
    for (const auto &[bytes, text] : cases) {
        read(bytes);
        EXPECT_EQ(doc.toPlainText(), text) << bytes.left(40).constData();
    }
}

// Mutated letters: flipped and dropped bytes, copied spans and tokens that
// stress the reader, from a fixed seed. Nothing may crash and what is read
// never grows beyond the bytes given (how fast it reads, bench/ measures).
TEST_F(Rtf, MutatedLettersAreReadSafely)
{
    std::vector<QByteArray> corpus = {fixture("lettre-accents.rtf"), fixture("lettre-puces.rtf"),
                                      fixture("lettre-retraits.rtf")};
    const char *const tokens[] = {"{", "}", "\\", "\\bin", "\\bin999999 ", "\\u-", "\\u65535 ",
                                  "\\uc9 ", "\\'", "\\'f", "{\\*", "\\par", "\\pard", "\\ls1 ",
                                  "{\\*\\pn\\pnlvlblt}", "\\fonttbl", "\\f", "\\fs-", "\\fi-",
                                  "0123456789012345", "\\plain", "{\\fonttbl{\\f9 ", ";", "\r\n"};
    std::mt19937 random(20261206);
    auto pick = [&](qsizetype n) { return qsizetype(random() % std::max<qsizetype>(n, 1)); };
    const int files = 3000;
    for (int i = 0; i < files; ++i) {
        QByteArray bytes = corpus[std::size_t(pick(qsizetype(corpus.size())))];
        const int edits = 1 + int(pick(12));
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = pick(bytes.size());
            switch (pick(5)) {
            case 0:
                bytes[at] = char(random());
                break;
            case 1:
                bytes.remove(at, pick(64));
                break;
            case 2:
                bytes.insert(at, tokens[pick(std::size(tokens))]);
                break;
            case 3:
                bytes.insert(at, bytes.mid(pick(bytes.size()), pick(200)));
                break;
            case 4:
                bytes.insert(at, QByteArray(pick(3000), "{}\\"[pick(3)]));
                break;
            }
        }
        QTextDocument out;
        if (rtf::read(bytes, out)) {
            EXPECT_LE(out.characterCount(), bytes.size() + 1);
            EXPECT_LE(out.blockCount(), bytes.size() + 1);
        }
        if (HasFailure())
            FAIL() << "file " << i << " of the seeded run";
    }
}

// ---- our own letters -------------------------------------------------------------

TEST_F(Rtf, WriterOutputReadsBackTheSame)
{
    QTextDocument ours;
    ours.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    QTextCursor c(&ours);
    auto format = [](bool bold, bool italic, bool underline, const QString &family, double size) {
        QTextCharFormat f;
        f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(italic);
        f.setFontUnderline(underline);
        f.setFontFamilies(QStringList{family});
        f.setFontPointSize(size);
        return f;
    };
    const QString times = QStringLiteral("Times New Roman"), arial = QStringLiteral("Arial");
    QTextBlockFormat centred, right, indented;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    c.insertText(QStringLiteral("Hôtel « Les Mûriers »"), format(true, false, false, arial, 16));
    right.setAlignment(Qt::AlignRight);
    right.setRightMargin(20);
    c.insertBlock(right);
    c.insertText(QStringLiteral("Le 3 août, 120 € — Œ Ω 😀"), format(false, true, false, times, 12));
    indented.setLeftMargin(48);
    indented.setTextIndent(-24);
    c.insertBlock(indented);
    c.insertText(QStringLiteral("Gras "), format(true, false, false, times, 12));
    c.insertText(QStringLiteral("italique "), format(false, true, false, times, 12));
    c.insertText(QStringLiteral("souligné"), format(false, false, true, times, 12));
    c.insertText(QStringLiteral(" {accolades} \\ et\ttab"), format(true, true, true, times, 11.5));
    c.insertBlock(QTextBlockFormat());
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    c.createList(bullets);
    c.insertText(QStringLiteral("première puce"), format(false, false, false, times, 12));
    c.insertBlock();
    c.insertText(QStringLiteral("seconde puce"), format(false, false, false, times, 12));
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("Fin"), format(false, false, false, times, 12));

    const QByteArray bytes = rtf::write(ours);
    for (const char b : bytes)
        ASSERT_LT(static_cast<unsigned char>(b), 0x80) << "rich text is plain ASCII";
    read(bytes);

    ASSERT_EQ(doc.blockCount(), ours.blockCount());
    for (int n = 0; n < ours.blockCount(); ++n)
        EXPECT_EQ(described(block(n)), described(ours.findBlockByNumber(n))) << n;
    EXPECT_EQ(block(3).textList(), block(4).textList());

    // For the check against LibreOffice (scripts/rtf-fixtures.sh).
    const QString sample = qEnvironmentVariable("CARVELLE_RTF_SAMPLE_DIR");
    if (!sample.isEmpty()) {
        QFile out(QDir(sample).filePath(QStringLiteral("ours.rtf")));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        QFile text(QDir(sample).filePath(QStringLiteral("ours.expected.txt")));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        // What a word processor shows, a bullet before each item.
        for (QTextBlock b = ours.begin(); b.isValid(); b = b.next())
            text.write((b.textList() ? QStringLiteral("• ") : QString()).toUtf8() + b.text().toUtf8()
                       + "\n");
    }
}

} // namespace
