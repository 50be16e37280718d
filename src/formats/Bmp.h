// Windows BMP files: the slot pictures are stored as such files.
#pragma once

#include "formats/Image.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace formats {

// A BMP file (file header and BITMAPINFOHEADER), 24 bits, bottom-up,
// rows padded to 4 bytes.
std::vector<std::uint8_t> encodeBmp24(const RgbImage& image);

// Reads an uncompressed BMP file of 1, 4 or 8 bits (paletted), 24 or 32 bits,
// bottom-up or top-down. Throws FormatError for anything else and for any
// inconsistency.
RgbImage decodeBmp(const std::uint8_t* data, std::size_t size);

} // namespace formats
