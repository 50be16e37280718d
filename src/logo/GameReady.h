// Any spray remade as the game takes it, through the logo maker.
#pragma once

#include "formats/Wad3.h"

#include <cstdint>
#include <vector>

namespace logo {

// The bytes of a one-picture spray WAD at the largest valid size near the
// picture's aspect (padded, within 64x64 when `serverSafe`), of the same
// kind: a colour spray keeps its see-through parts, a single-colour decal
// its colour and opacities. Throws LogoError when nothing of the picture
// shows (a colour spray see-through everywhere).
std::vector<std::uint8_t> remakeGameReady(const formats::WadPicture& picture, bool serverSafe = false);

} // namespace logo
