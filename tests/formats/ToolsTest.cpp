// The extractor and the converter as the import runs them: as programs, in
// a working directory, judged by the files they leave there.
#include "Samples.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

using namespace testing_formats;

namespace {

struct Sample {
    std::string name; // file base name
    Bytes wad;
    formats::RgbImage expected; // the full-size level through its palette
};

std::vector<Sample> samples()
{
    std::vector<Sample> all;
    for (const char* name : {"spray-a", "spray-b"}) {
        const Bytes wad = readFile(fixturePath(std::string(name) + ".wad"));
        all.push_back({name, wad, rgbOf(fixturePicture(wad))});
    }
    const TestPicture colour = makePicture(13, 7, 1), mono = makePicture(70, 9, 2), plain = makePicture(31, 5, 3);
    all.push_back({"colour", buildWad({{"LOGO", 0x40, mipLump(mono)}, {"{logo", 0x43, mipLump(colour)}}), rgbOf(colour)});
    all.push_back({"mono", buildWad({{"FONT", 0x46, Bytes(64, 1)}, {"LOGO", 0x40, mipLump(mono)}}, true), rgbOf(mono)});
    all.push_back({"plain", buildWad({{"PICTURE", 0x42, plainLump(plain)}}, false, "WAD2"), rgbOf(plain)});
    return all;
}

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// A refused input: non-zero exit, one line naming the file, nothing left behind.
void expectRefused(const RunResult& r, const TempDir& work, const std::string& path)
{
    EXPECT_NE(r.exitCode, 0);
    EXPECT_EQ(r.exitCode == -1, false) << "crashed";
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
    EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
    EXPECT_EQ(work.entries(), std::vector<std::string>{}) << "left a file";
}

} // namespace

TEST(Wad3Tool, WritesOnePcxThatOutsideDecodersRead)
{
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.name);
        TempDir input, work;
        writeFile(input.file(s.name + ".wad"), s.wad);
        const RunResult r = run({WAD3_PATH, input.file(s.name + ".wad")}, work.path());
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        ASSERT_EQ(work.entries(), std::vector<std::string>{s.name + ".pcx"});
        const formats::RgbImage netpbm = decodeWith({"pcxtoppm", s.name + ".pcx"}, work.path());
        EXPECT_EQ(netpbm.width, s.expected.width);
        EXPECT_EQ(netpbm.height, s.expected.height);
        EXPECT_TRUE(netpbm.rgb == s.expected.rgb) << "pcxtoppm sees other pixels";
        const formats::RgbImage magick = decodeWith({"convert", s.name + ".pcx", "-depth", "8", "ppm:-"}, work.path());
        EXPECT_TRUE(magick.rgb == s.expected.rgb) << "ImageMagick sees other pixels";
    }
}

TEST(Wad3Tool, NamesThePcxAfterTheWadFile)
{
    const Bytes wad = readFile(fixturePath("spray-b.wad"));
    for (auto [file, pcx] : {std::pair{"my.logo.wad", "my.logo.pcx"}, {"NOEXT", "NOEXT.pcx"}, {"x.WAD", "x.pcx"}}) {
        TempDir input, work;
        writeFile(input.file(file), wad);
        EXPECT_EQ(run({WAD3_PATH, input.file(file)}, work.path()).exitCode, 0);
        EXPECT_EQ(work.entries(), std::vector<std::string>{pcx});
    }
}

TEST(Wad3Tool, RefusesBadInput)
{
    std::vector<BadInput> bad = badWads();
    const Bytes fixture = readFile(fixturePath("spray-a.wad"));
    for (std::size_t length : {std::size_t{0}, std::size_t{11}, std::size_t{12}, std::size_t{112}, fixture.size() / 2,
                               fixture.size() - 32, fixture.size() - 1})
        bad.push_back({"spray-a cut to " + std::to_string(length), Bytes(fixture.begin(), fixture.begin() + length), ""});
    for (const BadInput& b : bad) {
        SCOPED_TRACE(b.name);
        TempDir input, work;
        writeFile(input.file("logo.wad"), b.data);
        expectRefused(run({WAD3_PATH, input.file("logo.wad")}, work.path()), work, input.file("logo.wad"));
    }
    TempDir work;
    expectRefused(run({WAD3_PATH, work.file("missing.wad")}, work.path()), work, work.file("missing.wad"));
}

TEST(Wad3Tool, RefusesAWadOver16MiBAndALinkIntoProc)
{
    TempDir input, work;
    // A logo followed by 16 MiB of nothing: refused by its size, not its contents.
    Bytes big = readFile(fixturePath("spray-a.wad"));
    big.resize(std::size_t(16) << 20 | 1);
    writeFile(input.file("big.wad"), big);
    RunResult r = run({WAD3_PATH, input.file("big.wad")}, work.path());
    expectRefused(r, work, input.file("big.wad"));
    EXPECT_NE(r.err.find("larger than 16 MiB"), std::string::npos) << r.err;
    ASSERT_EQ(::symlink("/proc/self/pagemap", input.file("pagemap.wad").c_str()), 0);
    r = run({WAD3_PATH, input.file("pagemap.wad")}, work.path());
    expectRefused(r, work, input.file("pagemap.wad"));
    EXPECT_NE(r.err.find("larger than 16 MiB"), std::string::npos) << r.err;
}

