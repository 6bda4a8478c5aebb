#include "backup.h"

#include "codec.h"
#include "file_names.h"
#include "set_files.h"
#include "settings.h"
#include "whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>

namespace backup {

namespace {

struct Item
{
    QString name; // in the archive: the file's own name
    QByteArray bytes;
    QDateTime modified;
};

struct ArchiveFree
{
    void operator()(archive *a) const { archive_write_free(a); }
};
struct ReaderFree
{
    void operator()(archive *a) const { archive_read_free(a); }
};

QString archiveError(archive *a)
{
    const char *text = archive_error_string(a);
    return text ? QString::fromLocal8Bit(text) : QStringLiteral("archive illisible");
}

la_ssize_t writeToFile(archive *, void *data, const void *buffer, size_t length)
{
    auto *file = static_cast<WholeFile *>(data);
    return file->write(QByteArrayView(static_cast<const char *>(buffer), qsizetype(length)))
               ? la_ssize_t(length)
               : -1;
}

// Writes the items into the open file as a compressed tar.
bool writeArchive(WholeFile &file, const std::vector<Item> &items, QString *error)
{
    std::unique_ptr<archive, ArchiveFree> a(archive_write_new());
    archive_write_set_format_ustar(a.get());
    archive_write_add_filter_zstd(a.get());
    // The fastest level: text still shrinks to a sixth, and a backup of ten
    // years takes about as long as opening them.
    archive_write_set_filter_option(a.get(), "zstd", "compression-level", "1");
    archive_write_set_bytes_in_last_block(a.get(), 1);
    if (archive_write_open2(a.get(), &file, nullptr, writeToFile, nullptr, nullptr) != ARCHIVE_OK) {
        *error = file.errorMessage().isEmpty() ? archiveError(a.get()) : file.errorMessage();
        return false;
    }
    for (const Item &item : items) {
        std::unique_ptr<archive_entry, decltype(&archive_entry_free)> entry(archive_entry_new(),
                                                                            archive_entry_free);
        const QByteArray name = QFile::encodeName(item.name);
        archive_entry_set_pathname(entry.get(), name.constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), item.bytes.size());
        archive_entry_set_mtime(entry.get(), item.modified.toSecsSinceEpoch(), 0);
        if (archive_write_header(a.get(), entry.get()) != ARCHIVE_OK ||
            archive_write_data(a.get(), item.bytes.constData(), std::size_t(item.bytes.size())) !=
                la_ssize_t(item.bytes.size())) {
            *error = file.errorMessage().isEmpty() ? archiveError(a.get()) : file.errorMessage();
            return false;
        }
    }
    if (archive_write_close(a.get()) != ARCHIVE_OK) {
        *error = file.errorMessage().isEmpty() ? archiveError(a.get()) : file.errorMessage();
        return false;
    }
    return true;
}

// Reads every entry of an archive: `take` gets each plain file's name and
// bytes and may stop the read by returning false (with *error set).
bool readArchive(const QString &path,
                 const std::function<bool(const QString &, QByteArray &&)> &take, QString *error)
{
    std::unique_ptr<archive, ReaderFree> a(archive_read_new());
    archive_read_support_filter_all(a.get());
    archive_read_support_format_tar(a.get());
    if (archive_read_open_filename(a.get(), QFile::encodeName(path).constData(), 1 << 16) !=
        ARCHIVE_OK) {
        *error = QStringLiteral("Impossible de lire la sauvegarde %1 : %2")
                     .arg(QDir::toNativeSeparators(path), archiveError(a.get()));
        return false;
    }
    archive_entry *entry = nullptr;
    for (;;) {
        const int r = archive_read_next_header(a.get(), &entry);
        if (r == ARCHIVE_EOF)
            return true;
        if (r != ARCHIVE_OK) {
            *error = QStringLiteral("La sauvegarde %1 est abîmée : %2")
                         .arg(QDir::toNativeSeparators(path), archiveError(a.get()));
            return false;
        }
        const QString name = QFile::decodeName(archive_entry_pathname(entry));
        const la_int64_t size = archive_entry_size(entry);
        if (archive_entry_filetype(entry) != AE_IFREG || size < 0 || size > FileSet::kMaxFileSize) {
            *error =
                QStringLiteral("La sauvegarde %1 contient « %2 », qui n'est pas un fichier d'hôtel")
                    .arg(QDir::toNativeSeparators(path), name);
            return false;
        }
        QByteArray bytes(qsizetype(size), Qt::Uninitialized);
        qsizetype got = 0;
        while (got < bytes.size()) {
            const la_ssize_t n =
                archive_read_data(a.get(), bytes.data() + got, std::size_t(bytes.size() - got));
            if (n <= 0)
                break;
            got += n;
        }
        if (got != bytes.size()) {
            *error = QStringLiteral("La sauvegarde %1 est abîmée : %2")
                         .arg(QDir::toNativeSeparators(path), archiveError(a.get()));
            return false;
        }
        if (!take(name, std::move(bytes)))
            return false;
    }
}

QDateTime modifiedOf(const QString &path)
{
    return QFileInfo(path).lastModified();
}

const QRegularExpression &stampPattern()
{
    static const QRegularExpression re(
        QStringLiteral("^-(\\d{4}-\\d{2}-\\d{2}-\\d{6})\\.tar\\.zst$"));
    return re;
}

} // namespace

