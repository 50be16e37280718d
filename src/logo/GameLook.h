// A spray's picture as the game draws it on a wall.
#pragma once

#include "formats/Wad3.h"
#include "logo/Pixels.h"

namespace logo {

// Straight RGBA, for the caller to lay over a background: a colour spray
// in its palette's colours with index 255 see-through; a single-colour
// decal in the colour of palette entry 255, each pixel's index its opacity
// (0 see-through, 255 solid). `hasAlpha` when any pixel is not solid.
Rgba gameLook(const formats::WadPicture& picture);

} // namespace logo
