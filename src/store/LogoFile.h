// Where the program's files lie. The program directory is the executable's
// directory in the portable layout and the data folder in the installed one
// (ProgramLayout.h, which also names the converters and empty.bmp); every file of the program is named by it, "/" and the file
// name. The logo in a slot is the logo wad file named by the slot's title.
#pragma once

#include <QString>

namespace store {

QString programDir();
// Tests run the program on a directory of their own.
void setProgramDir(const QString& dir);

QString programFile(const QString& name);

// program directory + "/" + title + ".wad"
QString logoWadPath(const QString& title);

} // namespace store
