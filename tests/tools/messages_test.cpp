#include "store/table_helpers.h"
#include "tools/messages.h"
#include "tools/notepad.h"

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

TEST(MessagePadMoves, AfterTheLastDeletionNothingIsEditable)
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
