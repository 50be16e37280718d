// The game's rules for a spray file, the lump list of a WAD holding several
// pictures, and the one-picture spray made from one of them.
#include "Samples.h"

#include "formats/SprayCheck.h"
#include "formats/Wad3.h"
#include "formats/Wad3Writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace testing_formats;
using formats::checkSpray;
using formats::SprayKind;

namespace {

formats::SprayReport check(const Bytes& wad) { return checkSpray(wad.data(), wad.size()); }

TestPicture colourPicture(int w, int h, int seed = 1)
{
    TestPicture p = makePicture(w, h, seed);
    p.palette[765] = 0;
    p.palette[766] = 0;
    p.palette[767] = 255;
    return p;
}

Bytes spray(const TestPicture& p, int type = 0x43) { return buildWad({{"{LOGO", type, mipLump(p)}}); }

// Where the only lump's fields lie in a file built by buildWad.
constexpr std::size_t kLump = 12;
std::size_t entryOf(const Bytes& wad) { return wad.size() - 32; }

struct Broken {
    std::string name;
    std::function<Bytes()> make;
    std::vector<std::string> problems;
};

std::vector<Broken> brokenFiles()
{
    const TestPicture p = colourPicture(64, 64);
    const std::size_t palette = kLump + 40 + 64 * 64 * 85 / 64;
    return {
        {"WAD2", [p] { return buildWad({{"{LOGO", 0x43, mipLump(p)}}, false, "WAD2"); },
         {"a WAD2 file: the game takes only WAD3 sprays"}},
        {"not a WAD", [] { return Bytes{'P', 'K', 3, 4}; }, {"not a WAD file: the game takes only WAD3 sprays"}},
        {"too large", [] { return spray(colourPicture(256, 256)); },
         {"86 KB: the game uses sprays of at most 20 KB"}},
        {"too small and not a multiple of 16", [] { return spray(colourPicture(8, 8)); },
         {"941 bytes: the game uses sprays of at least 1 KB", "8\u00d78: at most 256 on a side, multiples of 16"}},
        {"wider than 256", [] { return spray(colourPicture(272, 16)); },
         {"272\u00d716: at most 256 on a side, multiples of 16"}},
        {"two pictures", [p] { return buildWad({{"A", 0x43, mipLump(p)}, {"B", 0x43, mipLump(p)}}); },
         {"2 pictures: the game takes a file with exactly one"}},
        {"no picture", [] { return buildWad({}); },
         {"12 bytes: the game uses sprays of at least 1 KB", "no picture: the game takes a file with exactly one"}},
        {"bytes after the list", [p] { Bytes w = spray(p); w.resize(w.size() + 4); return w; },
         {"damaged file: its list of pictures is not at its end"}},
        {"list before the picture", [p] { return buildWad({{"{LOGO", 0x43, mipLump(p)}}, true); },
         {"damaged file: its list of pictures is not at its end",
          "damaged file: its picture overlaps the file's header or list"}},
        {"compressed", [p] { return buildWad({{"{LOGO", 0x43, mipLump(p), 1}}); },
         {"compressed picture: the game takes only uncompressed ones"}},
        {"disk size differs", [p] { Bytes w = spray(p); put32At(w, entryOf(w) + 8, 100); return w; },
         {"compressed picture: the game takes only uncompressed ones"}},
        {"picture past the end", [p] { Bytes w = spray(p); put32At(w, entryOf(w), 0x7fffff00); return w; },
         {"damaged file: its picture lies past its end"}},
        {"plain picture", [p] { return buildWad({{"{LOGO", 0x42, plainLump(p)}}); },
         {"plain picture: the game takes only spray pictures"}},
        {"levels apart", [p] { Bytes w = spray(p); put32At(w, kLump + 32, 40 + 64 * 64 + 32 * 32 + 1); return w; },
         {"damaged picture: its four sizes do not follow each other"}},
        {"300 colours", [p, palette] { Bytes w = spray(p); w[palette] = 300 & 0xff; w[palette + 1] = 1; return w; },
         {"300 colours: the game takes at most 256"}},
        {"no colours", [p, palette] { Bytes w = spray(p); w[palette] = 0; w[palette + 1] = 0; return w; },
         {"damaged picture: it has no colours"}},
    };
}

TEST(SprayCheck, NamesEveryBrokenRuleInAPlayersWords)
{
    for (const Broken& b : brokenFiles()) {
        SCOPED_TRACE(b.name);
        const formats::SprayReport report = check(b.make());
        EXPECT_FALSE(report.gameReady());
        EXPECT_EQ(report.problems, b.problems);
    }
}

TEST(SprayCheck, PassesTheFixturesAndTellsTheKind)
{
    int fixtures = 0;
    for (const auto& file : std::filesystem::directory_iterator(FIXTURES_DIR)) {
        if (file.path().extension() != ".wad")
            continue;
        ++fixtures;
        const formats::SprayReport report = check(readFile(file.path().string()));
        EXPECT_TRUE(report.gameReady()) << file.path() << ": " << (report.problems.empty() ? "" : report.problems[0]);
        EXPECT_EQ(report.kind, SprayKind::Colour) << file.path();
    }
    EXPECT_GE(fixtures, 2);
    EXPECT_EQ(check(readFile(fixturePath("spray-a.wad"))).description(), "colour spray, 112\u00d796, 15 KB");

    // The game's menu writes a decal lump; any entry 255 but pure blue makes one.
    const formats::SprayReport decal = check(spray(makePicture(112, 128, 2), 0x40));
    EXPECT_TRUE(decal.gameReady());
    EXPECT_EQ(decal.kind, SprayKind::Decal);
    EXPECT_FALSE(decal.everyServer());
    EXPECT_EQ(decal.description(), "single-colour decal, 112\u00d7128, 20 KB");
    EXPECT_TRUE(check(spray(colourPicture(64, 64))).everyServer());
    EXPECT_FALSE(check(spray(colourPicture(80, 16))).everyServer());
}

TEST(SprayCheck, NoCutOfAFixtureIsGameReady)
{
    const Bytes wad = readFile(fixturePath("spray-b.wad"));
    for (std::size_t length = 0; length < wad.size(); ++length) {
        const Bytes cut(wad.begin(), wad.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(check(cut).gameReady()) << "cut to " << length;
    }
}

// A WAD of several pictures (as the game's decals.wad) lists them; each
// becomes a one-picture spray of the same pixels, levels and palette.
TEST(WadPictures, ListedAndEachMadeASprayOfTheSamePixels)
{
    const TestPicture colour = colourPicture(64, 32, 3), decal = makePicture(16, 48, 4);
    const Bytes wad = buildWad({{"FONT", 0x46, Bytes(40, 0)},
                                {"{HANDI", 0x43, mipLump(colour)},
                                {"LAMBDA", 0x40, mipLump(decal)},
                                {"SMALL", 0x43, mipLump(colourPicture(24, 24))}});
    const std::vector<formats::WadLump> pictures = formats::listWadPictures(wad.data(), wad.size());
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].name, "{HANDI");
    EXPECT_EQ(pictures[1].index, 2);

