// The picture of a logo wad file as the game draws it: its first lump,
// see-through where the game shows the wall.
#pragma once

#include <QImage>
#include <QString>

namespace core {

// Reads the logo wad file (with the limit of a WAD file); throws
// std::exception with the reason when it cannot be read or is no logo.
QImage logoPicture(const QString& wadPath);

} // namespace core