TEST(Wad3Tool, RefusesPicturesLargerThan1024OnASide)
{
    for (const auto& [width, height] : {std::pair{1025, 4}, std::pair{4, 1025}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        TempDir input, work;
        writeFile(input.file("big.wad"), buildWad({{"{LOGO", 0x43, mipLump(makePicture(width, height, 4))}}));
        const RunResult r = run({WAD3_PATH, input.file("big.wad")}, work.path());
        expectRefused(r, work, input.file("big.wad"));
        EXPECT_NE(r.err.find("larger than 1024"), std::string::npos) << r.err;
    }
    TempDir input, work;
    writeFile(input.file("edge.wad"), buildWad({{"{LOGO", 0x43, mipLump(makePicture(1024, 4, 4))}}));
    EXPECT_EQ(run({WAD3_PATH, input.file("edge.wad")}, work.path()).exitCode, 0);
    EXPECT_EQ(work.entries(), std::vector<std::string>{"edge.pcx"});
}

TEST(IView32Tool, WritesAJpegCloseToThePicture)
{
    for (const Sample& s : samples()) {
        SCOPED_TRACE(s.name);
        TempDir input, work;
        writeFile(input.file(s.name + ".wad"), s.wad);
        ASSERT_EQ(run({WAD3_PATH, input.file(s.name + ".wad")}, work.path()).exitCode, 0);
        const RunResult r = run({I_VIEW32_PATH, work.file(s.name + ".pcx"), "/convert=" + work.file("temp.jpg")}, work.path());
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(work.entries(), (std::vector<std::string>{s.name + ".pcx", "temp.jpg"}));
        const formats::RgbImage decoded = decodeWith({"djpeg", "-ppm", "temp.jpg"}, work.path());
        EXPECT_GE(psnr(decoded, s.expected), 30);
    }
}

TEST(IView32Tool, ConvertsA24BitPcx)
{
    const formats::RgbImage source = rgbOf(makePicture(21, 6, 5));
    TempDir work;
    writeFile(work.file("in.ppm"), makePpm(source));
    const RunResult pcx = run({"ppmtopcx", "-24bit", "in.ppm"}, work.path());
    ASSERT_EQ(pcx.exitCode, 0) << "ppmtopcx: " << pcx.err;
    writeFile(work.file("in.pcx"), Bytes(pcx.out.begin(), pcx.out.end()));
    ASSERT_EQ(run({I_VIEW32_PATH, work.file("in.pcx"), "/convert=" + work.file("out.jpg")}, work.path()).exitCode, 0);
    EXPECT_GE(psnr(decodeWith({"djpeg", "-ppm", "out.jpg"}, work.path()), source), 30);
}

TEST(IView32Tool, RefusesBadArgumentsAndBadInput)
{
    TempDir work;
    const std::string jpg = "/convert=" + work.file("temp.jpg");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"a.pcx"}, {"a.pcx", "/convert="}, {"a.pcx", "-convert=x.jpg"}, {"a.pcx", jpg, "extra"}}) {
        std::vector<std::string> argv = {I_VIEW32_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        const RunResult r = run(argv, work.path());
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
        EXPECT_EQ(work.entries(), std::vector<std::string>{});
    }
    for (const BadInput& b : badPcxFiles()) {
        SCOPED_TRACE(b.name);
        TempDir input;
        writeFile(input.file("in.pcx"), b.data);
        expectRefused(run({I_VIEW32_PATH, input.file("in.pcx"), jpg}, work.path()), work, input.file("in.pcx"));
    }
    expectRefused(run({I_VIEW32_PATH, work.file("missing.pcx"), jpg}, work.path()), work, work.file("missing.pcx"));
}

// A named pipe given as the input: refused at once with its one line, never
// waited on (the time-out stops a converter that would wait for a writer).
TEST(ConverterTools, RefuseANamedPipeWithoutWaiting)
{
    TempDir input, work;
    const std::string pipe = input.file("pipe.wad");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    for (const std::vector<std::string>& argv : std::vector<std::vector<std::string>>{
             {"timeout", "10", WAD3_PATH, pipe}, {"timeout", "10", I_VIEW32_PATH, pipe, "/convert=" + work.file("t.jpg")}}) {
        SCOPED_TRACE(argv[2]);
        const RunResult r = run(argv, work.path());
        EXPECT_NE(r.exitCode, 124) << "waited on the pipe";
        expectRefused(r, work, pipe);
        EXPECT_NE(r.err.find("named pipe"), std::string::npos) << r.err;
    }
}
