#include "ScreenCentre.h"

#include <QScreen>
#include <QWidget>

namespace info {

void centreOnScreen(QWidget* window)
{
    if (QScreen* screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace info
