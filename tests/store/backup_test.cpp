#include "store/backup.h"
#include "store/set_lock.h"
#include "table_helpers.h"
#include "tool_run.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A hotel and its settings files in `folder`, every byte of them kept.
std::map<QString, QByteArray> writeHotel(const QString &folder)
{
    std::map<QString, QByteArray> files = {
        {"LION.htl", crlf({"<BLOC00000>", "DUPONT H\xE9l\xE8ne", "</BLOC00000>"})},
        {"LION.chb", crlf({"<BLOC00000>", "   12", "</BLOC00000>"})},
        {"LION.fct", "<BLOC00000>\r\n2026120001\n</BLOC00000>\r"}, // line ends as a hand left them
        {"LION.mnc", ""}, {"LION.stk", crlf({"<BLOC0000>", "Caf\xE9", "</BLOC0000>"})},
        {"LION.frs", crlf({"<BLOC0000>", "Brasserie", "</BLOC0000>"})},
        {"LION.cmd", QByteArray(300000, 'x')}, {"Carvelle.ini", "C:\\HOTEL\\LION.htl\r\n1\r\n"},
        {"Carvelle.soc", "H\xF4tel du Lion\r\n"}, {"Carvelle.cbx", "[Pays]\r\nFRANCE\r\n"},
    };
    for (const auto &[name, bytes] : files)
        writeFile(folder + '/' + name, bytes);
    return files;
}

std::map<QString, QByteArray> readAllFiles(const QString &folder)
{
    std::map<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files[name] = readFile(folder + '/' + name);
    return files;
}

} // namespace

// What a backup holds comes back byte for byte into an empty folder, and
// the tool says so after checking the hotel as an open does.
TEST(Backup, AHotelComesBackByteForByte)
{
    QTemporaryDir dir;
    const QString hotel = dir.filePath("hotel"), keys = dir.filePath("cle"),
                  back = dir.filePath("retour");
    ASSERT_TRUE(QDir().mkpath(hotel));
    const auto files = writeHotel(hotel);

    QString out;
    ASSERT_EQ(runTool(hotel, {"backup", hotel + "/LION.htl", keys}, &out), 0) << qPrintable(out);
    const QStringList made = QDir(keys).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(made.size(), 1) << qPrintable(made.join(' '));
    EXPECT_TRUE(backup::madeAt(made[0], "LION").isValid()) << qPrintable(made[0]);
    EXPECT_FALSE(QFile::exists(hotel + "/LION.htl.lck"));

    ASSERT_EQ(runTool(dir.path(), {"restore", keys + '/' + made[0], back}, &out), 0)
        << qPrintable(out);
    EXPECT_TRUE(out.contains("Hôtel vérifié : rien à réparer.")) << qPrintable(out);
    EXPECT_EQ(readAllFiles(back), files);

    // Never over anything: a folder that holds files, an archive that is not one.
    EXPECT_EQ(runTool(dir.path(), {"restore", keys + '/' + made[0], back}, &out), 2);
    EXPECT_TRUE(out.contains("n'est pas vide")) << qPrintable(out);
    writeFile(dir.filePath("faux.tar.zst"), "pas une sauvegarde");
    EXPECT_EQ(
        runTool(dir.path(), {"restore", dir.filePath("faux.tar.zst"), dir.filePath("vide")}, &out),
        2);
    EXPECT_EQ(QDir(dir.filePath("vide")).entryList(QDir::Files), QStringList());
}

