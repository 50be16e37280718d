// GIF pictures read through giflib: the first frame on the picture's
// canvas, its transparent colour see-through. The canvas size is checked
// against the limits before anything is decoded.
#pragma once

#include "logo/PictureLimits.h"
#include "logo/Pixels.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace logo {

// True when `head` (the first bytes of a file) starts like a GIF file.
bool looksLikeGif(const std::uint8_t* head, std::size_t size);

// Reads the first frame: `start` gets the canvas size and whether any of it
// is see-through, then `row` each row top-down as straight RGBA. Throws
// LogoError for a file that is no GIF, is broken or too large.
void readGif(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
             const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits = kPictureLimits);

} // namespace logo
