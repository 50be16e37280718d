// The toolbar's six 16 x 16 images, drawn here so that a machine without an
// icon theme shows them too: plus, minus, circling arrows, check mark, black
// cross, red cross.
#pragma once

#include <QIcon>

namespace app {

enum class ToolbarImage { Plus, Minus, Arrows, Check, BlackCross, RedCross };

QIcon toolbarIcon(ToolbarImage image);

} // namespace app
