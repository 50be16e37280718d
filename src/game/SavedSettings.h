// Whether the game location and the extra program have been saved: the
// settings record says exactly "Yes" for each once its dialog saved it.
#pragma once

class TForm1;

namespace game {

bool gameLocationSaved(TForm1& form);
bool extraProgramSaved(TForm1& form);

} // namespace game
