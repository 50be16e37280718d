// Pictures built into the program (its icon, a style's frame), read with
// the program's own PNG reader. Qt's reader would first load every image
// format plugin installed, a dozen libraries, to ask each whether it knows
// the file: a few milliseconds of every start for pictures known to be PNG.
#pragma once

#include <QImage>
#include <QString>

namespace app {

// The PNG picture at the resource `path`; a null image when there is none
// or it cannot be read.
QImage builtInPicture(const QString& path);

} // namespace app
