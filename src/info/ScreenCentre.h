// Placing windows: in the middle of the screen they are on, or in front.
#pragma once

class QWidget;

namespace info {

void centreOnScreen(QWidget* window);

// Brings a window that is already on the screen to the front; false (and
// nothing done) when it is not shown.
bool bringToFrontIfShown(QWidget* window);

} // namespace info
