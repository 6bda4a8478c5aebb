#include "gui_app.h"
#include "tools/rtf.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

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
    // The format of the first character of `text` in the document.
    QTextCharFormat formatAt(const QString &text) const
    {
        const QTextCursor found = doc.find(text);
        EXPECT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor c(const_cast<QTextDocument *>(&doc));
        c.setPosition(found.selectionStart() + 1);
        return c.charFormat();
    }
    double twips(double pixels) const { return pixels * 15; }
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
    // The style of the first character of each text.
    QStringList styles(const QStringList &texts) const
    {
        QStringList out;
        for (const QString &text : texts)
            out << style(formatAt(text));
        return out;
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

TEST_F(Rtf, LibreOfficeLetterKeepsAccentsStylesAndAlignment)
{
    read(fixture("lettre-accents.rtf"));
    const QStringList p = paragraphs();
    ASSERT_EQ(p.size(), 6);
    EXPECT_EQ(p.mid(0, 4), QStringList({"C Hôtel des Mûriers", "C 12, rue de l'Église",
                                        "R Le 3 août 2026", "L Madame, Monsieur,"}));
    EXPECT_TRUE(p[4].contains("« Côté jardin »") && p[4].contains("85,50 € la nuit"))
        << p[4].toStdString();
    EXPECT_TRUE(p[5].endsWith("Œuvre, naïf, Noël, ÇA.")) << p[5].toStdString();
    EXPECT_EQ(styles({"Hôtel", "Veuillez", "chère cliente", "sentiments dévoués", ". Œuvre"}),
              QStringList({"b Liberation Serif 12", " Liberation Serif 12", "i Liberation Serif 12",
                           "u Liberation Serif 12", " Liberation Serif 12"}));
}

TEST_F(Rtf, LibreOfficeBulletsMakeOneListBetweenPlainParagraphs)
{
    read(fixture("lettre-puces.rtf"));
    EXPECT_EQ(
        paragraphs(),
        QStringList({"L Votre séjour comprend :", "L* la chambre double avec vue sur la mer ;",
                     "L* le petit-déjeuner servi de 7 h à 10 h ;",
                     "L* l'accès à la piscine chauffée.", "L À bientôt."}));
    EXPECT_EQ(block(2).textList(), block(1).textList());
    EXPECT_EQ(block(3).textList(), block(1).textList());
    // The bullet text LibreOffice repeats before each item is not text.
    EXPECT_FALSE(doc.toPlainText().contains(QChar(0x2022)));
}

TEST_F(Rtf, LibreOfficeIndentsAndFonts)
{
    read(fixture("lettre-retraits.rtf"));
    ASSERT_EQ(doc.blockCount(), 5);
    const QTextBlockFormat left = block(1).blockFormat();
    EXPECT_NEAR(twips(left.leftMargin()), 1134, 1);
    EXPECT_EQ(left.textIndent(), 0);
    const QTextBlockFormat first = block(2).blockFormat();
    EXPECT_NEAR(twips(first.textIndent()), 850, 1);
    EXPECT_EQ(first.leftMargin(), 0);
    const QTextBlockFormat both = block(3).blockFormat();
    EXPECT_NEAR(twips(both.leftMargin()), 567, 1);
    EXPECT_NEAR(twips(both.rightMargin()), 1701, 1);
    EXPECT_NEAR(twips(both.textIndent()), -283, 1);
    // "\pard" starts the next paragraph without the indents.
    EXPECT_EQ(block(4).blockFormat().leftMargin(), 0);
    EXPECT_EQ(styles({"Grand titre"}), QStringList{"bi Liberation Sans 16"});
}

// ---- what a letter's text may hold ---------------------------------------------

TEST_F(Rtf, CharactersByCodePageUnicodeAndSymbols)
{
    read("{\\rtf1\\ansi \\'80 \\'e9\\'zz t\\u8364? {\\uc2\\u937XY}z "
         "\\u-10179?\\u-8704? \\{\\}\\\\ a\\tab b\\line c\\~d\\emdash\\ldblquote\\u7 \\u0 }");
    EXPECT_EQ(doc.toRawText(),
              QString::fromUtf8("€ ézz t€ Ωz 😀 {}\\ a\tb") + QChar(QChar::LineSeparator)
                  + QString::fromUtf8("c\u00a0d—“"));
}

TEST_F(Rtf, FontTableAndGroupsRestoreTheirFormat)
{
    read("{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fmodern{\\*\\panose 0}Courier "
         "New;}}{\\colortbl;\\red1\\green2\\blue3;}\\f1\\fs20 a{\\b\\fs40 b}c\\par "
         "{\\*\\unknown secret {nested}} {\\info{\\title hidden}}d}");
    ASSERT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(block(0).text(), QStringLiteral("abc"));
    EXPECT_EQ(block(1).text(), QStringLiteral(" d"));
    EXPECT_EQ(styles({"a", "b", "c"}),
              QStringList({" Courier New 10", "b Courier New 20", " Courier New 10"}));
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

TEST_F(Rtf, RunawayControlWordsAndNumbers)
{
    QByteArray bytes = "{\\rtf1 a\\" + QByteArray(100000, 'b') + " c";
    bytes += "\\fs" + QByteArray(5000, '9') + " d\\u" + QByteArray(300, '7') + "e";
    bytes += "{\\uc999999 \\u233 0123456789}f\\fi-99999999999 g\\par}";
    read(bytes);
    // The runaway word is one unknown word, the huge character none (the
    // "e" after it is its stand-in), and "\\uc" skips at most ten.
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("acdéfg"));
    EXPECT_LE(formatAt(QStringLiteral("d")).fontPointSize(), 1638);
    EXPECT_GE(block(0).blockFormat().textIndent(), -31680 / 15.0);
}

TEST_F(Rtf, TruncatedLettersGiveWhatWasRead)
{
    const QByteArray whole = fixture("lettre-accents.rtf");
    QTextDocument full;
    ASSERT_TRUE(rtf::read(whole, full));
    const QString firstLine = full.begin().text();
    const qsizetype firstPar = whole.indexOf("\\par ");
    ASSERT_GT(firstPar, 0);
    for (qsizetype cut = 5; cut < whole.size(); cut += 7) {
        read(whole.left(cut));
        if (cut > firstPar + 4) {
            EXPECT_EQ(doc.begin().text(), firstLine) << "cut at " << cut;
        }
        EXPECT_LE(doc.characterCount(), full.characterCount() + 1) << "cut at " << cut;
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
