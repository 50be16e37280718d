// Titles that must not repeat one already in use (a page title, the name of
// a logo wad file) get a number.
#pragma once

#include <QString>

#include <functional>

namespace store {

// `title` (cut to `width`) when `taken` says it is free, otherwise the first
// free one of title + separator + 2, 3, ..., the title cut so the whole
// stays within `width` characters: "Fun" gives "Fun 2" with " ", a logo
// "cool" gives "cool_2" with "_" (logo names have no spaces).
QString uniqueTitle(const QString& title, int width, const QString& separator,
                    const std::function<bool(const QString&)>& taken);

} // namespace store
