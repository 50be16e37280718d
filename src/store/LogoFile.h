// Where the program's files lie. The program directory is the executable's
// directory in the portable layout and the data folder in the installed one
// (ProgramLayout.h, which also names the converters and empty.bmp); every file of the program is named by it, "/" and the file
// name. The logo in a slot is the logo wad file named by the slot's title.
#pragma once

#include <QString>

#include <stdexcept>

namespace store {

QString programDir();
// Tests run the program on a directory of their own.
void setProgramDir(const QString& dir);

QString programFile(const QString& name);

// program directory + "/" + title + ".wad"
QString logoWadPath(const QString& title);

// A stored title that cannot name a file of the program directory.
class TitleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when `title` is a plain file name: no path separator, not "." or
// "..", no control character. Titles come from the table and are not
// trusted as paths until they pass.
bool titleNamesFile(const QString& title);

// logoWadPath() for a title that passes titleNamesFile(); throws TitleError
// naming the title otherwise. Every path built from a stored title to
// delete, move or copy a file goes through here.
QString checkedLogoWadPath(const QString& title);

} // namespace store
