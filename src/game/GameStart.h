// Starting the game from the logo-installed dialog.
#pragma once

#include <QString>

namespace core {
class Library;
class Settings;
}

namespace game {

// Posts the scratch record a slot exchange may have left pending, then
// starts the game for the game location in use. True when the game was
// started; every failure has been reported when false.
bool startGame(core::Library& library, const core::Settings& settings);
// The same for the game of another folder, such as one of the install targets.
bool startGameIn(core::Library& library, const QString& folder);

} // namespace game
