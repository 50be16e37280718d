// Writing a spray logo: a WAD3 file with one mip texture lump, "{LOGO" for
// a colour spray, "LOGO" of the decal type for a single-colour decal (as the
// game's own menu writes it).
#pragma once

#include "formats/Wad3.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace formats {

// The four levels of a mip texture: full size, then halved three times.
// Each holds width/2^k * height/2^k palette indices, top-down.
struct SprayLevels {
    int width = 0;
    int height = 0;
    std::array<std::vector<std::uint8_t>, 4> levels;
    std::array<std::uint8_t, 768> palette{}; // 256 RGB triples; 255 is see-through
};

// The bytes of the WAD file. Throws FormatError when the sizes do not fit
// together (width and height multiples of 16, each level the right size).
std::vector<std::uint8_t> writeSprayWad(const SprayLevels& spray);

// The size of that file for a spray of `pixels` pixels (sides multiples of 16):
// header, lump header, four levels, colour count, palette, two bytes of
// padding, and the lump directory.
constexpr std::size_t sprayWadBytes(long long pixels)
{
    return 12 + 40 + std::size_t(pixels + pixels / 4 + pixels / 16 + pixels / 64) + 2 + 768 + 2 + 32;
}

// A one-picture spray of the same pixels and palette as `picture` (one of
// a WAD holding several). The smaller levels are the picture's own when it
// has them, else taken from the full-size level. Throws FormatError, with
// the reason in a player's words, when the result would not be game-ready.
std::vector<std::uint8_t> sprayWadOf(const WadPicture& picture);

} // namespace formats
