// JPEG encoding and decoding through libjpeg, failing with FormatError
// rather than ending the process.
#pragma once

#include "formats/Image.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace formats {

// A baseline JPEG file with full-resolution colour (4:4:4); quality 1 to 100.
std::vector<std::uint8_t> encodeJpeg(const RgbImage& image, int quality);

// Decodes any JPEG file libjpeg reads, as RGB. Corrupt or truncated data,
// which libjpeg itself only warns about, is refused too.
RgbImage decodeJpeg(const std::uint8_t* data, std::size_t size);

} // namespace formats
