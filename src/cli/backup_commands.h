#pragma once

#include <QStringList>

// carvelle-tool backup SET.htl DOSSIER and restore ARCHIVE DOSSIER: exit
// codes as the tool's (0 done, 1 a repair is needed, 2 a file error), or -1
// for a usage error.
int backupCommand(const QStringList &args);
int restoreCommand(const QStringList &args);
