#include "SlotExchange.h"

namespace slotedit {

void attachSlotDrag(TForm1&) {}

} // namespace slotedit
