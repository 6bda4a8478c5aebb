#pragma once

#include <QDateTime>
#include <QString>

// A hotel set is held by one program at a time through "<client file>.lck"
// beside its client file, as spelt on disk: the program while the set is
// open, carvelle-tool while it repairs or finishes an interrupted save.
//
// The lock file names its process, program, machine (name, machine and boot
// ids), user and the time it was taken, one a line, the first five as other
// lock files of Qt programs write them so that earlier Carvelles read it. It
// is made world-readable so that another user of a shared folder can tell
// whether its holder still runs. A lock whose process no longer runs on this
// machine (or ran before the machine last started) is stale and taken over
// whoever wrote it: it is removed and made again through the folder, never
// opened for writing. One that cannot be read and that no live process of
// this machine holds is judged by its age, since it can only have been left
// half-written. A lock that is not a plain file, or an unreadable one dated
// in the future, is refused with its path and what to do.

// The lock file's path for a client file.
QString setLockPath(const QString &clientFile);

// Who holds a set, as far as its lock file tells.
struct LockHolder
{
    qint64 pid = 0;
    QString host;    // empty when unknown
    QString user;    // the lock file's owner
    QDateTime since; // when the lock was taken
};

class SetLock
{
public:
    enum class Error {
        None,
        InUse,        // another program holds the set
        Unusable,     // a lock that cannot be judged: not a file, dated in the future
        CannotCreate, // no lock can be made here (read-only folder or disk)
    };

    explicit SetLock(const QString &lockPath);
    ~SetLock();
    SetLock(const SetLock &) = delete;
    SetLock &operator=(const SetLock &) = delete;

    // Takes the lock without waiting.
    bool tryLock();
    void unlock();
    bool isLocked() const { return m_fd >= 0; }

    Error error() const { return m_error; }
    // Why the lock could not be had, in French, naming the lock file and,
    // when it can, who holds it and since when.
    QString message() const { return m_message; }
    const LockHolder &holder() const { return m_holder; }
    QString path() const { return m_path; }

private:
    enum class Verdict { Live, Stale, Young, Unusable, Gone };
    Verdict judge();

    QString m_path;
    int m_fd = -1;
    Error m_error = Error::None;
    QString m_message;
    LockHolder m_holder;
};

// The lock file's text for this process.
QByteArray lockFileContents();
