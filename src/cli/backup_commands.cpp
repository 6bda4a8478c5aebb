// carvelle-tool backup and restore: a hotel into one archive a hotel can
// keep on a USB key, and back from it into an empty folder, checked as an
// open checks it.

#include "backup_commands.h"
#include "tool_help.h"

#include "store/backup.h"
#include "store/file_names.h"
#include "store/set_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace {

QString megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1024 * 1024), 'f', 1).replace(u'.', u',') +
           QStringLiteral(" Mo");
}

} // namespace

int backupCommand(const QStringList &args)
{
    if (args.size() != 3)
        return -1;
    const QFileInfo info(args[1]);
    const QString found = findFileNoCase(info.absolutePath(), info.fileName());
    if (found.isEmpty()) {
        err() << "Le fichier n'existe pas : " << QDir::toNativeSeparators(args[1]) << '\n';
        return 2;
    }
    // With the lock, an interrupted save is finished first; while Carvelle
    // has the hotel open, the files are read between two of its saves.
    SetLock lock(setLockPath(found));
    const bool held = lock.tryLock();
    backup::Made made;
    QString error;
    if (!backup::make(found, QDir::currentPath(), args[2], QDateTime::currentDateTime(), held,
                      &made, &error)) {
        err() << error << '\n';
        return 2;
    }
    lock.unlock();
    out() << "Sauvegarde : " << QDir::toNativeSeparators(made.archive) << '\n'
          << made.files << " fichiers, " << megabytes(made.bytes) << ", relue et vérifiée\n";
    for (const QString &name : made.removed)
        out() << "Ancienne sauvegarde supprimée : " << name << '\n';
    return 0;
}

int restoreCommand(const QStringList &args)
{
    if (args.size() != 3)
        return -1;
    backup::Restored restored;
    QString error;
    if (!backup::restore(args[1], args[2], &restored, &error)) {
        err() << error << '\n';
        return 2;
    }
    out() << "Restauré dans " << QDir::toNativeSeparators(args[2]) << " : "
          << restored.files.join(u' ') << '\n';
    if (restored.clientFile.isEmpty()) {
        err() << "La sauvegarde ne contient pas de fichier hôtel (.htl)\n";
        return 1;
    }
    // Checked with the passes of an open, as "check" does.
    FileSet set;
    if (!set.Charge(restored.clientFile, args[2], true)) {
        err() << set.errorMessage() << " : " << QDir::toNativeSeparators(restored.clientFile)
              << '\n';
        return 2;
    }
    bool needed = false;
    for (Table t : kBlockTables) {
        const passes::Report &r = set.openReport(t);
        if (!r.changed())
            continue;
        needed = true;
        out() << tableInfo(t).name << " : " << r.describe() << '\n';
    }
    if (needed) {
        out() << "Une réparation est nécessaire : carvelle-tool repair "
              << QDir::toNativeSeparators(restored.clientFile) << '\n';
        return 1;
    }
    out() << "Hôtel vérifié : rien à réparer.\n";
    return 0;
}
