#include "Samples.h"

#include "formats/Jpeg.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace testing_formats;
using formats::FormatError;
using formats::decodeJpeg;

namespace {

formats::RgbImage decode(const Bytes& jpeg) { return decodeJpeg(jpeg.data(), jpeg.size()); }

// The marker segments before the first scan, by marker (0xC0 = SOF0, 0xDB = DQT).
std::multimap<int, Bytes> segments(const Bytes& jpeg)
{
    std::multimap<int, Bytes> found;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF && jpeg[at + 1] != 0xDA) {
        const std::size_t length = jpeg[at + 2] << 8 | jpeg[at + 3];
        found.emplace(jpeg[at + 1], Bytes(jpeg.begin() + at + 4, jpeg.begin() + at + 2 + length));
        at += 2 + length;
    }
    return found;
}

formats::RgbImage sample() { return rgbOf(makePicture(40, 24, 6)); }

} // namespace

TEST(Jpeg, EncodesBaselineFullColourAtTheQualityCjpegGives)
{
    const formats::RgbImage image = sample();
    const Bytes ours = formats::encodeJpeg(image, 95);
    const auto mine = segments(ours);
    ASSERT_EQ(mine.count(0xC0), 1u) << "no baseline frame";
    const Bytes frame = mine.find(0xC0)->second;
    ASSERT_EQ(frame.size(), 6u + 3 * 3);
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(frame[6 + 3 * c + 1], 0x11) << "component " << c << " is subsampled";

    TempDir dir;
    writeFile(dir.file("in.ppm"), makePpm(image));
    ASSERT_FALSE(findProgram("cjpeg").empty()) << "cjpeg is not installed";
    const RunResult r = run({"cjpeg", "-quality", "95", "-sample", "1x1", "-baseline", "in.ppm"}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto theirs = segments(Bytes(r.out.begin(), r.out.end()));
    auto tables = [](const std::multimap<int, Bytes>& s) {
        std::vector<Bytes> t;
        for (auto [it, end] = s.equal_range(0xDB); it != end; ++it)
            t.push_back(it->second);
        return t;
    };
    EXPECT_EQ(tables(mine), tables(theirs));

    EXPECT_GE(psnr(decode(ours), image), 30);
}

TEST(Jpeg, DecodesFilesOfAnOutsideEncoder)
{
    const formats::RgbImage image = sample();
    TempDir dir;
    writeFile(dir.file("in.ppm"), makePpm(image));
    ASSERT_FALSE(findProgram("cjpeg").empty()) << "cjpeg is not installed";
    for (const char* option : {"-progressive", "-optimize", "-grayscale"}) {
        SCOPED_TRACE(option);
        const RunResult r = run({"cjpeg", "-quality", "90", option, "in.ppm"}, dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const formats::RgbImage got = decode(Bytes(r.out.begin(), r.out.end()));
        ASSERT_EQ(got.width, image.width);
        ASSERT_EQ(got.height, image.height);
        if (std::string(option) == "-grayscale") {
            for (std::size_t i = 0; i < got.rgb.size(); i += 3)
                ASSERT_TRUE(got.rgb[i] == got.rgb[i + 1] && got.rgb[i] == got.rgb[i + 2]);
        } else {
            EXPECT_GE(psnr(got, image), 30);
        }
    }
}

TEST(Jpeg, RefusesGarbageWithoutEndingTheProcess)
{
    std::mt19937 random(7);
    Bytes noise(2000);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    Bytes noiseAfterStart = noise;
    noiseAfterStart[0] = 0xFF;
    noiseAfterStart[1] = 0xD8;
    Bytes tooLarge = formats::encodeJpeg(sample(), 95);
    std::size_t sof = 2;
    while (!(tooLarge[sof] == 0xFF && tooLarge[sof + 1] == 0xC0))
        sof += 2 + (tooLarge[sof + 2] << 8 | tooLarge[sof + 3]);
    tooLarge[sof + 5] = 0x13; // height 0x13xx: past 4096
    for (const Bytes& bad : {Bytes{}, Bytes{0xFF, 0xD8}, noise, noiseAfterStart, readFile(fixturePath("spray-a.wad"))})
        EXPECT_THROW(decode(bad), FormatError);
    try {
        decode(tooLarge);
        ADD_FAILURE() << "accepted";
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
    }
}

TEST(Jpeg, RefusesEveryTruncation)
{
    const Bytes jpeg = formats::encodeJpeg(sample(), 95);
    for (std::size_t length = 0; length < jpeg.size(); ++length)
        EXPECT_THROW(decode(Bytes(jpeg.begin(), jpeg.begin() + length)), FormatError) << "cut to " << length;
}
