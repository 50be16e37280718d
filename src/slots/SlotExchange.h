// Exchanging two slots by dragging one picture onto another with the right
// mouse button; a right click without a drag opens the slot's menu.
#pragma once

#include <array>

class QWidget;
class TDBImage;

namespace core { class Library; }

namespace slotedit {

// Watches the window's eight slot pictures for the exchange drag.
void attachSlotDrag(core::Library& library, QWidget* window, const std::array<TDBImage*, 8>& pictures);

} // namespace slotedit
