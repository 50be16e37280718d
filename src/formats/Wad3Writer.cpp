#include "formats/Wad3Writer.h"

#include "formats/Image.h"

#include <cstring>
#include <string>

namespace formats {
namespace {

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kMipHeaderSize = 40;
constexpr std::size_t kEntrySize = 32;

} // namespace

std::vector<std::uint8_t> writeSprayWad(const SprayLevels& spray)
{
    const int w = spray.width;
    const int h = spray.height;
    if (w <= 0 || h <= 0 || w % 16 != 0 || h % 16 != 0 || w > kMaxSide || h > kMaxSide)
        throw FormatError("bad spray size " + std::to_string(w) + " x " + std::to_string(h));
    std::size_t levelsSize = 0;
    for (int k = 0; k < 4; ++k) {
        const std::size_t expected = static_cast<std::size_t>(w >> k) * static_cast<std::size_t>(h >> k);
        if (spray.levels[k].size() != expected)
            throw FormatError("mip level " + std::to_string(k) + " has the wrong size");
        levelsSize += expected;
    }
    // Header, levels, colour count, palette, and two bytes that keep the
    // lump a multiple of four long.
    const std::size_t lumpSize = kMipHeaderSize + levelsSize + 2 + 768 + 2;
    const std::size_t tableAt = kHeaderSize + lumpSize;
    std::vector<std::uint8_t> out(tableAt + kEntrySize, 0);

    std::memcpy(out.data(), "WAD3", 4);
    put32(out, 4, 1);
    put32(out, 8, static_cast<std::uint32_t>(tableAt));

    std::uint8_t* lump = out.data() + kHeaderSize;
    std::memcpy(lump, "{LOGO", 5);
    put32(out, kHeaderSize + 16, static_cast<std::uint32_t>(w));
    put32(out, kHeaderSize + 20, static_cast<std::uint32_t>(h));
    std::size_t at = kMipHeaderSize;
    for (int k = 0; k < 4; ++k) {
        put32(out, kHeaderSize + 24 + 4 * k, static_cast<std::uint32_t>(at));
        std::memcpy(lump + at, spray.levels[k].data(), spray.levels[k].size());
        at += spray.levels[k].size();
    }
    lump[at] = 0;      // 256 colours, as a little-endian 16-bit count
    lump[at + 1] = 1;
    std::memcpy(lump + at + 2, spray.palette.data(), 768);

    std::uint8_t* entry = out.data() + tableAt;
    put32(out, tableAt, static_cast<std::uint32_t>(kHeaderSize));
    put32(out, tableAt + 4, static_cast<std::uint32_t>(lumpSize));
    put32(out, tableAt + 8, static_cast<std::uint32_t>(lumpSize));
    entry[12] = 0x43; // mip texture
    entry[13] = 0;    // not compressed
    std::memcpy(entry + 16, "{LOGO", 5);
    return out;
}

} // namespace formats
