#include "formats/Wad3Writer.h"

#include "formats/Image.h"
#include "formats/SprayCheck.h"

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

    const bool colour = sprayKind(spray.palette) == SprayKind::Colour;
    const char* name = colour ? "{LOGO" : "LOGO";
    std::uint8_t* lump = out.data() + kHeaderSize;
    std::memcpy(lump, name, std::strlen(name));
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
    entry[12] = static_cast<std::uint8_t>(colour ? kWadMipTexture : kWadDecal);
    entry[13] = 0; // not compressed
    std::memcpy(entry + 16, name, std::strlen(name));
    return out;
}

std::vector<std::uint8_t> sprayWadOf(const WadPicture& picture)
{
    const int w = picture.width;
    const int h = picture.height;
    if (w < 1 || h < 1 || w > kSprayMaxSide || h > kSprayMaxSide || w % kSprayStep != 0 || h % kSprayStep != 0)
        throw FormatError(sizeText(w, h) + ": at most " + std::to_string(kSprayMaxSide) + " on a side, multiples of "
                          + std::to_string(kSprayStep));
    SprayLevels spray;
    spray.width = w;
    spray.height = h;
    spray.palette = picture.palette;
    spray.levels[0] = picture.indices;
    const bool own = !picture.smallerLevels[0].empty();
    for (int k = 1; k < 4; ++k) {
        if (own) {
            spray.levels[k] = picture.smallerLevels[k - 1];
            continue;
        }
        // Every 2^k-th pixel of every 2^k-th row, as the game's tools do.
        std::vector<std::uint8_t>& level = spray.levels[k];
        level.reserve(std::size_t(w >> k) * (h >> k));
        for (int y = 0; y < (h >> k); ++y)
            for (int x = 0; x < (w >> k); ++x)
                level.push_back(picture.indices[std::size_t(y << k) * w + (x << k)]);
    }
    std::vector<std::uint8_t> wad = writeSprayWad(spray);
    const SprayReport report = checkSpray(wad.data(), wad.size());
    if (!report.gameReady())
        throw FormatError(report.problems.front());
    return wad;
}

} // namespace formats
