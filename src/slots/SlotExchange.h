// Exchanging two slots by dragging one picture onto another with the right
// mouse button.
#pragma once

class TForm1;

namespace slotedit {

void attachSlotDrag(TForm1& form);

} // namespace slotedit
