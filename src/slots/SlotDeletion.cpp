#include "SlotDeletion.h"

namespace slotedit {

void deleteClick(TForm1&, int) {}

} // namespace slotedit
