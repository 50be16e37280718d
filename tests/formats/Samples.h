// Sample files for the tests: pictures of a known pattern in WAD lumps of
// each picture type, and tables of malformed WAD and PCX files.
#pragma once

#include "Support.h"

#include <array>
#include <string>

namespace testing_formats {

struct TestPicture {
    int width = 0;
    int height = 0;
    Bytes indices;
    std::array<std::uint8_t, 768> palette{};
};

// Smooth colour ramps, flat runs longer than a PCX run and indices >= 0xC0.
TestPicture makePicture(int width, int height, int seed);
formats::RgbImage rgbOf(const TestPicture& picture);

Bytes mipLump(const TestPicture& picture); // types 0x40 and 0x43
Bytes plainLump(const TestPicture& picture); // type 0x42

struct TestLump {
    std::string name; // up to 16 bytes; 16 leaves no terminating NUL
    int type = 0x43;
    Bytes data;
    int compression = 0;
};

// Lumps follow the header and the table comes last, unless `tableFirst`,
// which puts the table behind the header and a gap before the lumps.
Bytes buildWad(const std::vector<TestLump>& lumps, bool tableFirst = false, const char* magic = "WAD3");

// The picture of the first lump of a fixture, read by hand from the layout
// that every mip-texture spray shares.
TestPicture fixturePicture(const Bytes& wad);

struct BadInput {
    std::string name;
    Bytes data;
    std::string reason; // part of the expected message
};

std::vector<BadInput> badWads();
std::vector<BadInput> badPcxFiles();

void put32At(Bytes& data, std::size_t at, std::uint32_t value);

} // namespace testing_formats
