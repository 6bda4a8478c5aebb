#include "store/set_lock.h"
#include "table_helpers.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void age(const QString &path, int seconds)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime));
}

} // namespace

// A lock is judged by the process it names; one that names none was left
// half-written and must not refuse every save for ever.
TEST(SetLock, StaleLocksAreTakenOverAndLiveOnesAreNot)
{
    QTemporaryDir dir;
    const QString lockPath = setLockPath(dir.filePath("LION.htl"));
    EXPECT_EQ(lockPath, dir.filePath("LION.htl.lck"));

    // Empty: refused while it may still be being written, taken after a minute.
    writeFile(lockPath, "");
    {
        QLockFile lock(lockPath);
        EXPECT_FALSE(takeSetLock(lock, lockPath));
    }
    age(lockPath, 120);
    {
        QLockFile lock(lockPath);
        EXPECT_TRUE(takeSetLock(lock, lockPath));
    }
    // A program that ended without removing its lock.
    writeFile(lockPath, "999999999\nCarvelle\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    {
        QLockFile lock(lockPath);
        EXPECT_TRUE(takeSetLock(lock, lockPath));
        // A live holder (this very program) keeps it, however old.
        age(lockPath, 3600);
        QLockFile other(lockPath);
        EXPECT_FALSE(takeSetLock(other, lockPath));
        EXPECT_EQ(other.error(), QLockFile::LockFailedError);
    }
}
