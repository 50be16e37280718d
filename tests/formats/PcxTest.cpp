#include "Samples.h"

#include "formats/Pcx.h"

#include <gtest/gtest.h>

using namespace testing_formats;
using formats::FormatError;
using formats::readPcx;

namespace {

Bytes writePicture(const TestPicture& p) { return formats::writePcx8(p.width, p.height, p.indices, p.palette); }

formats::RgbImage read(const Bytes& pcx) { return readPcx(pcx.data(), pcx.size()); }

} // namespace

TEST(Pcx, RoundTripsOddSizesLongRunsAndHighIndices)
{
    for (auto [w, h] : {std::pair{1, 1}, {13, 7}, {70, 3}, {200, 2}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const TestPicture p = makePicture(w, h, 2);
        const Bytes pcx = writePicture(p);
        EXPECT_EQ(pcx[66] % 2, 0) << "bytes per line must be even";
        EXPECT_EQ(read(pcx).rgb, rgbOf(p).rgb);
    }
}

TEST(Pcx, ReadsFilesOfOutsideEncoders)
{
    const TestPicture p = makePicture(37, 11, 3);
    const formats::RgbImage source = rgbOf(p);
    TempDir dir;
    writeFile(dir.file("in.ppm"), makePpm(source));
    const std::vector<std::vector<std::string>> encoders = {
        {"ppmtopcx", "-8bit", "in.ppm"},
        {"ppmtopcx", "-24bit", "in.ppm"},
        {"convert", "in.ppm", "pcx:-"},
    };
    for (const auto& argv : encoders) {
        SCOPED_TRACE(argv[0] + " " + argv[1]);
        ASSERT_FALSE(findProgram(argv[0]).empty()) << argv[0] << " is not installed";
        const RunResult r = run(argv, dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const formats::RgbImage got = read(Bytes(r.out.begin(), r.out.end()));
        EXPECT_EQ(got.width, source.width);
        EXPECT_EQ(got.height, source.height);
        EXPECT_EQ(got.rgb, source.rgb);
    }
}

TEST(Pcx, RefusesBrokenFiles)
{
    for (const BadInput& bad : badPcxFiles()) {
        SCOPED_TRACE(bad.name);
        try {
            read(bad.data);
            ADD_FAILURE() << "accepted";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(bad.reason), std::string::npos) << e.what();
        }
    }
}

TEST(Pcx, RefusesEveryTruncation)
{
    const Bytes wad = readFile(fixturePath("spray-b.wad"));
    const TestPicture p = fixturePicture(wad);
    const Bytes pcx = writePicture(p);
    for (std::size_t length = 0; length < pcx.size(); ++length)
        EXPECT_THROW(read(Bytes(pcx.begin(), pcx.begin() + length)), FormatError) << "cut to " << length;
}
