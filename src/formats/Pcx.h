// PCX pictures: writing 8-bit paletted ones, reading 8-bit and 24-bit ones.
#pragma once

#include "formats/Image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace formats {

// An RLE-encoded 8-bit PCX file with the 256-colour palette at its end.
// `indices` holds width * height bytes, top-down.
std::vector<std::uint8_t> writePcx8(int width, int height, const std::vector<std::uint8_t>& indices,
                                    const std::array<std::uint8_t, 768>& palette);

// Reads an RLE-encoded PCX file of 8 bits per pixel with 1 plane (palette at
// the end) or 3 planes (24-bit). Throws FormatError for anything else.
RgbImage readPcx(const std::uint8_t* data, std::size_t size);

} // namespace formats
