#include "safe_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const QByteArray kJournalHead = "CARVELLE-JOURNAL 1";
const QByteArray kJournalEnd = "FIN";

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Makes a rename or a new file in `folder` survive a power cut.
void syncFolder(const QString &folder, bool sync = true)
{
    if (!sync)
        return;
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool renameOver(const QString &from, const QString &to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

class FileSink : public SafeSave::Sink
{
public:
    FileSink(QFile &file, std::function<bool()> beforeWrite)
        : m_file(file), m_beforeWrite(std::move(beforeWrite))
    {}
    void write(QByteArrayView bytes) override
    {
        if (!m_ok || bytes.isEmpty())
            return;
        if (!m_beforeWrite()) {
            m_ok = false;
            return;
        }
        if (m_file.write(bytes.data(), bytes.size()) != bytes.size()) {
            m_ok = false;
            m_error = m_file.errorString();
        }
    }
    bool ok() const { return m_ok; }
    QString error() const { return m_error; }

private:
    QFile &m_file;
    std::function<bool()> m_beforeWrite;
    bool m_ok = true;
    QString m_error;
};

} // namespace

SafeSave::SafeSave(QString journalPath) : m_journal(std::move(journalPath)) {}

void SafeSave::add(const QString &path, Producer produce)
{
    m_entries.push_back({path, std::move(produce)});
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

bool SafeSave::fail(const QString &path, const QString &why)
{
    m_error = QStringLiteral("Impossible d'enregistrer le fichier %1 : %2")
                  .arg(QDir::toNativeSeparators(path), why);
    return false;
}

void SafeSave::removeTemps()
{
    for (const Entry &e : m_entries)
        QFile::remove(tempPath(e.path));
}

bool SafeSave::commit()
{
    m_error.clear();
    m_died = false;

    // 1. Every new file in full beside the old one, on disk.
    for (const Entry &e : m_entries) {
        QFile file(tempPath(e.path));
        if (fault(Step::Open, e.path) != Fault::None || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            if (m_died)
                return false;
            const QString why = file.isOpen() || file.error() == QFileDevice::NoError
                                    ? systemError() : file.errorString();
            removeTemps();
            return fail(e.path, why);
        }
        QString why;
        FileSink sink(file, [&] {
            if (fault(Step::Write, e.path) == Fault::None)
                return true;
            why = systemError();
            return false;
        });
        e.produce(sink);
        if (m_died)
            return false;
        bool ok = sink.ok();
        if (ok && (fault(Step::Flush, e.path) != Fault::None || !file.flush() || (m_sync && ::fsync(file.handle()) != 0))) {
            if (m_died)
                return false;
            why = systemError();
            ok = false;
        }
        if (!ok) {
            if (why.isEmpty())
                why = sink.error().isEmpty() ? systemError() : sink.error();
            file.close();
            removeTemps();
            return fail(e.path, why);
        }
        file.close();
    }

    // 2. One generation of backups: the old file stays reachable as ".bak".
    for (const Entry &e : m_entries) {
        if (!QFile::exists(e.path))
            continue;
        const QString bak = backupPath(e.path);
        const bool faulty = fault(Step::Backup, e.path) != Fault::None;
        if (m_died)
            return false;
        QFile::remove(bak);
        if (faulty || (::link(QFile::encodeName(e.path).constData(), QFile::encodeName(bak).constData()) != 0
                       && !QFile::copy(e.path, bak))) {
            const QString why = systemError();
            removeTemps();
            return fail(bak, why);
        }
    }

    // 3. The journal: once it is on disk the save counts as done, whatever
    // happens to the program during the renames.
    {
        QByteArray text = kJournalHead + "\r\n";
        for (const Entry &e : m_entries)
            text += QFile::encodeName(tempPath(e.path)) + '\t' + QFile::encodeName(e.path) + "\r\n";
        text += kJournalEnd + "\r\n";
        const QString tmp = tempPath(m_journal);
        QFile file(tmp);
        const bool faulty = fault(Step::Journal, m_journal) != Fault::None;
        if (m_died)
            return false;
        if (faulty || !file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()
            || !file.flush() || (m_sync && ::fsync(file.handle()) != 0)
            || (file.close(), !renameOver(tmp, m_journal))) {
            const QString why = systemError();
            file.close();
            QFile::remove(tmp);
            removeTemps();
            return fail(m_journal, why);
        }
        syncFolder(folderOf(m_journal), m_sync);
    }

    // 4. The renames. Should one fail, the ones done are undone from the
    // backups so the group stays whole; if even that fails, the journal
    // stays and the next start finishes the save.
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry &e = m_entries[i];
        const bool faulty = fault(Step::Rename, e.path) != Fault::None;
        if (m_died)
            return false;
        if (faulty || !renameOver(tempPath(e.path), e.path)) {
            const QString why = systemError();
            bool undone = true;
            for (std::size_t j = 0; j < i; ++j) {
                const QString &done = m_entries[j].path;
                const QString bak = backupPath(done);
                if (QFile::exists(bak)) {
                    // Keep the backup: restore through a copy of it.
                    if (!QFile::copy(bak, tempPath(done)) || !renameOver(tempPath(done), done))
                        undone = false;
                } else if (!QFile::remove(done)) {
                    undone = false;
                }
            }
            if (undone) {
                removeTemps();
                QFile::remove(m_journal);
            }
            syncFolder(folderOf(e.path), m_sync);
            return fail(e.path, why);
        }
    }
    if (m_sync)
        for (const Entry &e : m_entries)
            syncFolder(folderOf(e.path));
    QFile::remove(m_journal);
    return true;
}

bool SafeSave::recover(const QString &journalPath, QString *error)
{
    QFile::remove(tempPath(journalPath));
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
    // A journal not written to its end was never committed.
    if (body.size() < 2 || body.front() != kJournalHead || body.back() != kJournalEnd) {
        QFile::remove(journalPath);
        return true;
    }
    QStringList failed;
    for (qsizetype i = 1; i + 1 < body.size(); ++i) {
        const QList<QByteArray> pair = body[i].split('\t');
        if (pair.size() != 2)
            continue;
        const QString tmp = QFile::decodeName(pair[0]);
        const QString target = QFile::decodeName(pair[1]);
        if (QFile::exists(tmp) && !renameOver(tmp, target))
            failed << QDir::toNativeSeparators(target) + QStringLiteral(" (") + systemError() + u')';
    }
    if (!failed.isEmpty()) {
        if (error)
            *error = QStringLiteral("L'enregistrement interrompu n'a pas pu être terminé pour : %1")
                         .arg(failed.join(QStringLiteral(", ")));
        return false;
    }
    syncFolder(folderOf(journalPath));
    QFile::remove(journalPath);
    return true;
}
