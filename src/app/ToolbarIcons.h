// The toolbar's six 16 x 16 images, drawn here so that a machine without an
// icon theme shows them too: plus, minus, circling arrows, check mark, black
// cross, red cross; and the double chevron of a bar's button for the items
// it has no room for.
#pragma once

#include <QIcon>

namespace app {

enum class ToolbarImage { Plus, Minus, Arrows, Check, BlackCross, RedCross, More };

QIcon toolbarIcon(ToolbarImage image);

} // namespace app
