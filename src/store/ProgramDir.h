// Where the program's files lie, and the two layouts Tagomat 2 runs in.
//
// Portable: the executable's directory is the program directory, when it is
// writable and holds any of the three tables or a marker file "portable".
// The converters, empty.bmp and the tables all lie there.
//
// Installed: the executable lies in <prefix>/bin, the converters in
// <prefix>/libexec/tagomat2, empty.bmp in <prefix>/share/tagomat2; the
// program directory (tables, logos, lock, working files) is
// $XDG_DATA_HOME/tagomat2, by default ~/.local/share/tagomat2.
//
// Every file of the program is named by the program directory, "/" and the
// file name. The logo in a slot is the logo wad file named by the slot's
// title.
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

// What keeps a title from being a plain file name of the program directory.
enum class TitleFault { None, Separator, DotName, ControlCharacter };
TitleFault titleFault(const QString& title);

// True when `title` is a plain file name: no path separator, not "." or
// "..", no control character. Titles come from the table and are not
// trusted as paths until they pass.
bool titleNamesFile(const QString& title);

// logoWadPath() for a title that passes titleNamesFile(); throws TitleError
// naming the title otherwise. Every path built from a stored title to
// delete, move or copy a file goes through here.
QString checkedLogoWadPath(const QString& title);

enum class Layout { Portable, Installed };

// The layout of this run. A program directory chosen with setProgramDir()
// (the tests) is portable.
Layout layout();
// The layout a directory of the executable gives: portable when it is
// writable and holds a table or the "portable" marker.
Layout layoutOf(const QString& executableDir);

// The program directory of the installed layout: $XDG_DATA_HOME/tagomat2
// when XDG_DATA_HOME is a full path, else ~/.local/share/tagomat2.
QString installedDataFolder();

// The directory of the converters and of the table installer.
QString toolDir();
// A converter or helper program by its base name ("wad3", "i_view32");
// ".exe" is added on Windows.
QString toolFile(const QString& base);
// The blank picture a slot shows when it is emptied.
QString emptyBitmapPath();

// Makes sure the program directory exists (the installed layout makes it
// on first start); false with a message for the user when that is
// impossible.
bool makeProgramDir(QString* error);
// Puts the tables that are missing in place (the installed layout only; a
// portable folder is used as it was built or unpacked). Run with the lock
// held, so that two first starts never make the tables at once.
bool installMissingTables(QString* error);

// True when the file system that holds the program directory has no room
// left: the reason, rather than the file that failed, is what to tell.
bool programDirDiskFull();

} // namespace store
