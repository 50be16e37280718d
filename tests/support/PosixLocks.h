// The POSIX record locks a process holds on a file, read from /proc/locks.
// The file is only looked up (stat), never opened: opening and closing it
// would drop the very locks that are counted.
#pragma once

#include <QString>

#include <sys/types.h>

// -1 when the file or /proc/locks cannot be read.
int posixLocksHeld(pid_t process, const QString& path);