// A backup is read as an open reads it: never half of a save.
TEST(Backup, AnInterruptedSaveIsNeverBackedUp)
{
    QTemporaryDir dir;
    writeHotel(dir.path());
    writeFile(dir.filePath("LION.htl.journal"), "CARVELLE-JOURNAL 2\r\nLION.htl\r\nFIN\r\n");
    writeFile(dir.filePath("LION.htl.tmp"), crlf(oneLineBlocks({"nouveau"})));
    SetLock other(setLockPath(dir.filePath("LION.htl")));
    ASSERT_TRUE(other.tryLock());
    backup::Made made;
    QString error;
    const QDateTime at(QDate(2026, 12, 7), QTime(18, 30));
    EXPECT_FALSE(backup::make(dir.filePath("LION.htl"), dir.path(), dir.filePath("cle"), at, false,
                              &made, &error));
    EXPECT_EQ(error, "Un enregistrement est en cours ou a été interrompu ; réessayez");
    EXPECT_EQ(QDir(dir.filePath("cle")).entryList(QDir::Files | QDir::Hidden), QStringList());
    // With the lock, the save is finished first, then backed up.
    other.unlock();
    ASSERT_TRUE(backup::make(dir.filePath("LION.htl"), dir.path(), dir.filePath("cle"), at, true,
                             &made, &error))
        << qPrintable(error);
    backup::Restored restored;
    ASSERT_TRUE(backup::restore(made.archive, dir.filePath("retour"), &restored, &error))
        << qPrintable(error);
    EXPECT_EQ(readFile(dir.filePath("retour/LION.htl")), crlf(oneLineBlocks({"nouveau"})));
}

// The last 30 days that have a backup keep their newest one, and so do the
// last 12 months; anything else goes, other hotels' backups and other files
// included in nothing.
TEST(Backup, TheFolderKeepsThirtyDaysAndTwelveMonths)
{
    QTemporaryDir dir;
    QStringList all;
    const QDateTime now(QDate(2026, 12, 7), QTime(18, 0));
    for (int day = 0; day < 500; ++day)
        for (int hour : {9, 18})
            all << backup::archiveName("LION", now.addDays(-day).addSecs((hour - 18) * 3600));
    all << backup::archiveName("TIGRE", now.addDays(-400)) << "LION-notes.txt";
    for (const QString &name : all)
        writeFile(dir.filePath(name), "x");

    const QStringList removed = backup::prune(dir.path(), "LION");
    const QStringList kept = QDir(dir.path()).entryList(QDir::Files);
    EXPECT_EQ(removed.size() + kept.size(), all.size());
    QStringList lion;
    for (const QString &name : kept)
        if (backup::madeAt(name, "LION").isValid())
            lion << name;
    // 30 evenings of the last 30 days, then one a month: the last evening of
    // each month before them.
    EXPECT_EQ(lion.size(), 30 + 10); // December and November are among the 30 days
    auto keptAt = [&](const QDateTime &t) { return kept.contains(backup::archiveName("LION", t)); };
    EXPECT_TRUE(keptAt(now));
    EXPECT_FALSE(keptAt(now.addSecs(-9 * 3600)));
    EXPECT_TRUE(keptAt(QDateTime(QDate(2026, 1, 31), QTime(18, 0))));
    EXPECT_FALSE(keptAt(QDateTime(QDate(2025, 12, 31), QTime(18, 0))));
    EXPECT_TRUE(kept.contains(backup::archiveName("TIGRE", now.addDays(-400))));
    EXPECT_TRUE(kept.contains("LION-notes.txt"));
    EXPECT_EQ(backup::last(dir.path(), "LION"), now);
}

// Off until the person turns it on; once a day.
TEST(Backup, SettingsReadAsOffWithoutTheirFile)
{
    QTemporaryDir dir;
    const QDate today(2026, 12, 7);
    backup::Settings s = backup::loadSettings(dir.path());
    EXPECT_FALSE(s.on);
    EXPECT_FALSE(backup::due(s, today));
    s.on = true;
    s.folder = "/media/cl\u00e9";
    s.last = QDateTime(today.addDays(-1), QTime(23, 0));
    QString error;
    ASSERT_TRUE(backup::saveSettings(s, dir.path(), &error)) << qPrintable(error);
    const backup::Settings read = backup::loadSettings(dir.path());
    EXPECT_TRUE(read.on);
    EXPECT_EQ(read.folder, s.folder);
    EXPECT_EQ(read.last, s.last);
    EXPECT_TRUE(backup::due(read, today));
    s.last = QDateTime(today, QTime(8, 0));
    EXPECT_FALSE(backup::due(s, today));
}
