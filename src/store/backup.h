#pragma once

#include "file_set.h"
#include "set_files.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Backups a hotel can restore from: the ".bak" of each file keeps only the
// save before, which a dead disk or a bad day of edits takes with it.
//
// A backup is one compressed archive (tar + zstd) holding the seven files of
// the set as they are on disk, read between two saves, and the settings,
// company and list files. It is named after the set and the time it was
// made ("LION-2026-12-07-183005.tar.zst"), written whole or not at all, and
// read back before it counts: every file in it must give the very bytes it
// was made from. The folder keeps the newest backup of each of the last 30
// days that have one and of each of the last 12 months; older ones go.
namespace backup {

inline constexpr int kDailyKept = 30;
inline constexpr int kMonthlyKept = 12;
inline constexpr QStringView kExtension = u".tar.zst";

struct Made
{
    QString archive;     // the path of the archive written
    int files = 0;       // how many files it holds
    qint64 bytes = 0;    // their size before compression
    QStringList removed; // older backups removed
};

// Backs the set of `clientFile` and the settings files of `settingsFolder`
// up into `folder` (made when missing), at `now`. With `lockHeld` the set
// is read as its holder reads it; without, between two saves of the
// program that holds it. False with a French message in *error.
bool make(const QString &clientFile, const QString &settingsFolder, const QString &folder,
          const QDateTime &now, bool lockHeld, Made *made, QString *error);

// The archive's name for a set's base name at a time.
QString archiveName(const QString &baseName, const QDateTime &when);
// When a backup of `baseName` was made, read from its name; invalid when
// the name is not one of a backup of that set.
QDateTime madeAt(const QString &fileName, const QString &baseName);
// The newest backup of a set in a folder; invalid when there is none.
QDateTime last(const QString &folder, const QString &baseName);
// Removes what the folder need not keep of a set's backups; returns the
// names removed.
QStringList prune(const QString &folder, const QString &baseName);

struct Restored
{
    QStringList files;  // the names written, in archive order
    QString clientFile; // the restored client file, if the archive held one
};

// Writes every file of an archive into `folder`, which must be empty (it is
// made when missing). Only plain files with plain names are taken; nothing
// outside the folder can be written. False with a French message.
bool restore(const QString &archive, const QString &folder, Restored *restored, QString *error);

// Whether a backup is offered at the end of a run, where, and when the last
// one was made; kept in "Carvelle.sav" beside the settings file. Without
// that file (earlier versions), backups are off.
inline constexpr QStringView kChoicesFile = u"Carvelle.sav";
struct Settings
{
    bool on = false;
    QString folder;
    QDateTime last;
};
Settings loadSettings(const QString &folder);
bool saveSettings(const Settings &settings, const QString &folder, QString *error);
// Whether the end of a run on `today` offers a backup.
bool due(const Settings &settings, const QDate &today);

} // namespace backup
