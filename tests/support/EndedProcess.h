// Process ids for tests of files that name the process which wrote them.
#pragma once

#include <sys/types.h>

// The id of a process that has run and ended (started and reaped here).
pid_t endedProcessId();

// A process that runs for as long as any test does and is not ours.
inline pid_t runningOtherProcessId() { return 1; }
