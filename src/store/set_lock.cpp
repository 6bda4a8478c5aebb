#include "set_lock.h"

#include <QDateTime>
#include <QFileInfo>

QString setLockPath(const QString &clientFile)
{
    return QFileInfo(clientFile).absoluteFilePath() + QStringLiteral(".lck");
}

bool takeSetLock(QLockFile &lock, const QString &lockPath)
{
    // Judged by its process: a lock stays as long as its program runs.
    lock.setStaleLockTime(0);
    if (lock.tryLock(0) || lock.error() != QLockFile::LockFailedError)
        return lock.isLocked();
    qint64 pid = 0;
    QString host, app;
    if (lock.getLockInfo(&pid, &host, &app))
        return false;
    const QDateTime written = QFileInfo(lockPath).lastModified();
    if (written.isValid() && written.secsTo(QDateTime::currentDateTime()) < 60)
        return false;
    lock.removeStaleLockFile();
    return lock.tryLock(0);
}
