#pragma once

#include "file_set.h"
#include "mapped_file.h"

#include <functional>

// The seven files of a hotel set read from disk as an open reads them,
// before any table is made of them.
//
// The program that holds the set's lock first finishes a save that was
// interrupted and clears the leftovers of one that died before its journal
// (temporary files, backups to be). Any other reader never touches them: it
// reads the files while no journal stands and reads them again when one of
// them was replaced during the read (a save renames new files over the old
// ones), so that the seven are always of one save. Should a journal stand
// throughout, the reader gives up with "Un enregistrement est en cours ou a
// été interrompu ; réessayez".
inline constexpr std::array<bool, 7> kEveryTable = {true, true, true, true, true, true, true};

struct SetFiles
{
    std::array<QString, 7> names; // as Synchro gives them
    std::array<QByteArray, 7> bytes;
    std::array<bool, 7> present{};
    // Whether files may be mapped rather than read; the bytes of a mapped
    // file stay valid for as long as its entry in `mapped` is kept.
    bool mayMap = false;
    std::array<std::shared_ptr<const MappedFile>, 7> mapped;
};

// How often, and how far apart, a reader without the lock tries to read the
// set between two saves of the program that holds it.
inline constexpr int kReadAttempts = 40;
inline constexpr int kReadPauseMs = 50;

// Reads the set whose client file is at `path` (or of that name in
// `currentDir`). False with a French message in *error.
// Only the tables marked in `wanted` are read; the others stay absent.
bool readSetFiles(const QString &path, const QString &currentDir, bool lockHeld, SetFiles &files,
                  QString *error, const std::array<bool, 7> &wanted = kEveryTable);
// Reads more tables of a set already read by the holder of its lock.
bool readMoreFiles(SetFiles &files, const std::array<bool, 7> &wanted, QString *error);

// For tests: called after each file of a set is read in this process.
void setReadHookForTests(std::function<void(Table)> hook);
