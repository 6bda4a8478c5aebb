#include "set_files.h"

#include "file_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sys/stat.h>

namespace {

std::function<void(Table)> &readHook()
{
    static std::function<void(Table)> hook;
    return hook;
}

// An existing file at `path`, looked up without regard to letter case.
QString existingNoCase(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QFileInfo info(path);
    return findFileNoCase(info.absolutePath(), info.fileName());
}

bool readFiles(SetFiles &files, QString *error, const std::array<bool, 7> &wanted)
{
    for (Table t : kAllTables) {
        if (!wanted[std::size_t(t)])
            continue;
        const QString &name = files.names[std::size_t(t)];
        QByteArray &bytes = files.bytes[std::size_t(t)];
        bool &present = files.present[std::size_t(t)];
        bytes.clear();
        present = false;
        files.mapped[std::size_t(t)].reset();
        QFile file(name);
        if (!file.exists()) {
            if (readHook())
                readHook()(t);
            continue;
        }
        if (file.size() > FileSet::kMaxFileSize) {
            *error = QStringLiteral("Le fichier %1 est trop volumineux pour être ouvert")
                         .arg(QDir::toNativeSeparators(name));
            return false;
        }
        if (files.mayMap) {
            if (auto mapped = MappedFile::map(name)) {
                bytes = mapped->bytes();
                files.mapped[std::size_t(t)] = std::move(mapped);
                present = true;
                if (readHook())
                    readHook()(t);
                continue;
            }
        }
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("Impossible de lire le fichier %1 : %2")
                         .arg(QDir::toNativeSeparators(name), file.errorString());
            return false;
        }
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            *error = QStringLiteral("Impossible de lire le fichier %1 : %2")
                         .arg(QDir::toNativeSeparators(name), file.errorString());
            return false;
        }
        present = true;
        if (readHook())
            readHook()(t);
    }
    return true;
}

// What tells a file apart from the one a save puts in its place: a save
// renames a new file (a new inode) over the old one.
struct Stamp
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 changed = 0; // nanoseconds

    bool operator==(const Stamp &) const = default;
};

Stamp stampOf(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {true, st.st_dev, st.st_ino, st.st_size,
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

std::array<Stamp, 7> stampsOf(const std::array<QString, 7> &names)
{
    std::array<Stamp, 7> stamps;
    for (std::size_t i = 0; i < names.size(); ++i)
        stamps[i] = stampOf(names[i]);
    return stamps;
}

bool readConsistent(const QString &client, bool lockHeld, SetFiles &files, QString *error,
                    const std::array<bool, 7> &wanted)
{
    const std::array<QString, 7> &names = files.names;
    if (lockHeld)
        return readFiles(files, error, wanted);
    // Another program may be saving this very set: the files are read
    // only while no journal stands, and read again when one of them was
    // replaced during the read, so that the tables are all of one save.
    const QString journal = FileSet::journalPath(client);
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        if (attempt > 0)
            QThread::msleep(kReadPauseMs);
        if (QFileInfo::exists(journal))
            continue;
        const std::array<Stamp, 7> before = stampsOf(names);
        if (!readFiles(files, error, wanted))
            return false;
        if (!QFileInfo::exists(journal) && stampsOf(names) == before)
            return true;
    }
    *error = QStringLiteral("Un enregistrement est en cours ou a été interrompu ; réessayez");
    return false;
}

void removeLeftovers(const QString &client, const std::array<QString, 7> &names)
{
    // Once no journal stands, the temporary files and backups-to-be of a
    // save that died before its journal are only in the way.
    if (QFileInfo::exists(FileSet::journalPath(client)))
        return;
    for (const QString &name : names) {
        QFile::remove(SafeSave::tempPath(name));
        QFile::remove(SafeSave::newBackupPath(name));
    }
    QFile::remove(SafeSave::tempPath(FileSet::journalPath(client)));
}

} // namespace

bool readSetFiles(const QString &path, const QString &currentDir, bool lockHeld, SetFiles &files,
                  QString *error, const std::array<bool, 7> &wanted)
{
    error->clear();

    // A save interrupted by the end of the program is finished first, but
    // only by the program that holds the set's lock: another one may be in
    // the middle of that very save.
    auto finishSave = [&](const QString &client) {
        if (!lockHeld || client.isEmpty())
            return true;
        QString recoverError;
        if (SafeSave::recover(FileSet::journalPath(client), &recoverError))
            return true;
        *error = recoverError;
        return false;
    };
    if (!finishSave(path))
        return false;

    QString client = existingNoCase(path);
    if (client.isEmpty() && !path.isEmpty())
        client = findFileNoCase(currentDir, QFileInfo(path).fileName());
    if (client.isEmpty()) {
        *error = QStringLiteral("Le fichier n'existe pas");
        return false;
    }
    if (client != path && !finishSave(client))
        return false;

    files.names = FileSet::Synchro(client);
    if (lockHeld)
        removeLeftovers(client, files.names);
    return readConsistent(client, lockHeld, files, error, wanted);
}

bool readMoreFiles(SetFiles &files, const std::array<bool, 7> &wanted, QString *error)
{
    error->clear();
    return readFiles(files, error, wanted);
}

void setReadHookForTests(std::function<void(Table)> hook)
{
    readHook() = std::move(hook);
}
