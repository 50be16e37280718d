// Places a window in the middle of the screen it is on.
#pragma once

class QWidget;

namespace info {

void centreOnScreen(QWidget* window);

} // namespace info
