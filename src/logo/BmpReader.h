// Uncompressed BMP pictures read with the program's own BMP decoder (the
// one of the slot pictures); compressed ones are left to Qt's reader. The
// size is checked against the limits before anything is decoded.
#pragma once

#include "logo/PictureLimits.h"
#include "logo/Pixels.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace logo {

// True when `head` (the first bytes of a file) starts like a BMP file.
bool looksLikeBmp(const std::uint8_t* head, std::size_t size);

// Reads the picture: `start` gets its size (never see-through), then `row`
// each row top-down as straight RGBA. False, having called nothing, for a
// compressed BMP file. Throws LogoError for a broken or too large one.
bool readBmp(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
             const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits = kPictureLimits);

} // namespace logo
