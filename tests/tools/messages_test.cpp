#include "tools/messages.h"
#include "tools/notepad.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(MessageLine, FieldsBeforeTabsThenFlags)
{
    const Message m = parseMessage(u"M. Durand\tMme Roux\t\t04 91 00 00 00\t03/08/2026\t10:15:00\t"
                                   u"Réservation\tTFFTF");
    EXPECT_EQ(m.fields[0], QStringLiteral("M. Durand"));
    EXPECT_EQ(m.fields[1], QStringLiteral("Mme Roux"));
    EXPECT_EQ(m.fields[2], QString());
    EXPECT_EQ(m.fields[3], QStringLiteral("04 91 00 00 00"));
    EXPECT_EQ(m.fields[6], QStringLiteral("Réservation"));
    EXPECT_EQ(m.flags, (std::array<bool, 5>{true, false, false, true, false}));

    // A field whose TAB is missing, and every one after it, stays empty;
    // missing or odd flags are not ticked.
    const Message shortLine = parseMessage(u"Pour\tDe\tSociété sans tab");
    EXPECT_EQ(shortLine.fields[1], QStringLiteral("De"));
    EXPECT_EQ(shortLine.fields[2], QString());
    EXPECT_EQ(shortLine.flags, (std::array<bool, 5>{}));
    const Message oddFlags = parseMessage(u"\t\t\t\t\t\t\ttFT");
    EXPECT_EQ(oddFlags.flags, (std::array<bool, 5>{false, false, true, false, false}));
    EXPECT_EQ(parseMessage(u" "), Message{});
}

TEST(MessageLine, WrittenLinesReadBackAsWritten)
{
    Message m;
    m.fields = {QStringLiteral("Réception"), QStringLiteral("Mme\tRoux"), QString(),
                QStringLiteral("0123456789012345678901234"), QStringLiteral("03/08/2026"),
                QStringLiteral("10:15"), QStringLiteral("ligne 1\r\nligne 2")};
    m.flags = {false, true, false, false, true};
    const QString line = formatMessage(m);
    EXPECT_EQ(line.count(QLatin1Char('\t')), kMessageFields);
    EXPECT_TRUE(line.endsWith(QStringLiteral("\tFTFFT")));
    EXPECT_FALSE(line.contains(QLatin1Char('\n')));
    const Message back = parseMessage(line);
    EXPECT_EQ(back.fields[1], QStringLiteral("Mme Roux"));
    EXPECT_EQ(back.fields[3], QStringLiteral("01234567890123456789")); // 20 characters
    EXPECT_EQ(back.fields[6], QStringLiteral("ligne 1  ligne 2"));
    EXPECT_EQ(back.flags, m.flags);
    EXPECT_EQ(formatMessage(back), line);
}

TEST(MessageFile, OnlyTheExtensionOfTheClientFileChanges)
{
    EXPECT_EQ(messageFileName(QStringLiteral("/data/hotel.htl")), QStringLiteral("/data/hotel.oms"));
    EXPECT_EQ(messageFileName(QStringLiteral("/data/mes.hotels/hotel.htl")),
              QStringLiteral("/data/mes.hotels/hotel.oms"));
    EXPECT_EQ(messageFileName(QStringLiteral("/data/le.grand.htl")),
              QStringLiteral("/data/le.grand.oms"));
    EXPECT_EQ(messageFileName(QStringLiteral("/data/hotel")), QStringLiteral("/data/hotel.oms"));

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
    EXPECT_EQ(pad.shown().fields[0], QStringLiteral("second"));
    pad.previous();
    pad.previous();
    EXPECT_EQ(pad.index(), 0);
    EXPECT_EQ(pad.shown().fields[0], QStringLiteral("premier"));
    pad.next();
    EXPECT_TRUE(pad.shown().flags[4]);
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
    EXPECT_EQ(parseMessage(pad.lines().at(0)).fields[1], QStringLiteral("gardé"));
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
    ASSERT_TRUE(pad.Sauve(path));
    EXPECT_FALSE(pad.modified());
    EXPECT_EQ(bytesOf(path), QByteArray("H\xe9l\xe8ne\t\t\t\t\t\t\tFFFFF\r\n"
                                        "\t\t\t\t\t\tFacture \xe0 revoir\tFFFFF\r\n"));

    MessagePad again;
    ASSERT_TRUE(again.Charge(path));
    EXPECT_EQ(again.count(), 2);
    EXPECT_EQ(again.index(), 1);
    EXPECT_EQ(again.shown().fields[6], QStringLiteral("Facture à revoir"));

    // Lines ended by CR alone or LF alone are lines too.
    writeBytes(path, "a\tb\t\t\t\t\t\tTTTTT\rc\nd");
    ASSERT_TRUE(again.Charge(path));
    EXPECT_EQ(again.lines(), (QStringList{QStringLiteral("a\tb\t\t\t\t\t\tTTTTT"),
                                          QStringLiteral("c"), QStringLiteral("d")}));
}

TEST(MessagePadFile, FailedWriteKeepsThePadModified)
{
    QTemporaryDir dir;
    MessagePad pad;
    pad.setField(0, QStringLiteral("x"));
    QString error;
    EXPECT_FALSE(pad.Sauve(dir.filePath(QStringLiteral("absent/hotel.oms")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(pad.modified());
}

TEST(MessagePadFields, DateAndTimeFilledOnlyWhenLeftEmpty)
{
    MessagePad pad;
    pad.leaveDate(QStringLiteral("03/08/2026"));
    pad.leaveTime(QStringLiteral("10:15:00"));
    EXPECT_EQ(pad.shown().fields[4], QStringLiteral("03/08/2026"));
    EXPECT_EQ(pad.shown().fields[5], QStringLiteral("10:15:00"));
    pad.setField(4, QStringLiteral("01/01/2026"));
    pad.leaveDate(QStringLiteral("03/08/2026"));
    EXPECT_EQ(pad.shown().fields[4], QStringLiteral("01/01/2026"));
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
    EXPECT_EQ(bytesOf(path), QByteArray("R\xe9veil 7 h\r\nchambre 12\r\n"));
    ASSERT_TRUE(plaintext::load(path, text));
    EXPECT_EQ(text, QStringLiteral("Réveil 7 h\nchambre 12"));

    QString error;
    EXPECT_FALSE(plaintext::save(path, QStringLiteral("Ω"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(bytesOf(path), QByteArray("R\xe9veil 7 h\r\nchambre 12\r\n"));

    // The file under another spelling is the same file.
    QFile::rename(path, dir.filePath(QStringLiteral("TOLVENAR.NTE")));
    EXPECT_EQ(notepad::fileIn(dir.path()), dir.filePath(QStringLiteral("TOLVENAR.NTE")));
}

} // namespace
