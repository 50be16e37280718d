#include "ScreenCentre.h"

#include <QScreen>
#include <QWidget>

namespace info {

void centreOnScreen(QWidget* window)
{
    if (QScreen* screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

bool bringToFrontIfShown(QWidget* window)
{
    if (!window->isVisible())
        return false;
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace info
