// Emptying a slot.
#pragma once

class TForm1;

namespace slotedit {

// The "-" button of a slot.
void deleteClick(TForm1& form, int slot);

} // namespace slotedit
