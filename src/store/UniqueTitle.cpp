#include "UniqueTitle.h"

#include <algorithm>

namespace store {

QString uniqueTitle(const QString& title, int width, const QString& separator,
                    const std::function<bool(const QString&)>& taken)
{
    const QString whole = title.left(width);
    if (!taken(whole))
        return whole;
    for (int n = 2;; ++n) {
        const QString suffix = separator + QString::number(n);
        const QString numbered = title.left(std::max(0, width - static_cast<int>(suffix.size()))) + suffix;
        if (!taken(numbered))
            return numbered;
    }
}

} // namespace store
