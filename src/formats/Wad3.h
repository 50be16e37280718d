// Reading the picture out of a WAD3 (or WAD2) file, such as a spray logo.
#pragma once

#include "formats/Image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace formats {

// Lump types that hold a picture.
constexpr int kWadDecal = 0x40;      // monochrome spray: index = intensity, last colour = tint
constexpr int kWadPicture = 0x42;    // plain picture
constexpr int kWadMipTexture = 0x43; // colour spray; colour 255 is see-through

// The full-size level of one picture lump, with its palette as stored.
struct WadPicture {
    std::string lumpName;
    int type = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices; // width * height, top-down
    std::array<std::uint8_t, 768> palette{}; // 256 RGB triples; unused entries are 0
};

// Takes the lump named "{LOGO" (any letter case) when there is one, else the
// first picture lump. Throws FormatError for anything malformed.
WadPicture readWadPicture(const std::uint8_t* data, std::size_t size);

RgbImage toRgb(const WadPicture& picture);

} // namespace formats
