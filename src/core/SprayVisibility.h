// Whether the player's own settings keep other players from seeing the
// spray: cl_allowupload "0" (the spray is never sent to the server) or an
// hpk_maxsize below 1 (no room for it in the custom.hpk cache) in the game
// folder's config.cfg or userconfig.cfg. The files are only read.
#pragma once

#include <QString>
#include <QStringList>

namespace core {

// One note per line that does so, naming the game, the file and the line;
// nothing when the files are missing or say nothing against it.
QStringList sprayVisibilityNotes(const QString& folder, const QString& game);

} // namespace core
