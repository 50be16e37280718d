#include "Samples.h"

#include "formats/Wad3.h"

#include <gtest/gtest.h>

using namespace testing_formats;
using formats::FormatError;
using formats::readWadPicture;

namespace {

formats::WadPicture read(const Bytes& wad) { return readWadPicture(wad.data(), wad.size()); }

void expectPicture(const formats::WadPicture& got, const TestPicture& want)
{
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.indices, want.indices);
    EXPECT_EQ(got.palette, want.palette);
}

} // namespace

TEST(WadReader, ReadsTheFixtures)
{
    for (const char* name : {"spray-a.wad", "spray-b.wad"}) {
        SCOPED_TRACE(name);
        const Bytes wad = readFile(fixturePath(name));
        const formats::WadPicture picture = read(wad);
        EXPECT_EQ(picture.lumpName, "{LOGO");
        EXPECT_EQ(picture.type, formats::kWadMipTexture);
        expectPicture(picture, fixturePicture(wad));
        const formats::RgbImage rgb = formats::toRgb(picture);
        EXPECT_EQ(rgb.rgb, rgbOf(fixturePicture(wad)).rgb);
    }
}

TEST(WadReader, PrefersTheLogoLumpInAnyLetterCase)
{
    const TestPicture decal = makePicture(13, 7, 1), plain = makePicture(9, 4, 2), logo = makePicture(13, 7, 3);
    const Bytes wad = buildWad({{"LOGO", 0x40, mipLump(decal)},
                                {"PLAIN", 0x42, plainLump(plain)},
                                {"{logo", 0x44, mipLump(decal)}, // not a picture type
                                {"{Logo", 0x43, mipLump(logo)}});
    const formats::WadPicture picture = read(wad);
    EXPECT_EQ(picture.lumpName, "{Logo");
    expectPicture(picture, logo);
}

TEST(WadReader, TakesTheFirstPictureLumpWithoutALogoLump)
{
    const TestPicture decal = makePicture(13, 7, 4), plain = makePicture(70, 3, 5);
    const formats::WadPicture mono = read(buildWad({{"FONT", 0x46, Bytes(40, 0)},
                                                    {"LOGO", 0x40, mipLump(decal)},
                                                    {"{LOGOS", 0x43, mipLump(plain)}}));
    EXPECT_EQ(mono.lumpName, "LOGO");
    EXPECT_EQ(mono.type, formats::kWadDecal);
    expectPicture(mono, decal); // the tint palette as stored

    const formats::WadPicture pic = read(buildWad({{"ABCDEFGHIJKLMNOP", 0x42, plainLump(plain)}}, true, "WAD2"));
    EXPECT_EQ(pic.lumpName, "ABCDEFGHIJKLMNOP"); // a name of 16 bytes has no NUL
    EXPECT_EQ(pic.type, formats::kWadPicture);
    expectPicture(pic, plain);
}

TEST(WadReader, RefusesMalformedFiles)
{
    for (const BadInput& bad : badWads()) {
        SCOPED_TRACE(bad.name);
        try {
            read(bad.data);
            ADD_FAILURE() << "accepted";
        } catch (const FormatError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(bad.reason), std::string::npos) << message;
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
}

TEST(WadReader, RefusesEveryTruncationOfTheFixtures)
{
    for (const char* name : {"spray-a.wad", "spray-b.wad"}) {
        const Bytes wad = readFile(fixturePath(name));
        for (std::size_t length = 0; length < wad.size(); ++length) {
            const Bytes cut(wad.begin(), wad.begin() + length);
            EXPECT_THROW(read(cut), FormatError) << name << " cut to " << length;
        }
    }
}
