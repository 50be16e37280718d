#include "Samples.h"

#include "formats/Pcx.h"

#include <algorithm>
#include <cstring>

namespace testing_formats {
namespace {

void append32(Bytes& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint32_t get32(const Bytes& data, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | data.at(at + i);
    return v;
}

void appendPalette(Bytes& out, const TestPicture& picture)
{
    out.push_back(0); // 256 colours
    out.push_back(1);
    out.insert(out.end(), picture.palette.begin(), picture.palette.end());
}

} // namespace

void put32At(Bytes& data, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        data.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

TestPicture makePicture(int width, int height, int seed)
{
    TestPicture p;
    p.width = width;
    p.height = height;
    for (int i = 0; i < 256; ++i) {
        p.palette[3 * i] = static_cast<std::uint8_t>(i);
        p.palette[3 * i + 1] = static_cast<std::uint8_t>(255 - i);
        p.palette[3 * i + 2] = static_cast<std::uint8_t>((i + seed * 40) / 2);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.indices.push_back(static_cast<std::uint8_t>(x < width / 2 ? 0xC0 + (x + y + seed) % 64 : y * 9 + seed));
    return p;
}

formats::RgbImage rgbOf(const TestPicture& picture)
{
    formats::RgbImage image{picture.width, picture.height, {}};
    for (std::uint8_t i : picture.indices)
        image.rgb.insert(image.rgb.end(), &picture.palette[3 * i], &picture.palette[3 * i] + 3);
    return image;
}

Bytes mipLump(const TestPicture& picture)
{
    Bytes out(16, 0);
    std::memcpy(out.data(), "INNERNAME", 9);
    append32(out, picture.width);
    append32(out, picture.height);
    std::uint32_t at = 40;
    for (int level = 0; level < 4; ++level) {
        append32(out, at);
        at += (picture.width >> level) * (picture.height >> level);
    }
    out.insert(out.end(), picture.indices.begin(), picture.indices.end());
    for (int level = 1; level < 4; ++level) // the smaller levels: any bytes will do
        out.resize(out.size() + (picture.width >> level) * (picture.height >> level), 0x11);
    appendPalette(out, picture);
    out.resize(out.size() + 2, 0); // the padding some writers add
    return out;
}

Bytes plainLump(const TestPicture& picture)
{
    Bytes out;
    append32(out, picture.width);
    append32(out, picture.height);
    out.insert(out.end(), picture.indices.begin(), picture.indices.end());
    appendPalette(out, picture);
    return out;
}

Bytes buildWad(const std::vector<TestLump>& lumps, bool tableFirst, const char* magic)
{
    const std::size_t tableSize = 32 * lumps.size();
    std::size_t lumpsSize = 0;
    for (const TestLump& lump : lumps)
        lumpsSize += lump.data.size();
    const std::size_t gap = tableFirst ? 5 : 0;
    const std::size_t tableAt = tableFirst ? 12 : 12 + lumpsSize;
    std::size_t lumpAt = tableFirst ? 12 + tableSize + gap : 12;

    Bytes out(magic, magic + 4);
    append32(out, static_cast<std::uint32_t>(lumps.size()));
    append32(out, static_cast<std::uint32_t>(tableAt));
    Bytes table;
    Bytes body(gap, 0xEE);
    for (const TestLump& lump : lumps) {
        append32(table, static_cast<std::uint32_t>(lumpAt));
        append32(table, static_cast<std::uint32_t>(lump.data.size()));
        append32(table, static_cast<std::uint32_t>(lump.data.size()));
        table.push_back(static_cast<std::uint8_t>(lump.type));
        table.push_back(static_cast<std::uint8_t>(lump.compression));
        table.resize(table.size() + 2, 0);
        Bytes name(16, 0);
        std::memcpy(name.data(), lump.name.data(), std::min<std::size_t>(16, lump.name.size()));
        table.insert(table.end(), name.begin(), name.end());
        body.insert(body.end(), lump.data.begin(), lump.data.end());
        lumpAt += lump.data.size();
    }
    if (tableFirst) {
        out.insert(out.end(), table.begin(), table.end());
        out.insert(out.end(), body.begin(), body.end());
    } else {
        out.insert(out.end(), body.begin(), body.end());
        out.insert(out.end(), table.begin(), table.end());
    }
    return out;
}

TestPicture fixturePicture(const Bytes& wad)
{
    const std::size_t lump = get32(wad, get32(wad, 8));
    TestPicture p;
    p.width = static_cast<int>(get32(wad, lump + 16));
    p.height = static_cast<int>(get32(wad, lump + 20));
    const std::size_t pixels = lump + get32(wad, lump + 24);
    p.indices.assign(wad.begin() + pixels, wad.begin() + pixels + p.width * p.height);
    const std::size_t palette = lump + get32(wad, lump + 36) + (p.width / 8) * (p.height / 8) + 2;
    std::copy_n(wad.begin() + palette, 768, p.palette.begin());
    return p;
}

std::vector<BadInput> badWads()
{
    // One colour spray: header, the lump at 12, the table behind it.
    const Bytes lump = mipLump(makePicture(13, 7, 1));
    const Bytes good = buildWad({{"{LOGO", 0x43, lump}});
    const std::size_t entry = 12 + lump.size();
    const std::size_t lumpAt = 12;
    auto patched = [&good](std::size_t at, std::uint32_t value) {
        Bytes b = good;
        put32At(b, at, value);
        return b;
    };
    Bytes compressed = good;
    compressed[entry + 13] = 1;
    Bytes paletteCut = good;
    put32At(paletteCut, entry + 4, static_cast<std::uint32_t>(lump.size() - 10));

    return {
        {"empty file", {}, "too short"},
        {"header only, cut", Bytes(good.begin(), good.begin() + 11), "too short"},
        {"not a WAD", Bytes{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "not a WAD3"},
        {"negative lump count", patched(4, 0xFFFFFFFF), "lump count"},
        {"lump count past the end", patched(4, 1000), "table lies past the end"},
        {"table offset past the end", patched(8, static_cast<std::uint32_t>(good.size())), "table lies past the end"},
        {"negative table offset", patched(8, 0x80000000), "table lies past the end"},
        {"no lumps", patched(4, 0), "no picture lump"},
        {"no picture lump", buildWad({{"FONT", 0x46, lump}, {"{LOGO", 0x44, lump}}), "no picture lump"},
        {"compressed lump", compressed, "compressed"},
        {"compressed lump with a line break in its name", buildWad({{"{LO\nGO", 0x43, lump, 1}}), "\"{LO?GO\": compressed"},
        {"lump offset past the end", patched(entry, static_cast<std::uint32_t>(good.size() + 4)), "past the end of the file"},
        {"negative lump offset", patched(entry, 0xFFFFFFF0), "past the end of the file"},
        {"lump size past the end", patched(entry + 4, static_cast<std::uint32_t>(good.size())), "past the end of the file"},
        {"zero width", patched(lumpAt + 16, 0), "bad picture size"},
        {"zero height", patched(lumpAt + 20, 0), "bad picture size"},
        {"width past the limit", patched(lumpAt + 16, 4097), "too large"},
        {"huge width", patched(lumpAt + 16, 0xFFFFFFFF), "too large"},
        {"dimensions the lump cannot hold", patched(lumpAt + 20, 4096), "past the end of the lump"},
        {"pixel offset past the lump", patched(lumpAt + 24, 0xFFFFFFF0), "past the end of the lump"},
        {"palette offset past the lump", patched(lumpAt + 36, 0x7FFFFFFF), "palette lies past"},
        {"palette cut short", paletteCut, "palette cut short"},
        {"mip lump too short", buildWad({{"{LOGO", 0x43, Bytes(30, 0)}}), "too short for a picture header"},
        {"plain lump too short", buildWad({{"PIC", 0x42, Bytes(7, 0)}}), "too short for a picture header"},
        {"plain picture of negative width", [] {
             Bytes b = plainLump(makePicture(3, 3, 0));
             put32At(b, 0, 0xFFFFFFFD);
             return buildWad({{"PIC", 0x42, b}});
         }(), "bad picture size"},
        {"colour count zero", [&] {
             Bytes b = lump;
             const std::size_t at = b.size() - 2 - 768 - 2;
             b[at] = b[at + 1] = 0;
             return buildWad({{"{LOGO", 0x43, b}});
         }(), "colour count"},
        {"colour count 300", [&] {
             Bytes b = lump;
             const std::size_t at = b.size() - 2 - 768 - 2;
             b[at] = 300 & 0xFF;
             b[at + 1] = 300 >> 8;
             return buildWad({{"{LOGO", 0x43, b}});
         }(), "colour count"},
    };
}

std::vector<BadInput> badPcxFiles()
{
    const TestPicture p = makePicture(13, 7, 1);
    const Bytes good = formats::writePcx8(p.width, p.height, p.indices, p.palette);
    auto patched = [&good](std::size_t at, std::uint8_t value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    auto patched16 = [&good](std::size_t at, unsigned value) {
        Bytes b = good;
        b[at] = value & 0xFF;
        b[at + 1] = value >> 8;
        return b;
    };
    Bytes scanCut(good.begin(), good.begin() + 140);
    scanCut.insert(scanCut.end(), good.end() - 769, good.end());
    Bytes huge = patched16(8, 4095);
    huge[10] = 0xFF;
    huge[11] = 0x0F;
    huge[66] = 0x00;
    huge[67] = 0x10;
    Bytes runWithoutValue(good.begin(), good.begin() + 128);
    runWithoutValue.push_back(0xC5);
    runWithoutValue.insert(runWithoutValue.end(), good.end() - 769, good.end());
    return {
        {"empty file", {}, "too short"},
        {"header cut", Bytes(good.begin(), good.begin() + 127), "too short"},
        {"not a PCX", patched(0, 0x0B), "not a PCX"},
        {"unencoded", patched(2, 0), "encoding"},
        {"4 bits per pixel", patched(3, 4), "unsupported PCX kind"},
        {"2 planes", patched(65, 2), "unsupported PCX kind"},
        {"xmax before xmin", patched16(4, 20), "bounds"},
        {"width past the limit", patched16(8, 4999), "too large"},
        {"line shorter than the width", patched16(66, 6), "shorter than the picture width"},
        {"no palette marker", patched(good.size() - 769, 0), "palette"},
        {"header only", Bytes(good.begin(), good.begin() + 128), "palette"},
        {"scan lines cut", scanCut, "cut short"},
        {"run without its value", runWithoutValue, "cut short"},
        {"4096 x 4096 from a few bytes", huge, "cut short"},
    };
}

} // namespace testing_formats
