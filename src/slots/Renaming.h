// Renaming a logo together with its logo wad file, and renaming the page.
// Both work on the pending edit of the current page, which the caller has
// begun.
#pragma once

#include <QString>

class TForm1;

namespace slotedit {

// Gives slot `slot`'s logo wad file the name `name` + ".wad" (never over
// another file) and, when that works, the slot the title `name`; the slot's
// new title is stored with the renamed file at once. The user is told the
// outcome.
void renameLogo(TForm1& form, int slot, const QString& name);

// Sets the current page's title (the field keeps its first 15 characters).
void renamePage(TForm1& form, const QString& name);

} // namespace slotedit
