// The answer to a page title another page already has, wherever the
// title is refused: at once in the rename window or the title box, or by
// the table when a page is stored.
#pragma once

#include "MessageBox.h"

namespace app {

inline void showPageTitleTaken()
{
    MessageBox::plain(QStringLiteral("A page with this name already exists, please change it."));
}

} // namespace app
