// Every spray the logo maker writes passes the game's checks; a spray is
// shown as the game draws it; any spray can be remade as the game takes it.
#include "formats/SprayCheck.h"
#include "formats/Wad3.h"
#include "formats/Wad3Writer.h"
#include "logo/GameLook.h"
#include "logo/GameReady.h"
#include "logo/SprayMaker.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace logo;

namespace {

// Smooth colours, a hard-edged block and, with `seeThrough`, a transparent
// left third.
Rgba picture(int w, int h, bool seeThrough)
{
    Rgba p;
    p.width = w;
    p.height = h;
    p.hasAlpha = seeThrough;
    p.bytes.resize(std::size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* px = p.row(y) + 4 * x;
            const bool block = x > w / 2 && y > h / 2;
            px[0] = std::uint8_t(block ? 0 : 255 * x / w);
            px[1] = std::uint8_t(block ? 0 : 255 * y / h);
            px[2] = std::uint8_t(block ? 255 : 90);
            px[3] = seeThrough && x < w / 3 ? 0 : 255;
        }
    return p;
}

std::string firstProblem(const formats::SprayReport& r) { return r.problems.empty() ? "" : r.problems.front(); }

void expectGameReady(const std::vector<std::uint8_t>& wad, const std::string& what)
{
    const formats::SprayReport report = formats::checkSpray(wad.data(), wad.size());
    EXPECT_TRUE(report.gameReady()) << what << ": " << firstProblem(report);
    EXPECT_EQ(report.kind, formats::SprayKind::Colour) << what;
}

// Every valid size from 16x16 to the largest, each with one of the twelve
// mixes of fit, see-through and dithering in turn; then the size the maker
// chooses itself for pictures of several shapes, server-safe or not.
TEST(MadeSprays, EveryOneIsGameReady)
{
    const Rgba opaque = picture(300, 200, false), clear = picture(300, 200, true);
    int made = 0;
    for (int w = kStep; w <= kMaxSprayside; w += kStep)
        for (int h = kStep; h <= kMaxSprayside; h += kStep) {
            if (w * h > kLargestMaxArea)
                continue;
            const int mix = made++ % 12;
            LogoOptions options;
            options.size = {w, h};
            options.fit = Fit(mix % 3);
            options.seeThrough = mix / 3 % 2 ? SeeThrough::Alpha : SeeThrough::None;
            options.dither = mix / 6 == 1;
            const Rgba& from = mix / 3 % 2 ? clear : opaque;
            expectGameReady(formats::writeSprayWad(makeSpray(from, options)),
                            std::to_string(w) + "x" + std::to_string(h) + " mix " + std::to_string(mix));
        }
    EXPECT_GT(made, 100);
    for (Size shape : {Size{16, 16}, Size{64, 64}, Size{1000, 40}, Size{40, 1000}, Size{640, 360}})
        for (bool serverSafe : {false, true}) {
            LogoOptions options;
            options.serverSafe = serverSafe;
            const std::vector<std::uint8_t> wad = formats::writeSprayWad(makeSpray(picture(shape.width, shape.height, true), options));
            const std::string what = std::to_string(shape.width) + "x" + std::to_string(shape.height);
            expectGameReady(wad, what);
            EXPECT_EQ(formats::checkSpray(wad.data(), wad.size()).everyServer(), serverSafe) << what;
        }
}

formats::WadPicture wadPicture(int w, int h, bool decal)
{
    formats::WadPicture p;
    p.type = decal ? formats::kWadDecal : formats::kWadMipTexture;
    p.width = w;
    p.height = h;
    for (int i = 0; i < 255; ++i)
        p.palette[3 * i] = std::uint8_t(i);
    const std::uint8_t last[3] = {std::uint8_t(decal ? 200 : 0), std::uint8_t(decal ? 30 : 0), 255};
    std::memcpy(&p.palette[765], last, 3);
    // Left half index 0, right half 255: see-through and solid in a decal,
    // colour 0 and see-through in a colour spray.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.indices.push_back(x < w / 2 ? 0 : 255);
    return p;
}

TEST(GameLook, ColourSprayKeysOutIndex255AndADecalIsItsColourAtTheIndexOpacity)
{
    const Rgba colour = gameLook(wadPicture(32, 16, false));
    EXPECT_TRUE(colour.hasAlpha);
    EXPECT_EQ(std::vector<std::uint8_t>(colour.row(0), colour.row(0) + 4), (std::vector<std::uint8_t>{0, 0, 0, 255}));
    EXPECT_EQ(colour.row(0)[4 * 31 + 3], 0);

    formats::WadPicture decal = wadPicture(32, 16, true);
    decal.indices[1] = 128;
    const Rgba look = gameLook(decal);
    EXPECT_EQ(std::vector<std::uint8_t>(look.row(0), look.row(0) + 8), (std::vector<std::uint8_t>{200, 30, 255, 0, 200, 30, 255, 128}));
    EXPECT_EQ(std::vector<std::uint8_t>(look.row(15) + 4 * 31, look.row(15) + 4 * 32), (std::vector<std::uint8_t>{200, 30, 255, 255}));
}

// Too small, too large, a decal: each comes back game-ready at the largest
// size near its aspect, of its own kind, with its see-through side kept.
TEST(Remake, AnySprayBecomesGameReadyOfItsOwnKind)
{
    struct Case {
        int w, h;
        bool decal, serverSafe;
        int expectedW, expectedH;
    };
    for (const Case& c : {Case{24, 24, false, false, 112, 112}, Case{256, 256, true, false, 112, 112},
                          Case{256, 128, false, false, 160, 80}, Case{8, 8, true, true, 64, 64}}) {
        const std::string what = std::to_string(c.w) + "x" + std::to_string(c.h) + (c.decal ? " decal" : " colour");
        const formats::WadPicture from = wadPicture(c.w, c.h, c.decal);
        const std::vector<std::uint8_t> wad = remakeGameReady(from, c.serverSafe);
        const formats::SprayReport report = formats::checkSpray(wad.data(), wad.size());
        ASSERT_TRUE(report.gameReady()) << what << ": " << firstProblem(report);
        EXPECT_EQ(report.kind, c.decal ? formats::SprayKind::Decal : formats::SprayKind::Colour) << what;
        EXPECT_EQ(report.everyServer(), c.serverSafe) << what;
        const formats::WadPicture back = formats::readWadPicture(wad.data(), wad.size());
        ASSERT_EQ(back.width, c.expectedW) << what;
        ASSERT_EQ(back.height, c.expectedH) << what;
        const int row = back.height / 2;
        const std::uint8_t left = back.indices[std::size_t(row) * back.width + 2];
        const std::uint8_t right = back.indices[std::size_t(row) * back.width + back.width - 3];
        if (c.decal) {
            EXPECT_EQ(0, std::memcmp(&back.palette[765], &from.palette[765], 3)) << what;
            EXPECT_LT(left, 8) << what;
            EXPECT_GT(right, 247) << what;
        } else {
            EXPECT_NE(left, formats::kSeeThroughIndex) << what;
            EXPECT_EQ(right, formats::kSeeThroughIndex) << what;
        }
    }
}

} // namespace
