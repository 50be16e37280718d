// The picture of a logo wad file as the game shows it: its first lump,
// the see-through colour of a spray transparent.
#pragma once

#include <QImage>
#include <QString>

namespace core {

// Reads the logo wad file (with the limit of a WAD file); throws
// std::exception with the reason when it cannot be read or is no logo.
QImage logoPicture(const QString& wadPath);

} // namespace core
