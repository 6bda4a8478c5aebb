#pragma once

#include <QLockFile>
#include <QString>

// A hotel set is held by one program at a time through "<client file>.lck"
// beside its client file, as spelt on disk: the program while the set is
// open, carvelle-tool while it repairs or finishes an interrupted save.

// The lock file's path for a client file.
QString setLockPath(const QString &clientFile);

// Takes the lock without waiting. A lock left by a program that is no longer
// running on this machine is taken over; so is one that names no process at
// all (empty or unreadable) once it is older than a minute, since such a
// lock can only have been left half-written.
bool takeSetLock(QLockFile &lock, const QString &lockPath);
