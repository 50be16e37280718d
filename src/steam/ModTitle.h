// A mod's own name, as its liblist.gam gives it in the line
//     game "Counter-Strike"
// and which of several found mods a player most likely wants.
#pragma once

#include <QString>
#include <QStringList>

namespace steam {

// The name from <modFolder>/liblist.gam; the folder's name when the file
// is missing, unreadable or names no game.
QString modTitle(const QString& modFolder);

// The game line's value in the text of a liblist.gam; empty when there is none.
QString gameLineValue(const QByteArray& liblist);

// The index in `mods` (mod folder paths) to choose first: Counter-Strike's
// "cstrike" when it is there, else the first; -1 for none.
int preferredMod(const QStringList& mods);

} // namespace steam
