// WebP pictures read through libwebp, still pictures only (an animation
// is left to Qt's reader). The size is checked against the limits before
// anything is decoded.
#pragma once

#include "logo/JpegReader.h"
#include "logo/PictureLimits.h"
#include "logo/Pixels.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace logo {

// True when `head` (the first bytes of a file) starts like a WebP file.
bool looksLikeWebp(const std::uint8_t* head, std::size_t size);

// Reads the picture: `start` gets its size and whether it has alpha, then
// `row` each row top-down as straight RGBA; with `least`, libwebp scales it
// down to the size that names while decoding. False, having called
// nothing, for an animation. Throws LogoError for a file that is no WebP,
// is broken or too large.
bool readWebp(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
              const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits = kPictureLimits,
              const LeastSize& least = {});

} // namespace logo
