#include "set_lock.h"

#include "safe_save.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

// A lock this young that names no process may still be being written.
constexpr qint64 kHalfWrittenSecs = 60;

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString userName(uid_t uid)
{
    if (const passwd *pw = ::getpwuid(uid); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(uid);
}

QString thisUser()
{
    return userName(::getuid());
}

QString programName()
{
    const QString name = QCoreApplication::instance()
                             ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                             : QString();
    return name.isEmpty() ? QStringLiteral("Carvelle") : name;
}

bool processRuns(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// Whether a live process of this machine holds a lock on the file (locks
// taken by Carvelle and by Qt's lock files are listed in /proc/locks).
bool lockedByAProcess(const struct stat &st)
{
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    const QByteArray id = QByteArray::number(major(st.st_dev), 16).rightJustified(2, '0') + ':' +
                          QByteArray::number(minor(st.st_dev), 16).rightJustified(2, '0') + ':' +
                          QByteArray::number(qulonglong(st.st_ino));
    for (const QByteArray &line : locks.readAll().split('\n'))
        for (const QByteArray &field : line.simplified().split(' '))
            if (field == id)
                return true;
    return false;
}

QString when(const QDateTime &t)
{
    return t.toLocalTime().toString(QStringLiteral("dd/MM/yyyy à HH:mm"));
}

} // namespace

QString setLockPath(const QString &clientFile)
{
    return QFileInfo(clientFile).absoluteFilePath() + QStringLiteral(".lck");
}

QByteArray lockFileContents()
{
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' + programName().toUtf8() +
           '\n' + QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n' +
           QSysInfo::bootUniqueId() + '\n' + thisUser().toUtf8() + '\n' +
           QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toUtf8() + '\n';
}

SetLock::SetLock(const QString &lockPath) : m_path(lockPath) {}

SetLock::~SetLock()
{
    unlock();
}

void SetLock::unlock()
{
    if (m_fd < 0)
        return;
    ::unlink(native(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

SetLock::Verdict SetLock::judge()
{
    m_holder = {};
    struct stat st;
    if (::lstat(native(m_path).constData(), &st) != 0)
        return errno == ENOENT ? Verdict::Gone : Verdict::Unusable;
    const QString shown = QDir::toNativeSeparators(m_path);
    if (!S_ISREG(st.st_mode)) {
        m_message =
            QStringLiteral("Le verrou %1 n'est pas un fichier (%2) : aucun programme Carvelle ne "
                           "l'a fait. Supprimez-le, puis ouvrez l'hôtel à nouveau.")
                .arg(shown, S_ISDIR(st.st_mode) ? QStringLiteral("c'est un dossier")
                                                : QStringLiteral("fichier spécial"));
        return Verdict::Unusable;
    }
    m_holder.user = userName(st.st_uid);
    m_holder.since = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);

    QFile file(m_path);
    QList<QByteArray> lines;
    if (file.open(QIODevice::ReadOnly))
        lines = file.read(4096).split('\n');
    const qint64 pid = lines.isEmpty() ? 0 : lines[0].trimmed().toLongLong();
    if (pid > 0) {
        m_holder.pid = pid;
        m_holder.host = QString::fromUtf8(lines.value(2).trimmed());
        if (const QByteArray user = lines.value(5).trimmed(); !user.isEmpty())
            m_holder.user = QString::fromUtf8(user);
        if (const QDateTime t =
                QDateTime::fromString(QString::fromUtf8(lines.value(6).trimmed()), Qt::ISODate);
            t.isValid())
            m_holder.since = t;
        const QByteArray machine = lines.value(3).trimmed(), boot = lines.value(4).trimmed();
        const bool here = !machine.isEmpty() ? machine == QSysInfo::machineUniqueId()
                                             : m_holder.host == QSysInfo::machineHostName();
        if (!here)
            return Verdict::Live; // another machine: only it can tell
        if (!boot.isEmpty() && boot != QSysInfo::bootUniqueId())
            return Verdict::Stale; // its process ended with the machine
        return processRuns(pid) ? Verdict::Live : Verdict::Stale;
    }
    // Empty, or another user's that this one cannot read.
    if (lockedByAProcess(st))
        return Verdict::Live;
    const qint64 age = m_holder.since.secsTo(QDateTime::currentDateTime());
    if (age < -kHalfWrittenSecs) {
        m_message =
            QStringLiteral(
                "Le verrou %1 est daté du %2, dans le futur : l'horloge d'un ordinateur est "
                "fausse. Si aucun programme Carvelle n'a cet hôtel ouvert, supprimez ce "
                "fichier, puis ouvrez l'hôtel à nouveau.")
                .arg(shown, when(m_holder.since));
        return Verdict::Unusable;
    }
    return age < kHalfWrittenSecs ? Verdict::Young : Verdict::Stale;
}

bool SetLock::tryLock()
{
    if (m_fd >= 0)
        return true;
    m_error = Error::None;
    m_message.clear();
    const QByteArray name = native(m_path);
    // A few rounds: another program may take over the same stale lock.
    for (int round = 0; round < 3; ++round) {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            // Readable by every user of a shared folder, whatever the umask.
            ::fchmod(fd, 0644);
            ::flock(fd, LOCK_EX | LOCK_NB);
            const QByteArray text = lockFileContents();
            if (::write(fd, text.constData(), std::size_t(text.size())) != ssize_t(text.size())) {
                const int error = errno;
                ::close(fd);
                ::unlink(name.constData());
                m_error = Error::CannotCreate;
                m_message =
                    QStringLiteral("Impossible de créer le verrou %1 : %2")
                        .arg(QDir::toNativeSeparators(m_path), SafeSave::systemMessage(error));
                return false;
            }
            m_fd = fd;
            m_holder = {};
            return true;
        }
        if (errno != EEXIST) {
            m_error = Error::CannotCreate;
            m_message = QStringLiteral("Impossible de créer le verrou %1 : %2")
                            .arg(QDir::toNativeSeparators(m_path), SafeSave::systemMessage(errno));
            return false;
        }
        struct stat before;
        const bool seen = ::lstat(name.constData(), &before) == 0;
        switch (judge()) {
        case Verdict::Gone:
            continue;
        case Verdict::Unusable:
            m_error = Error::Unusable;
            return false;
        case Verdict::Live:
        case Verdict::Young: {
            m_error = Error::InUse;
            QString who =
                m_holder.user.isEmpty() ? QString() : QStringLiteral(" par ") + m_holder.user;
            if (!m_holder.host.isEmpty())
                who += QStringLiteral(" sur ") + m_holder.host;
            if (m_holder.since.isValid())
                who += QStringLiteral(" depuis le ") + when(m_holder.since);
            m_message = QStringLiteral("Cet hôtel est ouvert dans Carvelle%1 (verrou %2).")
                            .arg(who, QDir::toNativeSeparators(m_path));
            return false;
        }
        case Verdict::Stale: {
            // Removed through the folder, and only if it is still the one
            // judged: another program may have taken it over meanwhile.
            struct stat now;
            if (seen && ::lstat(name.constData(), &now) == 0 &&
                (now.st_ino != before.st_ino || now.st_dev != before.st_dev))
                continue;
            if (::unlink(name.constData()) != 0 && errno != ENOENT) {
                m_error = Error::Unusable;
                m_message =
                    QStringLiteral(
                        "Le verrou %1 est abandonné mais ne peut pas être supprimé (%2) : "
                        "supprimez-le, puis ouvrez l'hôtel à nouveau.")
                        .arg(QDir::toNativeSeparators(m_path), SafeSave::systemMessage(errno));
                return false;
            }
            continue;
        }
        }
    }
    m_error = Error::InUse;
    m_message = QStringLiteral("Cet hôtel est ouvert dans Carvelle (verrou %1).")
                    .arg(QDir::toNativeSeparators(m_path));
    return false;
}
