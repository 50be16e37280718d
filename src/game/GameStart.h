// Starting the game from the logo-installed dialog.
#pragma once

class TForm1;

namespace game {

// Posts the scratch record a slot exchange may have left pending, then
// starts the game's executables for the game location in effect. True when
// the game was started; every failure has been reported when false.
bool startGame(TForm1& form);

} // namespace game
