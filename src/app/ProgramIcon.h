// The program's icon, at every size the desktop files carry, built into
// the program so that a window shows it without an icon theme.
#pragma once

#include <QIcon>

namespace app {

QIcon programIcon();

} // namespace app
