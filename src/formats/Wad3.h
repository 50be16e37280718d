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

// One entry of a WAD file's lump directory, as stored.
struct WadLump {
    int index = 0; // its place in the directory
    std::string name;
    int type = 0;
    int compression = 0;
    std::int64_t offset = 0;
    std::int64_t diskSize = 0; // the bytes it takes in the file
    std::int64_t size = 0;     // the bytes it takes unpacked
};

// The full-size level of one picture lump, with its palette as stored.
struct WadPicture {
    std::string lumpName;
    int type = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indices; // width * height, top-down
    std::array<std::uint8_t, 768> palette{}; // 256 RGB triples; unused entries are 0
    // The three smaller levels of a mip texture, each half the one before,
    // when the lump holds them where its header says; else empty.
    std::array<std::vector<std::uint8_t>, 3> smallerLevels;
};

// The lump directory. Throws FormatError when the header or the directory
// is malformed.
std::vector<WadLump> readWadLumps(const std::uint8_t* data, std::size_t size);

bool isPictureLump(const WadLump& lump);

// The lumps that hold a picture, in directory order.
std::vector<WadLump> listWadPictures(const std::uint8_t* data, std::size_t size);

// The picture of one lump of the file. Throws FormatError for anything malformed.
WadPicture readWadPicture(const std::uint8_t* data, std::size_t size, const WadLump& lump);

// Takes the lump named "{LOGO" (any letter case) when there is one, else the
// first picture lump. Throws FormatError for anything malformed.
WadPicture readWadPicture(const std::uint8_t* data, std::size_t size);

RgbImage toRgb(const WadPicture& picture);

} // namespace formats
