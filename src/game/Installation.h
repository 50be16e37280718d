// Installing a slot's logo into the game.
#pragma once

class TForm1;

namespace game {

// The double click on a slot picture.
void dbImageClick(TForm1& form, int slot);

} // namespace game
