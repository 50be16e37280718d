// Brings the main window back to its normal state (neither minimized nor
// maximized) without showing it when it is not yet on the screen.
#pragma once

namespace settings {

void restoreMainWindow();

} // namespace settings
