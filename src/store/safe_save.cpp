#include "safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

// Version 2 names each file by its path relative to the journal's folder,
// percent-encoded, one a line: a folder renamed since, or a TAB or a line
// break in a name, cannot break it. Version 1 (absolute paths, TAB between
// the temporary and the final name) is still finished, by file name.
const QByteArray kJournalHead = "CARVELLE-JOURNAL 2";
const QByteArray kJournalHeadV1 = "CARVELLE-JOURNAL 1";
const QByteArray kJournalEnd = "FIN";

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// Makes a rename or a new file in `folder` survive a power cut.
void syncFolder(const QString &folder, bool sync = true)
{
    if (!sync)
        return;
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool renameOver(const QString &from, const QString &to)
{
    return ::rename(native(from).constData(), native(to).constData()) == 0;
}

bool removeFile(const QString &path)
{
    return ::unlink(native(path).constData()) == 0 || errno == ENOENT;
}

bool exists(const QString &path)
{
    struct stat st;
    return ::lstat(native(path).constData(), &st) == 0;
}

// Writes all the bytes, going on after a short write; false with errno set.
bool writeAll(int fd, const char *p, qsizetype n)
{
    while (n > 0) {
        const ssize_t w = ::write(fd, p, std::size_t(n));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (w == 0) {
            errno = ENOSPC;
            return false;
        }
        p += w;
        n -= w;
    }
    return true;
}

// A file written through its descriptor, so that the error reported is the
// system's own (a full disk, the file-size limit).
class FdSink : public SafeSave::Sink
{
public:
    FdSink(int fd, std::function<bool()> beforeWrite) : m_fd(fd), m_beforeWrite(std::move(beforeWrite)) {}
    void write(QByteArrayView bytes) override
    {
        if (!m_ok || bytes.isEmpty())
            return;
        if (!m_beforeWrite()) {
            m_ok = false;
            m_errno = errno;
            return;
        }
        if (!writeAll(m_fd, bytes.data(), bytes.size())) {
            m_ok = false;
            m_errno = errno;
        }
    }
    bool ok() const { return m_ok; }
    int error() const { return m_errno; }

private:
    int m_fd;
    std::function<bool()> m_beforeWrite;
    bool m_ok = true;
    int m_errno = 0;
};

// Where a file really lives: a symbolic link is saved through to its target.
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

} // namespace

