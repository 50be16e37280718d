// The GoldSrc game folders a player's spray can go into: each mod folder
// holding liblist.gam in <library>/steamapps/common/Half-Life of every Steam
// library, and Sven Co-op's svencoop folder in
// <library>/steamapps/common/Sven Co-op, a Steam game of its own. Their
// names come from liblist.gam's `game "..."` line.
#pragma once

#include <QString>
#include <QStringList>

namespace steam {

// Sven Co-op's Steam id.
inline constexpr int kSvenCoopAppId = 225840;

// The Half-Life mod folders of games(), then every svencoop folder found.
QStringList gameFolders();

// The game's name from the folder's liblist.gam (`game "Counter-Strike"`);
// the folder's own name when the file is missing, damaged or names none.
QString gameName(const QString& folder);

// "Counter-Strike, Half-Life and Sven Co-op".
QString joinNames(const QStringList& names);

// How Steam starts the game of a folder in one of its libraries:
// "-applaunch 70 -game <mod>" for a Half-Life mod, "-applaunch 225840" for
// Sven Co-op. Empty when the folder lies in no library.
QStringList steamLaunchArguments(const QString& folder);

} // namespace steam
