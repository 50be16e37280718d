// The two layouts Tagomat 2 runs in, and every path that depends on them.
//
// Portable: the executable's directory is the program directory, when it is
// writable and holds the tables or a marker file "portable". The converters,
// empty.bmp and the tables all lie there.
//
// Installed: the executable lies in <prefix>/bin, the converters in
// <prefix>/libexec/tagomat2, empty.bmp in <prefix>/share/tagomat2; the
// program directory (tables, logos, lock, working files) is
// $XDG_DATA_HOME/tagomat2, by default ~/.local/share/tagomat2.
#pragma once

#include <QString>

namespace store {

enum class Layout { Portable, Installed };

// The layout of this run. A program directory chosen with setProgramDir()
// (the tests) is portable.
Layout layout();

// The directory of the converters and of the table installer.
QString toolDir();
// A converter or helper program by its base name ("wad3", "i_view32");
// ".exe" is added on Windows.
QString toolFile(const QString& base);
// The blank picture a slot shows when it is emptied.
QString emptyBitmapPath();
// The icon of the program (an SVG), or an empty string when none is found.
QString iconPath();

// Makes sure the program directory exists and holds the three tables (the
// installed layout makes both on first start); false with a message for
// the user when that is impossible.
bool prepareProgramDir(QString* error);

} // namespace store
