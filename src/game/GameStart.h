// Starting the game from the logo-installed dialog.
#pragma once

namespace core {
class Library;
class Settings;
}

namespace game {

// Posts the scratch record a slot exchange may have left pending, then
// starts the game for the game location in use. True when the game was
// started; every failure has been reported when false.
bool startGame(core::Library& library, const core::Settings& settings);

} // namespace game
