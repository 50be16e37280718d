// Installing a slot's logo into the game: its logo wad file replaces the
// game's spray-logo files pldecal.wad and tempdecal.wad in the game location.
#pragma once

#include <functional>

class TForm1;

namespace game {

// The double click on a slot picture.
void dbImageClick(TForm1& form, int slot);

// Runs after the checks of an installation and before its copy; tests use it
// to change the surroundings in between. Empty by default.
void setBeforeCopyHook(std::function<void()> hook);

} // namespace game