QString archiveName(const QString &baseName, const QDateTime &when)
{
    return baseName + u'-' + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
           kExtension.toString();
}

QDateTime madeAt(const QString &fileName, const QString &baseName)
{
    if (!fileName.startsWith(baseName))
        return {};
    const auto m = stampPattern().match(QStringView(fileName).mid(baseName.size()));
    if (!m.hasMatch())
        return {};
    return QDateTime::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd-HHmmss"));
}

namespace {

// The backups of a set in a folder, newest first.
std::vector<std::pair<QDateTime, QString>> backupsOf(const QString &folder, const QString &baseName)
{
    std::vector<std::pair<QDateTime, QString>> found;
    for (const QString &name : QDir(folder).entryList(
             {baseName + QStringLiteral("-*") + kExtension.toString()}, QDir::Files))
        if (const QDateTime t = madeAt(name, baseName); t.isValid())
            found.emplace_back(t, name);
    std::sort(found.begin(), found.end(),
              [](const auto &a, const auto &b) { return a.first > b.first; });
    return found;
}

} // namespace

QDateTime last(const QString &folder, const QString &baseName)
{
    const auto found = backupsOf(folder, baseName);
    return found.empty() ? QDateTime() : found.front().first;
}

QStringList prune(const QString &folder, const QString &baseName)
{
    std::set<QDate> days;
    std::set<std::pair<int, int>> months;
    QStringList removed;
    for (const auto &[when, name] : backupsOf(folder, baseName)) {
        const QDate day = when.date();
        const std::pair<int, int> month{day.year(), day.month()};
        // Newest first: the first backup met of a day (a month) is its newest.
        bool keep = false;
        if (!days.count(day) && int(days.size()) < kDailyKept) {
            days.insert(day);
            keep = true;
        }
        if (!months.count(month) && int(months.size()) < kMonthlyKept) {
            months.insert(month);
            keep = true;
        }
        if (!keep && QFile::remove(QDir(folder).filePath(name)))
            removed << name;
    }
    return removed;
}

