// Writing a spray logo: a WAD3 file with one mip texture lump "{LOGO".
#pragma once

#include <array>
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

} // namespace formats
