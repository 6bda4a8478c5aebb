#pragma once

#include <QString>

// The program's files are named without regard to letter case, as on the
// system its files come from: "Carvelle.Cbx" and "CARVELLE.CBX" are one file.

// The full path of the existing file `name` in `folder` (the current
// directory when empty), matching the last part of the name without regard to
// case; an exact match wins, otherwise the first match in name order. Empty
// when there is none. Costs one stat, and one directory listing when there is
// no exact match.
QString findFileNoCase(const QString &folder, const QString &name);

// Where to write `name` in `folder`: the existing file that matches it
// without regard to case, so its spelling on disk is kept, else `name` as
// given.
QString pathForWriting(const QString &folder, const QString &name);
