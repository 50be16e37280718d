// How the game is started from its location. The game location is the folder
// of the mod to be played, inside the game's installation; the game root is
// the location up to its last separator, the mod folder the part after it.
// The game's executables lie in the root and are started there with
// "-console -game <mod folder>".
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace game {

struct GameLocation {
    QString root;        // the game root directory
    QString modFolder;   // empty when the location ends with a separator
};

// Splits at the last separator ("/", and on Windows "\" too). A location
// without a separator is its own root and its own mod folder.
GameLocation splitGameLocation(const QString& location);

// The executables looked for in the game root, in the order they are tried.
QStringList gameExecutableNames();

// "-console", "-game" and the mod folder, each an argument of its own; the
// mod folder is left out when it is empty.
QStringList gameArguments(const QString& modFolder);

struct ProgramCommand {
    QString program;
    QStringList arguments;
    QString workingDirectory;
};

// The game starts for a location: one per executable that exists in the game
// root (on Linux the launcher hl.sh, or else hl_linux; on Windows hl.exe and
// cstrike.exe, both when both exist). Empty when none exists, or when the
// root is not a full path.
QList<ProgramCommand> gameCommands(const QString& location);

// A file in a directory, joined with a single separator.
QString fileIn(const QString& directory, const QString& name);

} // namespace game
