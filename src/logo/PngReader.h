// PNG pictures read through libpng a row at a time, straight into the logo
// maker: the converter's quick way for the most common picture format,
// without Qt's image plugins. Pixels come out as Qt's reader gives them
// (palette and grey expanded, 16 bits rounded to 8, no gamma applied).
#pragma once

#include "logo/PictureLimits.h"
#include "logo/Pixels.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace logo {

// True when `head` (the first bytes of a file) starts like a PNG file.
bool looksLikePng(const std::uint8_t* head, std::size_t size);

// Reads the PNG file at `path`: `start` gets its size and whether it has an
// alpha channel (or a transparent colour), then `row` each row top-down as
// straight RGBA. Throws LogoError for a file that cannot be read, is no
// PNG, is broken, is larger than a picture file may be, or holds a picture
// beyond `limits` (refused from its header, before anything is decoded).
void readPng(const std::string& path, const std::function<void(Size, bool)>& start,
             const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits = kPictureLimits);

// The same for a PNG file held in memory.
void readPng(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
             const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits = kPictureLimits);

// The whole picture at once.
Rgba readPng(const std::string& path);

} // namespace logo
