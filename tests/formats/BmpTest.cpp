#include "Samples.h"

#include "formats/Bmp.h"

#include <gtest/gtest.h>

using namespace testing_formats;
using formats::FormatError;
using formats::RgbImage;

namespace {

RgbImage decode(const Bytes& bmp) { return formats::decodeBmp(bmp.data(), bmp.size()); }

// A BMP file by hand: headers, then `palette` (BGRx), then `pixels` as given.
Bytes handMade(int width, int height, int bits, const Bytes& palette, const Bytes& pixels, std::uint32_t colours = 0)
{
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32At(b, 2, static_cast<std::uint32_t>(54 + palette.size() + pixels.size()));
    put32At(b, 10, static_cast<std::uint32_t>(54 + palette.size()));
    put32At(b, 14, 40);
    put32At(b, 18, static_cast<std::uint32_t>(width));
    put32At(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = static_cast<std::uint8_t>(bits);
    put32At(b, 46, colours);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

const Bytes kPalette = {0, 0, 255, 0, /* red */ 0, 255, 0, 0, /* green */ 255, 0, 0, 0 /* blue */};
const Bytes red = {255, 0, 0}, green = {0, 255, 0}, blue = {0, 0, 255};

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace

TEST(Bmp, RoundTripsAndOutsideDecodersAgree)
{
    TempDir dir;
    for (auto [w, h] : {std::pair{1, 1}, {13, 7}, {4, 2}, {2, 3}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const RgbImage image = rgbOf(makePicture(w, h, 4));
        const Bytes bmp = formats::encodeBmp24(image);
        EXPECT_EQ(bmp.size(), 54u + (w * 3 + 3) / 4 * 4 * h);
        EXPECT_EQ(decode(bmp).rgb, image.rgb);
        writeFile(dir.file("a.bmp"), bmp);
        EXPECT_EQ(decodeWith({"convert", "a.bmp", "-depth", "8", "ppm:-"}, dir.path()).rgb, image.rgb);
    }
}

TEST(Bmp, DecodesPalettedAndThirtyTwoBitFiles)
{
    // 3 x 2, 8 bits, bottom-up, 3 colours: rows padded to 4 bytes.
    const Bytes eight = handMade(3, 2, 8, kPalette, {2, 1, 0, 0, /* bottom row */ 0, 1, 2, 0}, 3);
    EXPECT_EQ(decode(eight).rgb, concat({red, green, blue, blue, green, red}));
    // 2 x 2, 32 bits, top-down, the fourth byte ignored.
    const Bytes thirtyTwo = handMade(2, -2, 32, {}, {0, 0, 255, 9, 0, 255, 0, 9, 255, 0, 0, 9, 0, 0, 0, 9});
    EXPECT_EQ(decode(thirtyTwo).rgb, concat({red, green, blue, {0, 0, 0}}));
    // 3 x 1 at 4 bits and at 1 bit: the high bits come first.
    EXPECT_EQ(decode(handMade(3, 1, 4, kPalette, {0x21, 0x00, 0, 0}, 3)).rgb, concat({blue, green, red}));
    EXPECT_EQ(decode(handMade(3, 1, 1, Bytes(kPalette.begin(), kPalette.begin() + 8), {0xA0, 0, 0, 0})).rgb,
              concat({green, red, green}));
}

TEST(Bmp, RefusesGarbage)
{
    const Bytes good = formats::encodeBmp24(rgbOf(makePicture(5, 3, 1)));
    auto patched = [&good](std::size_t at, std::uint32_t value) {
        Bytes b = good;
        put32At(b, at, value);
        return b;
    };
    auto patched16 = [&good](std::size_t at, unsigned value) {
        Bytes b = good;
        b[at] = value & 0xFF;
        b[at + 1] = value >> 8 & 0xFF;
        return b;
    };
    const std::vector<BadInput> bad = {
        {"empty", {}, "too short"},
        {"header cut", Bytes(good.begin(), good.begin() + 53), "too short"},
        {"not a BMP", patched16(0, 'P' | 'K' << 8), "not a BMP"},
        {"OS/2 header", patched(14, 12), "header"},
        {"header past the end", patched(14, 0x7FFFFFFF), "header"},
        {"no planes", patched16(26, 0), "plane"},
        {"16 bits", patched16(28, 16), "depth"},
        {"run-length", patched(30, 1), "compressed"},
        {"bit fields", patched(30, 3), "compressed"},
        {"zero width", patched(18, 0), "bad picture size"},
        {"negative width", patched(18, 0xFFFFFFFB), "bad picture size"},
        {"zero height", patched(22, 0), "bad picture size"},
        {"most negative height", patched(22, 0x80000000), "too large"},
        {"width past the limit", patched(18, 4097), "too large"},
        {"4096 x 4096 from a few bytes", patched(22, 4096), "cut short"},
        {"pixels past the end", patched(10, 0xFFFFFFF0), "cut short"},
        {"pixels inside the headers", patched(10, 20), "overlaps"},
        {"too many colours", handMade(3, 1, 1, kPalette, {0, 0, 0, 0}, 3), "colour count"},
        {"palette past the end", handMade(1, 1, 8, {}, {0, 0, 0, 0}), "overlaps"},
        {"index past the palette", handMade(3, 1, 8, kPalette, {0, 3, 0, 0}, 3), "past the palette"},
    };
    for (const BadInput& b : bad) {
        SCOPED_TRACE(b.name);
        try {
            decode(b.data);
            ADD_FAILURE() << "accepted";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(b.reason), std::string::npos) << e.what();
        }
    }
    for (std::size_t length = 0; length < good.size(); ++length)
        EXPECT_THROW(decode(Bytes(good.begin(), good.begin() + length)), FormatError) << "cut to " << length;
}
