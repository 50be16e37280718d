// JPEG pictures read through libjpeg a row at a time, straight into the
// logo maker: the picture's size is checked against the limits before
// anything is decoded, its scans are capped, and its EXIF orientation is
// applied, so that a photograph taken upright comes out upright.
#pragma once

#include "logo/PictureLimits.h"
#include "logo/Pixels.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace logo {

// True when `head` (the first bytes of a file) starts like a JPEG file.
bool looksLikeJpeg(const std::uint8_t* head, std::size_t size);

// The least size a reader may scale a picture of the given (upright) size
// down to; an empty size keeps the full size.
using LeastSize = std::function<Size(Size)>;

// Reads the JPEG picture: `start` gets its size as shown (turned as its
// orientation says; never see-through), then `row` each row top-down as
// straight RGBA. With `least`, the picture is decoded at the smallest DCT
// scale that gives at least the size it names, and `start` gets that
// size. Throws LogoError for a file that cannot be read, is no JPEG, is
// broken or too large (judged by its full size).
void readJpeg(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
              const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits = kPictureLimits,
              const LeastSize& least = {});
void readJpeg(const std::string& path, const std::function<void(Size, bool)>& start,
              const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits = kPictureLimits,
              const LeastSize& least = {});

} // namespace logo
