// Installing a slot's logo into the game: its logo wad file replaces the
// game's spray-logo file pldecal.wad in the game location.
#pragma once

class TForm1;

namespace game {

// The double click on a slot picture.
void dbImageClick(TForm1& form, int slot);

} // namespace game
