// Finding the game in Steam's libraries on Linux. Steam lists its libraries
// in libraryfolders.vdf under the home directory (the native install, the
// older ~/.steam link and the Flatpak); the game lies in
// <library>/steamapps/common/Half-Life, and each mod is a folder there
// holding liblist.gam. Library files that are missing or damaged add nothing.
#pragma once

#include <QString>
#include <QStringList>

namespace steam {

// The game's Steam id.
inline constexpr int kGameAppId = 70;

// The libraryfolders.vdf files looked at, in order.
QStringList libraryFiles();
// The library folders they list that exist, each once, in order.
QStringList libraries();
// The mod folders of the game in every library: "valve" first, then by name.
QStringList games();
// Whether a game location lies in one of the libraries' game folders.
bool inLibrary(const QString& location);

// The steam command on PATH; empty when there is none.
QString steamCommand();
// "-applaunch 70", then "-game <mod>" unless the mod is the game's own
// "valve" folder (or none).
QStringList launchArguments(const QString& modFolder);

} // namespace steam