QString SafeSave::systemMessage(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Disque plein");
    case EFBIG:
        return QStringLiteral("Disque plein (taille maximale d'un fichier atteinte)");
    case EACCES:
    case EPERM:
        return QStringLiteral("Permission refusée");
    case EROFS:
        return QStringLiteral("Disque en lecture seule");
    case ENOENT:
        return QStringLiteral("Dossier introuvable");
    case EIO:
        return QStringLiteral("Erreur d'entrée-sortie");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

SafeSave::SafeSave(QString journalPath) : m_journal(std::move(journalPath))
{
    // Past the file-size limit a write must fail with EFBIG and be told,
    // not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
}

void SafeSave::add(const QString &path, Producer produce)
{
    m_entries.push_back({resolved(path), std::move(produce)});
}

void SafeSave::add(const QString &path, const QByteArray &bytes)
{
    add(path, [bytes](Sink &sink) { sink.write(bytes); });
}

SafeSave::Fault SafeSave::fault(Step step, const QString &path)
{
    const Fault f = m_hook ? m_hook(step, path) : Fault::None;
    if (f == Fault::Die)
        m_died = true;
    if (f == Fault::Fail)
        errno = EIO;
    return f;
}

bool SafeSave::fail(const QString &path, int error)
{
    m_error = QStringLiteral("Impossible d'enregistrer le fichier %1 : %2")
                  .arg(QDir::toNativeSeparators(path), systemMessage(error));
    return false;
}

void SafeSave::removeTemps()
{
    for (const Entry &e : m_entries) {
        removeFile(tempPath(e.path));
        removeFile(newBackupPath(e.path));
    }
}

bool SafeSave::writeTemp(const Entry &e)
{
    const QString tmp = tempPath(e.path);
    int error = 0;
    if (fault(Step::Open, e.path) != Fault::None) {
        error = errno;
    } else {
        // The new file keeps the mode of the one it replaces.
        struct stat st;
        const mode_t mode = ::stat(native(e.path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0644;
        removeFile(tmp);
        const int fd = ::open(native(tmp).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0) {
            error = errno;
        } else {
            FdSink sink(fd, [&] { return fault(Step::Write, e.path) == Fault::None; });
            e.produce(sink);
            if (m_died) {
                ::close(fd);
                return false;
            }
            if (!sink.ok())
                error = sink.error();
            else if (fault(Step::Flush, e.path) != Fault::None || (m_sync && ::fsync(fd) != 0)
                     || ::fchmod(fd, mode) != 0)
                error = errno;
            if (::close(fd) != 0 && !error)
                error = errno;
        }
    }
    if (m_died)
        return false;
    if (error) {
        removeTemps();
        return fail(e.path, error);
    }
    return true;
}

bool SafeSave::commit()
{
    m_error.clear();
    m_died = false;

    // 1. Every new file in full beside the old one, on disk.
    for (const Entry &e : m_entries)
        if (!writeTemp(e))
            return false;

    // 2. The backups to be: the old files stay as they are, and so do the
    // backups of the save before, until the journal is on disk.
    for (const Entry &e : m_entries) {
        if (!exists(e.path))
            continue;
        const QString bak = newBackupPath(e.path);
        const bool faulty = fault(Step::Backup, e.path) != Fault::None;
        if (m_died)
            return false;
        removeFile(bak);
        if (faulty || (::link(native(e.path).constData(), native(bak).constData()) != 0
                       && !QFile::copy(e.path, bak))) {
            const int error = faulty ? errno : (errno ? errno : EIO);
            removeTemps();
            return fail(backupPath(e.path), error);
        }
    }

    // 3. The journal: once it is on disk the save counts as done, whatever
    // happens to the program during the renames.
    {
        const QDir base(folderOf(m_journal));
        QByteArray text = kJournalHead + "\r\n";
        for (const Entry &e : m_entries)
            text += base.relativeFilePath(e.path).toUtf8().toPercentEncoding("/") + "\r\n";
        text += kJournalEnd + "\r\n";
        const QString tmp = tempPath(m_journal);
        const bool faulty = fault(Step::Journal, m_journal) != Fault::None;
        if (m_died)
            return false;
        int error = faulty ? errno : 0;
        if (!error) {
            const int fd = ::open(native(tmp).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
            if (fd < 0 || !writeAll(fd, text.constData(), text.size()) || (m_sync && ::fsync(fd) != 0))
                error = errno ? errno : EIO;
            if (fd >= 0)
                ::close(fd);
            if (!error && !renameOver(tmp, m_journal))
                error = errno;
        }
        if (error) {
            removeFile(tmp);
            removeTemps();
            return fail(m_journal, error);
        }
        syncFolder(folderOf(m_journal), m_sync);
    }

    // 4. The renames: backups first, then the files. Should one fail, the
    // files done are put back from their backups so the group stays whole;
    // if even that fails, the journal stays and the next open finishes.
    for (const Entry &e : m_entries)
        if (exists(newBackupPath(e.path)))
            renameOver(newBackupPath(e.path), backupPath(e.path));
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry &e = m_entries[i];
        const bool faulty = fault(Step::Rename, e.path) != Fault::None;
        if (m_died)
            return false;
        if (faulty || !renameOver(tempPath(e.path), e.path)) {
            const int error = errno;
            bool undone = true;
            for (std::size_t j = 0; j < i; ++j) {
                const QString &done = m_entries[j].path;
                const QString bak = backupPath(done);
                if (exists(bak)) {
                    // Keep the backup: restore through a copy of it.
                    removeFile(tempPath(done));
                    if (!QFile::copy(bak, tempPath(done)) || !renameOver(tempPath(done), done))
                        undone = false;
                } else if (!removeFile(done)) {
                    undone = false;
                }
            }
            if (undone) {
                removeTemps();
                removeFile(m_journal);
            }
            syncFolder(folderOf(e.path), m_sync);
            return fail(e.path, error);
        }
    }
    if (m_sync)
        for (const Entry &e : m_entries)
            syncFolder(folderOf(e.path));
    removeFile(m_journal);
    return true;
}

bool SafeSave::recover(const QString &journalPath, QString *error)
{
    removeFile(tempPath(journalPath));
    QFile file(journalPath);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1 : %2")
                         .arg(QDir::toNativeSeparators(journalPath), file.errorString());
        return false;
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    QList<QByteArray> body;
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            body.push_back(line);
    }
    // A journal not written to its end was never committed: the old files
    // are all still in place.
    const bool v1 = !body.isEmpty() && body.front() == kJournalHeadV1;
    if (body.size() < 2 || (body.front() != kJournalHead && !v1) || body.back() != kJournalEnd) {
        removeFile(journalPath);
        return true;
    }
    const QDir base(folderOf(journalPath));
    QStringList targets;
    for (qsizetype i = 1; i + 1 < body.size(); ++i) {
        if (v1) {
            // The folder may have been renamed since: the files are beside
            // the journal, under their own names.
            const qsizetype tab = body[i].lastIndexOf('\t');
            targets << base.filePath(QFileInfo(QFile::decodeName(body[i].mid(tab + 1))).fileName());
        } else {
            targets << base.filePath(QString::fromUtf8(QByteArray::fromPercentEncoding(body[i])));
        }
    }
    QStringList failed;
    for (const QString &target : targets) {
        const QString bak = newBackupPath(target);
        if (exists(bak))
            renameOver(bak, backupPath(target));
        const QString tmp = tempPath(target);
        if (exists(tmp) && !renameOver(tmp, target))
            failed << QDir::toNativeSeparators(target) + QStringLiteral(" (") + systemMessage(errno) + u')';
    }
    if (!failed.isEmpty()) {
        if (error)
            *error = QStringLiteral("L'enregistrement interrompu n'a pas pu être terminé pour : %1. "
                                    "Rien n'a été ouvert.")
                         .arg(failed.join(QStringLiteral(", ")));
        return false;
    }
    for (const QString &target : targets)
        syncFolder(folderOf(target));
    syncFolder(base.absolutePath());
    removeFile(journalPath);
    return true;
}
