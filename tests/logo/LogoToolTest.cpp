// logo2wad as a program: the WADs it writes, read back by our reader and by
// wad3, and the pictures and options it refuses.
#include "Samples.h"
#include "Support.h"
#include "../support/SeeThroughPicture.h"

#include "formats/Bytes.h"
#include "formats/Wad3.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace testing_formats;

namespace {

// A drawing with smooth and sharp parts: a gradient, a disc and stripes.
QImage drawing(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(255 * x / w, 255 * y / h, 128));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::yellow);
    painter.drawEllipse(QRect(w / 4, h / 4, w / 2, h / 2));
    painter.fillRect(0, 0, w / 8, h, Qt::darkMagenta);
    return image;
}

RunResult logo2wad(const TempDir& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), LOGO2WAD_PATH);
    return run(args, dir.path());
}

int lineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// The WAD a spray must be; returns the full-size level and palette.
formats::WadPicture expectSpray(const Bytes& wad, int w, int h)
{
    formats::WadPicture picture = formats::readWadPicture(wad.data(), wad.size());
    EXPECT_EQ(picture.lumpName, "{LOGO");
    EXPECT_EQ(picture.type, formats::kWadMipTexture);
    EXPECT_EQ(picture.width, w);
    EXPECT_EQ(picture.height, h);
    EXPECT_EQ(formats::bytes::i32(wad.data() + 4), 1) << "one lump";
    // Palette: 256 entries, 255 pure blue and no other pure blue.
    const std::uint8_t* p = picture.palette.data();
    EXPECT_EQ(p[765], 0);
    EXPECT_EQ(p[766], 0);
    EXPECT_EQ(p[767], 255);
    for (int i = 0; i < 255; ++i)
        EXPECT_FALSE(p[3 * i] == 0 && p[3 * i + 1] == 0 && p[3 * i + 2] == 255) << "entry " << i;
    // The four levels follow one another, each a quarter of the one before.
    const std::uint8_t* lump = wad.data() + 12;
    std::uint32_t expectedAt = 40;
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(formats::bytes::u32(lump + 24 + 4 * k), expectedAt) << "level " << k;
        expectedAt += static_cast<std::uint32_t>((w >> k) * (h >> k));
    }
    EXPECT_EQ(formats::bytes::i16(lump + expectedAt), 256) << "colour count";
    return picture;
}

std::uint8_t levelPixel(const Bytes& wad, int level, int x, int y)
{
    const std::uint8_t* lump = wad.data() + 12;
    const int w = static_cast<int>(formats::bytes::u32(lump + 16)) >> level;
    return lump[formats::bytes::u32(lump + 24 + 4 * level) + y * w + x];
}

class EveryFormat : public testing::TestWithParam<const char*> {};

