// The crash soak: the program is started on a library, driven through
// page saves, imports (by "+", by hand-over and through Make logo), slot
// and page renames, installs and a file dialog open while another program
// reads the table, and killed with SIGKILL at random moments; after every
// kill the tables must be sound and hold everything whose post had
// returned, and after the next start no logo file that no slot names, no
// working file and no temporary folder may be left.
#pragma once

#include <QString>

namespace bench {

// The driven program (a child process); prints "BEGIN ..." before and
// "DONE" after every operation.
int soakChild(const QString& dir, int seed);

// One start of the program on the library, as after a kill; 0 when it started.
int startOnce(const QString& dir);

// Another program reading the table (the child runs it while its file
// dialog is open); 0 when it could.
int readLibrary(const QString& dir);

// Runs `kills` children on the library in `dir` (laid out when missing);
// 0 when every check held.
int soak(const QString& self, const QString& dir, int kills, unsigned seed);

} // namespace bench
