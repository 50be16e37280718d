// The font of the program's dialogs, "MS Sans Serif" in a pixel height, and
// its bold and underlined forms.
#pragma once

#include <QFont>

namespace info {

QFont dialogFont(int pixels = 11, bool bold = false, bool underline = false);

} // namespace info
