#include "DialogFont.h"

namespace info {

QFont dialogFont(int pixels, bool bold, bool underline)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace info
