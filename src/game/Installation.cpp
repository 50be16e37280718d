#include "Installation.h"

namespace game {

void dbImageClick(TForm1&, int) {}

} // namespace game