bool make(const QString &clientFile, const QString &settingsFolder, const QString &folder,
          const QDateTime &now, bool lockHeld, Made *made, QString *error)
{
    QString why;
    SetFiles files;
    if (!readSetFiles(clientFile, settingsFolder, lockHeld, files, error))
        return false;
    std::vector<Item> items;
    for (Table t : kAllTables) {
        const std::size_t i = std::size_t(t);
        if (files.present[i])
            items.push_back({QFileInfo(files.names[i]).fileName(), std::move(files.bytes[i]),
                             modifiedOf(files.names[i])});
    }
    for (QStringView settings : {kSettingsFile, kCompanyFile, kListsFile}) {
        const QString path = findFileNoCase(settingsFolder, settings.toString());
        if (path.isEmpty())
            continue;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("Impossible de lire le fichier %1 : %2")
                         .arg(QDir::toNativeSeparators(path), f.errorString());
            return false;
        }
        items.push_back({QFileInfo(path).fileName(), f.readAll(), modifiedOf(path)});
    }

    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("Impossible de créer le dossier %1")
                     .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    const QString baseName = QFileInfo(files.names[0]).completeBaseName();
    const QString path = QDir(folder).filePath(archiveName(baseName, now));
    WholeFile file(path);
    if (!file.open() || !writeArchive(file, items, &why)) {
        *error = file.errorMessage().isEmpty() ? why : file.errorMessage();
        return false;
    }
    // Read back before it counts: the very files, the very bytes.
    std::size_t next = 0;
    const bool verified = readArchive(
        file.tempPath(),
        [&](const QString &name, QByteArray &&bytes) {
            if (next < items.size() && items[next].name == name && items[next].bytes == bytes) {
                ++next;
                return true;
            }
            why = QStringLiteral("la sauvegarde relue ne donne pas le fichier %1").arg(name);
            return false;
        },
        &why);
    if (!verified || next != items.size()) {
        *error = QStringLiteral("La sauvegarde %1 n'a pas pu être vérifiée : %2")
                     .arg(QDir::toNativeSeparators(path),
                          why.isEmpty() ? QStringLiteral("des fichiers y manquent") : why);
        return false;
    }
    if (!file.commit()) {
        *error = file.errorMessage();
        return false;
    }
    if (made) {
        made->archive = path;
        made->files = int(items.size());
        made->bytes = 0;
        for (const Item &item : items)
            made->bytes += item.bytes.size();
        made->removed = prune(folder, baseName);
    }
    return true;
}

bool restore(const QString &archivePath, const QString &folder, Restored *restored, QString *error)
{
    const QDir dir(folder);
    if (dir.exists() && !dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        *error =
            QStringLiteral(
                "Le dossier %1 n'est pas vide : une sauvegarde se restaure dans un dossier vide")
                .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!QFileInfo::exists(archivePath)) {
        *error = QStringLiteral("La sauvegarde %1 n'existe pas")
                     .arg(QDir::toNativeSeparators(archivePath));
        return false;
    }
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("Impossible de créer le dossier %1")
                     .arg(QDir::toNativeSeparators(folder));
        return false;
    }
    QStringList written;
    const bool ok = readArchive(
        archivePath,
        [&](const QString &name, QByteArray &&bytes) {
            // A plain name, once: nothing outside the folder, nothing hidden.
            if (name.isEmpty() || name.contains(u'/') || name.startsWith(u'.') ||
                written.contains(name)) {
                *error = QStringLiteral(
                             "La sauvegarde %1 contient « %2 », qui n'est pas un fichier d'hôtel")
                             .arg(QDir::toNativeSeparators(archivePath), name);
                return false;
            }
            if (!WholeFile::write(dir.filePath(name), bytes, error))
                return false;
            written << name;
            return true;
        },
        error);
    if (!ok) {
        // The folder was empty: it is left so.
        for (const QString &name : written)
            QFile::remove(dir.filePath(name));
        return false;
    }
    if (restored) {
        restored->files = written;
        for (const QString &name : written)
            if (name.endsWith(QStringLiteral(".htl"), Qt::CaseInsensitive)) {
                restored->clientFile = dir.filePath(name);
                break;
            }
    }
    return true;
}

Settings loadSettings(const QString &folder)
{
    Settings s;
    const QString path = findFileNoCase(folder, kChoicesFile.toString());
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return s;
    QList<QByteArray> lines = f.readAll().split('\n');
    for (QByteArray &l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    s.on = lines.value(0) == "1";
    s.folder = cp1252::decode(lines.value(1));
    s.last = QDateTime::fromString(QString::fromLatin1(lines.value(2)), Qt::ISODate);
    return s;
}

bool saveSettings(const Settings &s, const QString &folder, QString *error)
{
    const QString existing = findFileNoCase(folder, kChoicesFile.toString());
    const QString path =
        existing.isEmpty() ? QDir(folder).filePath(kChoicesFile.toString()) : existing;
    const QByteArray bytes =
        QByteArray(s.on ? "1" : "0") + "\r\n" + cp1252::encode(s.folder) + "\r\n" +
        (s.last.isValid() ? s.last.toString(Qt::ISODate).toLatin1() : QByteArray()) + "\r\n";
    return WholeFile::write(path, bytes, error);
}

bool due(const Settings &s, const QDate &today)
{
    return s.on && !s.folder.isEmpty() && (!s.last.isValid() || s.last.date() != today);
}

} // namespace backup
