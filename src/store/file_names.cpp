#include "file_names.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

QString findFileNoCase(const QString &folder, const QString &name)
{
    if (name.isEmpty())
        return QString();
    const QFileInfo wanted(QDir(folder).filePath(name));
    if (wanted.isFile())
        return wanted.absoluteFilePath();

    const QString base = wanted.fileName();
    if (base.isEmpty())
        return QString();
    const QDir dir = wanted.absoluteDir();
    QString best;
    QDirIterator it(dir.path(), QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        const QString candidate = it.fileName();
        if (candidate.compare(base, Qt::CaseInsensitive) == 0 &&
            (best.isEmpty() || candidate < best))
            best = candidate;
    }
    return best.isEmpty() ? QString() : dir.absoluteFilePath(best);
}

QString pathForWriting(const QString &folder, const QString &name)
{
    const QString existing = findFileNoCase(folder, name);
    return existing.isEmpty() ? QDir(folder).filePath(name) : existing;
}
