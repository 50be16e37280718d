// Exchanging two slots by dragging one picture onto another with the right
// mouse button.
#pragma once

class TForm1;

namespace slotedit {

// Lets every slot picture of the window be dragged onto another.
void attachSlotDrag(TForm1& form);

// The drop of slot `source`'s picture on slot `target`'s: the two slots of
// the current page exchange picture and title, byte for byte, through the
// scratch record. A slot dropped on itself keeps its content.
void exchangeSlots(TForm1& form, int source, int target);

} // namespace slotedit