    for (int i : {0, 1}) {
        SCOPED_TRACE(pictures[i].name);
        const formats::WadPicture from = formats::readWadPicture(wad.data(), wad.size(), pictures[i]);
        const Bytes one = formats::sprayWadOf(from);
        EXPECT_TRUE(check(one).gameReady());
        EXPECT_EQ(one.size(), formats::sprayWadBytes(from.width * from.height));
        const formats::WadPicture back = formats::readWadPicture(one.data(), one.size());
        EXPECT_EQ(back.indices, from.indices);
        EXPECT_EQ(back.palette, from.palette);
        EXPECT_EQ(back.smallerLevels, from.smallerLevels);
        EXPECT_EQ(back.lumpName, i == 0 ? "{LOGO" : "LOGO");
        EXPECT_EQ(back.type, i == 0 ? formats::kWadMipTexture : formats::kWadDecal);
    }
    const formats::WadPicture small = formats::readWadPicture(wad.data(), wad.size(), pictures[2]);
    try {
        formats::sprayWadOf(small);
        ADD_FAILURE() << "a 24x24 picture became a spray";
    } catch (const formats::FormatError& e) {
        EXPECT_STREQ(e.what(), "24\u00d724: at most 256 on a side, multiples of 16");
    }
    const Bytes large = spray(colourPicture(256, 256));
    EXPECT_THROW(formats::sprayWadOf(formats::readWadPicture(large.data(), large.size())), formats::FormatError);
}

} // namespace
