#include "store/table_helpers.h"
#include "tools/messages.h"
#include "tools/notepad.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

Message message(const std::array<QString, kMessageFields> &fields, const char *flags = "FFFFF")
{
    Message m{fields, {}};
    for (int i = 0; i < kMessageFlags; ++i)
        m.flags[i] = flags[i] == 'T';
    return m;
}

// A field whose TAB is missing, and every one after it, stays empty;
// missing or odd flags are not ticked.
TEST(MessageLine, FieldsBeforeTabsThenFlags)
{
    const struct
    {
        const char16_t *line;
        Message read;
    } cases[] = {
        {u"M. Durand\tMme Roux\t\t04 91\t03/08/2026\t10:15:00\tRéservation\tTFFTF",
         message({"M. Durand", "Mme Roux", "", "04 91", "03/08/2026", "10:15:00", "Réservation"},
                 "TFFTF")},
        {u"Pour\tDe\tSociété sans tab", message({"Pour", "De"})},
        {u"\t\t\t\t\t\t\ttFT", message({}, "FFTFF")},
        {u" ", Message{}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseMessage(c.line), c.read) << QString::fromUtf16(c.line).toStdString();
}

TEST(MessageLine, WrittenLinesReadBackAsWritten)
{
    const Message m = message({"Réception", "Mme\tRoux", "", "0123456789012345678901234",
                               "03/08/2026", "10:15", "ligne 1\r\nligne 2"},
                              "FTFFT");
    const QString line = formatMessage(m);
    EXPECT_EQ(line, "Réception\tMme Roux\t\t01234567890123456789\t03/08/2026\t10:15\t"
                    "ligne 1  ligne 2\tFTFFT");
    EXPECT_EQ(formatMessage(parseMessage(line)), line);
}

TEST(MessageFile, OnlyTheExtensionOfTheClientFileChanges)
{
    const std::pair<const char *, const char *> names[] = {
        {"/d/hotel.htl", "/d/hotel.oms"},
        {"/d/mes.hotels/hotel.htl", "/d/mes.hotels/hotel.oms"},
        {"/d/le.grand.htl", "/d/le.grand.oms"},
        {"/d/hotel", "/d/hotel.oms"}};
    for (const auto &[file, oms] : names)
        EXPECT_EQ(messageFileName(file), oms);
    // Never saved: no file, and the pad says when it will be kept.
    const MessageFile untitled = messageFileFor(QString(), false);
    EXPECT_TRUE(untitled.path.isEmpty());
    EXPECT_FALSE(untitled.writable);
    EXPECT_TRUE(untitled.note.contains(QStringLiteral("enregistré")));
    const MessageFile readOnly = messageFileFor(QStringLiteral("/data/hotel.htl"), true);
    EXPECT_EQ(readOnly.path, QStringLiteral("/data/hotel.oms"));
    EXPECT_FALSE(readOnly.writable);
    EXPECT_FALSE(readOnly.note.isEmpty());
    EXPECT_TRUE(messageFileFor(QStringLiteral("/data/hotel.htl"), false).writable);
}

TEST(MessagePadMoves, StopsAtBothEndsAndKeepsEdits)
{
    MessagePad pad;
    ASSERT_EQ(pad.count(), 1);
    pad.setField(0, QStringLiteral("premier"));
    pad.add();
    pad.setField(0, QStringLiteral("second"));
    pad.setFlag(4, true);
    pad.next();
    EXPECT_EQ(pad.index(), 1);
    EXPECT_EQ(pad.shown(), message({"second"}, "FFFFT"));
    pad.previous();
    pad.previous();
    EXPECT_EQ(pad.index(), 0);
    EXPECT_EQ(pad.shown(), message({"premier"}));
    pad.next();
    EXPECT_TRUE(pad.shown().flags[4]);

    // "Date" and "Heure" are filled only when left empty.
    pad.leaveDate(QStringLiteral("03/08/2026"));
    pad.leaveTime(QStringLiteral("10:15:00"));
    pad.leaveDate(QStringLiteral("04/08/2026"));
    EXPECT_EQ(pad.shown(), message({"second", "", "", "", "03/08/2026", "10:15:00"}, "FFFFT"));
}

TEST(MessagePadMoves, AfterTheLastDeletionNothingIsEditableUntilPlus)
{
    MessagePad pad;
    pad.setField(0, QStringLiteral("seul"));
    pad.remove();
    EXPECT_EQ(pad.count(), 0);
    EXPECT_EQ(pad.index(), -1);
    EXPECT_FALSE(pad.editable());
    EXPECT_EQ(pad.shown(), Message{});
    // An edit now has nowhere to go: it is refused, not dropped later.
    pad.setField(1, QStringLiteral("perdu"));
    EXPECT_EQ(pad.shown(), Message{});
    pad.next();
    pad.remove();
    EXPECT_EQ(pad.count(), 0);

    pad.add();
    EXPECT_TRUE(pad.editable());
    pad.setField(1, QStringLiteral("gardé"));
    pad.EcritFiche();
    EXPECT_EQ(pad.lines(), QStringList("\tgardé\t\t\t\t\t\tFFFFF"));
}

TEST(MessagePadFile, SavedAsWindowsLinesAndReadBackAtTheLast)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hotel.oms"));
    MessagePad pad;
    ASSERT_TRUE(pad.Charge(path)); // no file yet: one blank message
    EXPECT_EQ(pad.count(), 1);
    ASSERT_TRUE(pad.Sauve(path));
    EXPECT_FALSE(QFile::exists(path)) << "nothing changed, nothing written";

    pad.setField(0, QStringLiteral("Hélène"));
    pad.add();
    pad.setField(6, QStringLiteral("Facture à revoir"));
    // A failed write keeps the pad modified.
    QString error;
    EXPECT_FALSE(pad.Sauve(dir.filePath(QStringLiteral("absent/hotel.oms")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(pad.modified());
    ASSERT_TRUE(pad.Sauve(path));
    EXPECT_FALSE(pad.modified());
    EXPECT_EQ(readFile(path), QByteArray("H\xe9l\xe8ne\t\t\t\t\t\t\tFFFFF\r\n"
                                         "\t\t\t\t\t\tFacture \xe0 revoir\tFFFFF\r\n"));

    MessagePad again;
    ASSERT_TRUE(again.Charge(path));
    EXPECT_EQ(again.count(), 2);
    EXPECT_EQ(again.index(), 1);
    EXPECT_EQ(again.shown().fields[6], QStringLiteral("Facture à revoir"));

    // Lines ended by CR alone or LF alone are lines too.
    writeFile(path, "a\tb\t\t\t\t\t\tTTTTT\rc\nd");
    ASSERT_TRUE(again.Charge(path));
    EXPECT_EQ(again.lines(), (QStringList{"a\tb\t\t\t\t\t\tTTTTT", "c", "d"}));
}

TEST(NotepadFile, WindowsLinesBothWaysAndRefusedCharacters)
{
    QTemporaryDir dir;
    const QString path = notepad::fileIn(dir.path());
    EXPECT_TRUE(path.endsWith(QStringLiteral("/Tolvenar.nte")));
    QString text = QStringLiteral("stale");
    ASSERT_TRUE(plaintext::load(path, text));
    EXPECT_TRUE(text.isEmpty());

    ASSERT_TRUE(plaintext::save(path, QStringLiteral("Réveil 7 h\nchambre 12"), nullptr));
    EXPECT_EQ(readFile(path), QByteArray("R\xe9veil 7 h\r\nchambre 12\r\n"));
    ASSERT_TRUE(plaintext::load(path, text));
    EXPECT_EQ(text, QStringLiteral("Réveil 7 h\nchambre 12"));

    QString error;
    EXPECT_FALSE(plaintext::save(path, QStringLiteral("Ω"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readFile(path), QByteArray("R\xe9veil 7 h\r\nchambre 12\r\n"));

    // The file under another spelling is the same file.
    QFile::rename(path, dir.filePath(QStringLiteral("TOLVENAR.NTE")));
    EXPECT_EQ(notepad::fileIn(dir.path()), dir.filePath(QStringLiteral("TOLVENAR.NTE")));
}

} // namespace
