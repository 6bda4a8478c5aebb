#include "store/set_lock.h"
#include "table_helpers.h"
#include "tool_run.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void date(const QString &path, qint64 seconds)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(seconds),
                              QFileDevice::FileModificationTime));
}

// The lock of a program that ended without removing it, on this machine.
QByteArray deadProgramsLock()
{
    return "999999999\nCarvelle\n" + QSysInfo::machineHostName().toUtf8() + "\n";
}

} // namespace

// A lock is judged by the process it names; one that names none was left
// half-written and must not refuse every save for ever; one that cannot be
// judged is refused with its path and what to do.
TEST(SetLock, StaleLocksAreTakenOverAndStrangeOnesTold)
{
    QTemporaryDir dir;
    const QString lockPath = setLockPath(dir.filePath("LION.htl"));

    using E = SetLock::Error;
    const QByteArray dead = deadProgramsLock(), host = QSysInfo::machineHostName().toUtf8();
    const qint64 day = 86400;
    const struct
    {
        const char *name;
        QByteArray text;
        qint64 dated; // seconds from now
        mode_t mode;
        E error; // None: taken over
        const char *told;
    } cases[] = {
        {"empty, being written", "", 0, 0644, E::InUse, "Cet hôtel est ouvert dans Carvelle"},
        {"empty, left a while ago", "", -120, 0644, E::None, ""},
        {"dead program, two days old", dead, -2 * day, 0644, E::None, ""},
        {"dead program, marked read-only", dead, -2 * day, 0444, E::None, ""},
        {"dead program, dated in the future", dead, 2 * day, 0600, E::None, ""},
        {"from before the machine started",
         "1\nCarvelle\n" + host + "\n" + QSysInfo::machineUniqueId() + "\nautre-démarrage\n", -60,
         0644, E::None, ""},
        {"empty, dated in the future", "", 2 * day, 0644, E::Unusable, "dans le futur"},
        {"another machine's",
         "4242\nCarvelle\nposte-accueil\nautre-machine\nboot\nmarie\n2026-12-05T08:30:00Z\n", -3600,
         0644, E::InUse, "par marie sur poste-accueil depuis le 05/12/2026"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(lockPath, c.text);
        date(lockPath, c.dated);
        ASSERT_EQ(::chmod(QFile::encodeName(lockPath).constData(), c.mode), 0);
        SetLock lock(lockPath);
        EXPECT_EQ(lock.tryLock(), c.error == E::None);
        EXPECT_EQ(lock.error(), c.error);
        EXPECT_TRUE(lock.message().contains(QString::fromUtf8(c.told)))
            << qPrintable(lock.message());
        if (c.error != E::None) {
            EXPECT_TRUE(lock.message().contains(lockPath)) << qPrintable(lock.message());
        }
        QFile::remove(lockPath);
    }

    // A folder where the lock should be.
    ASSERT_TRUE(QDir().mkdir(lockPath));
    {
        SetLock lock(lockPath);
        EXPECT_FALSE(lock.tryLock());
        EXPECT_EQ(lock.error(), SetLock::Error::Unusable);
        EXPECT_TRUE(lock.message().contains(lockPath + " n'est pas un fichier (c'est un dossier)"))
            << qPrintable(lock.message());
    }
    ASSERT_TRUE(QDir().rmdir(lockPath));
}

// A live holder keeps the set, however old its lock; the lock tells who
// holds it, readable by everyone; earlier programs' locks count the same.
TEST(SetLock, LiveHoldersKeepTheSet)
{
    QTemporaryDir dir;
    const QString lockPath = setLockPath(dir.filePath("LION.htl"));
    {
        SetLock first(lockPath);
        ASSERT_TRUE(first.tryLock());
        struct stat st;
        ASSERT_EQ(::stat(QFile::encodeName(lockPath).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0644u);
        date(lockPath, -3600);
        SetLock second(lockPath);
        EXPECT_FALSE(second.tryLock());
        EXPECT_EQ(second.error(), SetLock::Error::InUse);
        EXPECT_EQ(second.holder().pid, QCoreApplication::applicationPid());
        EXPECT_EQ(second.holder().host, QSysInfo::machineHostName());
        EXPECT_FALSE(second.holder().user.isEmpty());
        EXPECT_TRUE(second.message().contains(" par " + second.holder().user + " sur "))
            << qPrintable(second.message());
    }
    EXPECT_FALSE(QFile::exists(lockPath));

    QLockFile earlier(lockPath);
    ASSERT_TRUE(earlier.tryLock(0));
    SetLock lock(lockPath);
    EXPECT_FALSE(lock.tryLock());
    EXPECT_EQ(lock.error(), SetLock::Error::InUse);
}

// Another user's stale lock in a shared folder: this user may not open its
// file for writing (an administrator is made another user for the run), but
// the folder lets it be removed and made again.
TEST(SetLock, AnotherUsersStaleLockIsTakenOverThroughTheFolder)
{
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QString set = dir.filePath("LION.htl"), lockPath = setLockPath(set);
    const bool root = ::geteuid() == 0;
    const std::function<void()> otherUser = [] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(99);
    };
    const struct
    {
        const char *name;
        QByteArray text;
        mode_t mode;
    } cases[] = {
        {"a dead program's, readable", deadProgramsLock(), mode_t(root ? 0644 : 0444)},
        {"unreadable", "", mode_t(root ? 0600 : 0000)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(set, "stray\r\n<BLOC00000>\r\n</BLOC00000>\r\n");
        writeFile(lockPath, c.text);
        date(lockPath, -2 * 86400);
        ASSERT_EQ(::chmod(QFile::encodeName(lockPath).constData(), c.mode), 0);
        QString out;
        EXPECT_EQ(
            runTool(dir.path(), {"repair", set}, &out, root ? otherUser : std::function<void()>()),
            1)
            << qPrintable(out);
        EXPECT_EQ(readFile(set), "<BLOC00000>\r\n</BLOC00000>\r\n");
        EXPECT_FALSE(QFile::exists(lockPath));
    }

    // A live holder is named, with its lock file.
    SetLock held(lockPath);
    ASSERT_TRUE(held.tryLock());
    QString out;
    EXPECT_EQ(runTool(dir.path(), {"repair", set}, &out), 2);
    EXPECT_TRUE(out.contains("Cet hôtel est ouvert dans Carvelle par ")) << qPrintable(out);
    EXPECT_TRUE(out.contains("(verrou " + lockPath + ")")) << qPrintable(out);
    EXPECT_TRUE(out.contains("Fermez-le avant de le réparer.")) << qPrintable(out);
}