TEST_P(EveryFormat, BecomesASprayBothReadersRead)
{
    TempDir dir;
    const std::string picture = std::string("drawing.") + GetParam();
    if (std::string(GetParam()) == "gif") { // Qt reads GIF but does not write it
        ASSERT_TRUE(drawing(300, 200).save(QString::fromStdString(dir.file("drawing.ppm"))));
        ASSERT_EQ(run({"convert", "drawing.ppm", picture}, dir.path()).exitCode, 0);
    } else {
        ASSERT_TRUE(drawing(300, 200).save(QString::fromStdString(dir.file(picture)), GetParam(), 95));
    }
    const RunResult r = logo2wad(dir, {picture, "logo.wad"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Bytes wad = readFile(dir.file("logo.wad"));
    const formats::WadPicture spray = expectSpray(wad, 144, 96);
    // No see-through parts in an opaque picture.
    EXPECT_EQ(std::count(spray.indices.begin(), spray.indices.end(), 255), 0);
    // The colours survive: the disc in the middle is yellow, the band at the left magenta.
    const std::uint8_t* centre = &spray.palette[3 * spray.indices[48 * 144 + 72]];
    EXPECT_GT(centre[0], 200);
    EXPECT_GT(centre[1], 200);
    EXPECT_LT(centre[2], 60);
    for (int level = 1; level < 4; ++level) {
        const std::uint8_t* c = &spray.palette[3 * levelPixel(wad, level, 72 >> level, 48 >> level)];
        EXPECT_GT(c[0], 180) << "level " << level;
        EXPECT_LT(c[2], 80) << "level " << level;
    }

    const RunResult extracted = run({WAD3_PATH, dir.file("logo.wad")}, dir.path());
    EXPECT_EQ(extracted.exitCode, 0) << extracted.err;
    EXPECT_GT(readFile(dir.file("logo.pcx")).size(), 128u + 769u); // header, pixels, palette
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat, testing::Values("png", "jpg", "bmp", "gif", "webp"));

TEST(Logo2wad, TakesTheSizeAskedForUpToTheGamesLargest)
{
    TempDir dir;
    ASSERT_TRUE(drawing(64, 64).save(QString::fromStdString(dir.file("icon.png"))));
    ASSERT_EQ(logo2wad(dir, {"icon.png", "square.wad"}).exitCode, 0);
    expectSpray(readFile(dir.file("square.wad")), 112, 112);
    ASSERT_EQ(logo2wad(dir, {"icon.png", "safe.wad", "--server-safe"}).exitCode, 0);
    expectSpray(readFile(dir.file("safe.wad")), 64, 64);
    ASSERT_EQ(logo2wad(dir, {"icon.png", "a.wad", "--size", "256x16", "--fit", "crop"}).exitCode, 0);
    expectSpray(readFile(dir.file("a.wad")), 256, 16);
    ASSERT_EQ(logo2wad(dir, {"icon.png", "b.wad", "--size", "96x128", "--max-area", "12288"}).exitCode, 0);
    expectSpray(readFile(dir.file("b.wad")), 96, 128);
    const RunResult largest = logo2wad(dir, {"icon.png", "c.wad", "--size", "112x128", "--max-area", "14336"});
    ASSERT_EQ(largest.exitCode, 0) << largest.err;
    const Bytes c = readFile(dir.file("c.wad"));
    expectSpray(c, 112, 128);
    EXPECT_LE(c.size(), 20480u);
}

// --check: one line per file, the reasons below it, and the exit status
// says whether every file is game-ready.
TEST(Logo2wad, ChecksFilesAsTheGameDoes)
{
    TempDir dir;
    ASSERT_TRUE(drawing(300, 200).save(QString::fromStdString(dir.file("in.png"))));
    ASSERT_EQ(logo2wad(dir, {"in.png", "wide.wad"}).exitCode, 0);
    ASSERT_EQ(logo2wad(dir, {"in.png", "safe.wad", "--server-safe"}).exitCode, 0);
    const RunResult good = logo2wad(dir, {"--check", "wide.wad", "safe.wad", FIXTURES_DIR "/spray-a.wad"});
    EXPECT_EQ(good.exitCode, 0) << good.err;
    EXPECT_EQ(good.out, "wide.wad: game-ready: colour spray, 144\u00d796, 19 KB\n"
                        "safe.wad: game-ready: colour spray, 48\u00d732, 3 KB, works on every server\n"
                        FIXTURES_DIR "/spray-a.wad: game-ready: colour spray, 112\u00d796, 15 KB\n");

    // Two pictures, and a file the game would find too large.
    const TestPicture picture = makePicture(256, 256, 1);
    writeFile(dir.file("two.wad"), buildWad({{"A", 0x43, mipLump(picture)}, {"B", 0x43, mipLump(picture)}}));
    const RunResult bad = logo2wad(dir, {"--check", "wide.wad", "two.wad", "missing.wad"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "wide.wad: game-ready: colour spray, 144\u00d796, 19 KB\n"
                       "two.wad: not game-ready: 172 KB\n"
                       "  172 KB: the game uses sprays of at most 20 KB\n"
                       "  2 pictures: the game takes a file with exactly one\n");
    EXPECT_EQ(lineCount(bad.err), 1) << bad.err;
    EXPECT_NE(bad.err.find("missing.wad"), std::string::npos) << bad.err;

    EXPECT_EQ(logo2wad(dir, {"--check"}).exitCode, 2);
    EXPECT_EQ(logo2wad(dir, {"--check", "wide.wad", "--server-safe"}).exitCode, 2);
}

// Left half transparent: see-through there, nowhere else, in every level.
TEST(Logo2wad, SeeThroughFromTheAlphaChannel)
{
    TempDir dir;
    const QImage image = leftHalfSeeThrough(128, 64, qRgb(200, 30, 30));
    ASSERT_TRUE(image.save(QString::fromStdString(dir.file("half.png"))));
    ASSERT_EQ(logo2wad(dir, {"half.png", "alpha.wad", "--size", "128x64"}).exitCode, 0);
    const Bytes wad = readFile(dir.file("alpha.wad"));
    expectSpray(wad, 128, 64);
    for (int level = 0; level < 4; ++level) {
        EXPECT_EQ(levelPixel(wad, level, 2, 2), 255) << level;
        EXPECT_NE(levelPixel(wad, level, (127 >> level) - 1, 2), 255) << level;
    }
    // "none" keeps every pixel.
    ASSERT_EQ(logo2wad(dir, {"half.png", "none.wad", "--size", "128x64", "--transparent", "none"}).exitCode, 0);
    const formats::WadPicture none = expectSpray(readFile(dir.file("none.wad")), 128, 64);
    EXPECT_EQ(std::count(none.indices.begin(), none.indices.end(), 255), 0);
}

// A magenta background keyed out; a picture full of pure blue keeps its
// blue as an ordinary colour.
TEST(Logo2wad, SeeThroughFromAColourAndPureBlueKept)
{
    TempDir dir;
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter(&image).fillRect(16, 16, 32, 32, QColor(0, 0, 255));
    ASSERT_TRUE(image.save(QString::fromStdString(dir.file("keyed.bmp"))));
    ASSERT_EQ(logo2wad(dir, {"keyed.bmp", "k.wad", "--size", "64x64", "--transparent", "FF00ff"}).exitCode, 0);
    const Bytes wad = readFile(dir.file("k.wad"));
    const formats::WadPicture spray = expectSpray(wad, 64, 64);
    EXPECT_EQ(spray.indices[0], 255);
    const std::uint8_t inside = spray.indices[32 * 64 + 32];
    ASSERT_NE(inside, 255);
    EXPECT_EQ(spray.palette[3 * inside + 2], 254) << "pure blue nudged off the see-through colour";
    EXPECT_EQ(std::count(spray.indices.begin(), spray.indices.end(), 255), 64 * 64 - 32 * 32);
}

struct Refusal {
    const char* what;
    std::vector<std::string> args; // after the picture and the output
    bool tinyPicture = false;
    bool garbage = false;
    bool truncated = false; // a picture large enough to be read on two threads, cut short
};
void PrintTo(const Refusal& r, std::ostream* out) { *out << r.what; }

class Refused : public testing::TestWithParam<Refusal> {};

TEST_P(Refused, OneLineNonZeroNoFile)
{
    const Refusal& c = GetParam();
    TempDir dir;
    if (c.garbage) {
        writeFile(dir.file("in.png"), Bytes{0x89, 'P', 'N', 'G', 1, 2, 3});
    } else if (c.truncated) {
        ASSERT_TRUE(drawing(1280, 1024).save(QString::fromStdString(dir.file("in.png"))));
        const Bytes whole = readFile(dir.file("in.png"));
        writeFile(dir.file("in.png"), Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() * 3 / 4)));
    } else
        ASSERT_TRUE(drawing(c.tinyPicture ? 15 : 64, c.tinyPicture ? 40 : 64).save(QString::fromStdString(dir.file("in.png"))));
    std::vector<std::string> args = {"in.png", "out.wad"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const RunResult r = logo2wad(dir, args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.png"});
}

INSTANTIATE_TEST_SUITE_P(Rules, Refused, testing::Values(
    Refusal{"width not a multiple of 16", {"--size", "100x64"}},
    Refusal{"wider than 256", {"--size", "272x16"}},
    Refusal{"area over the default limit", {"--size", "128x128"}},
    Refusal{"size 0x0", {"--size", "0x0"}},
    Refusal{"negative size", {"--size", "-16x32"}},
    Refusal{"over 64 on a side when server safe", {"--size", "80x64", "--server-safe"}},
    Refusal{"area over the raised limit", {"--size", "112x112", "--max-area", "12288"}},
    Refusal{"limit raised too far", {"--max-area", "16384"}},
    Refusal{"bad fit", {"--fit", "zoom"}},
    Refusal{"bad colour", {"--transparent", "12345"}},
    Refusal{"picture too small", {}, true},
    Refusal{"unreadable picture", {}, false, true},
    Refusal{"truncated picture", {}, false, false, true}),
    [](const testing::TestParamInfo<Refusal>& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(Logo2wad, AWriteFailureLeavesNoFile)
{
    TempDir dir;
    ASSERT_TRUE(drawing(64, 64).save(QString::fromStdString(dir.file("in.png"))));
    const RunResult r = logo2wad(dir, {"in.png", "missing/out.wad"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lineCount(r.err), 1) << r.err;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.png"});
    // A write that fails half-way (the file size limit of 4 KiB, below the
    // WAD's 13 KiB) leaves neither the WAD nor its temporary file.
    const RunResult full = run({"bash", "-c", std::string("trap '' XFSZ; ulimit -f 4; exec ") + LOGO2WAD_PATH + " in.png out.wad"},
                               dir.path());
    EXPECT_EQ(full.exitCode, 1) << full.err;
    EXPECT_EQ(lineCount(full.err), 1) << full.err;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.png"});
}

// A named pipe given as the picture, PNG-named or not: refused at once with
// one line, never waited on (the time-out stops a tool that would wait).
TEST(Logo2wad, RefusesANamedPipeWithoutWaiting)
{
    TempDir dir;
    for (const std::string name : {"pipe.png", "pipe.jpg"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(::mkfifo(dir.file(name).c_str(), 0644), 0);
        const RunResult r = run({"timeout", "10", LOGO2WAD_PATH, name, "out.wad"}, dir.path());
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_EQ(lineCount(r.err), 1) << r.err;
        EXPECT_NE(r.err.find("named pipe"), std::string::npos) << r.err;
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.file("out.wad"))));
    }
}

} // namespace

// A picture of many more colours than a palette holds keeps them closely
// without dithering: nearly every entry used, every pixel near its colour.
TEST(Logo2wad, AManyColouredPictureKeepsItsColoursWithoutDithering)
{
    TempDir dir;
    QImage picture(128, 96, QImage::Format_RGB32);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x)
            picture.setPixel(x, y, qRgb(2 * x, (255 * y) / 95, (x * y) % 256 / 2 + 64));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("colours.png"))));
    const RunResult r = logo2wad(dir, {"colours.png", "logo.wad", "--size", "128x96", "--fit", "stretch"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const formats::WadPicture spray = expectSpray(readFile(dir.file("logo.wad")), 128, 96);
    double squares = 0;
    int worst = 0;
    std::vector<bool> used(256, false);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 128; ++x) {
            const int index = spray.indices[y * 128 + x];
            used[index] = true;
            const QColor want = picture.pixelColor(x, y);
            const std::uint8_t* got = &spray.palette[3 * index];
            for (const int d : {got[0] - want.red(), got[1] - want.green(), got[2] - want.blue()}) {
                squares += d * d;
                worst = std::max(worst, std::abs(d));
            }
        }
    const double rms = std::sqrt(squares / (128.0 * 96 * 3));
    EXPECT_LT(rms, 10.0) << "worst " << worst;   // a plain 6 x 7 x 6 colour cube: 13
    EXPECT_LT(worst, 32) << "rms " << rms;
    EXPECT_GE(std::count(used.begin(), used.end(), true), 240);
}
