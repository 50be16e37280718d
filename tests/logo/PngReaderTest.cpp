// logo2wad's own PNG reader against Qt's: the same pixels for every kind of
// PNG, so that the converter and the Make logo dialog make the same logo.
#include "Support.h"

#include "formats/Wad3Writer.h"
#include "logo/LogoMaker.h"
#include "logo/PngReader.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace testing_formats;

namespace {

// Smooth and sharp parts, with half-transparent and transparent areas.
QImage scene(int w, int h, QImage::Format format)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(255 * x / w, 255 * y / h, 90, x < w / 4 ? 0 : x < w / 2 ? 100 : 255));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(240, 200, 20));
    painter.drawEllipse(QRect(w / 4, h / 4, w / 2, h / 2));
    painter.end();
    return format == QImage::Format_Indexed8 ? image.convertToFormat(format, Qt::ThresholdDither)
                                             : image.convertToFormat(format);
}

struct Kind {
    const char* name;
    QImage::Format format;
    bool interlaced = false;
};
void PrintTo(const Kind& k, std::ostream* out) { *out << k.name; }

class PngKinds : public testing::TestWithParam<Kind> {};

TEST_P(PngKinds, ReadLikeQtReadsThem)
{
    const Kind& kind = GetParam();
    TempDir dir;
    const std::string path = dir.file("in.png");
    ASSERT_TRUE(scene(150, 70, kind.format).save(QString::fromStdString(kind.interlaced ? dir.file("flat.png") : path)));
    if (kind.interlaced)
        ASSERT_EQ(run({"convert", "flat.png", "-interlace", "PNG", "in.png"}, dir.path()).exitCode, 0);
    const logo::Rgba ours = logo::readPng(path);
    const logo::Rgba qt = logo::toRgba(QImage(QString::fromStdString(path))); // Qt's own reader
    ASSERT_EQ(ours.width, qt.width);
    ASSERT_EQ(ours.height, qt.height);
    EXPECT_EQ(ours.hasAlpha, qt.hasAlpha);
    EXPECT_TRUE(ours.bytes == qt.bytes);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngKinds, testing::Values(
    Kind{"rgb", QImage::Format_RGB32},
    Kind{"rgba", QImage::Format_ARGB32},
    Kind{"palette_with_transparency", QImage::Format_Indexed8},
    Kind{"grey", QImage::Format_Grayscale8},
    Kind{"grey16", QImage::Format_Grayscale16},
    Kind{"rgba16", QImage::Format_RGBA64},
    Kind{"one_bit", QImage::Format_Mono},
    Kind{"interlaced", QImage::Format_ARGB32, true}),
    [](const testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

TEST(PngReader, RefusesBrokenFilesWithOneLine)
{
    TempDir dir;
    const std::string path = dir.file("in.png");
    ASSERT_TRUE(scene(64, 64, QImage::Format_RGB32).save(QString::fromStdString(path)));
    Bytes whole = readFile(path);
    for (const std::size_t keep : {std::size_t(4), std::size_t(40), whole.size() / 2}) {
        const Bytes part(whole.begin(), whole.begin() + std::ptrdiff_t(keep));
        try {
            logo::readPng(part.data(), part.size(), [](logo::Size, bool) {}, [](const std::uint8_t*) {});
            ADD_FAILURE() << "read " << keep << " bytes";
        } catch (const logo::LogoError& e) {
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos);
        }
    }
    EXPECT_THROW(logo::readPng(dir.file("missing.png")), logo::LogoError);
}

// The WAD logo2wad writes from a PNG file is the one the program makes from
// it, byte for byte: opaque, see-through and large enough to be read on two
// threads.
TEST(PngReader, Logo2wadWritesWhatTheProgramMakes)
{
    struct Case {
        QImage picture;
        std::vector<std::string> options;
    };
    const std::vector<Case> cases = {
        {scene(300, 200, QImage::Format_RGB32), {}},
        {scene(512, 512, QImage::Format_ARGB32), {"--fit", "crop"}},
        {scene(1920, 1080, QImage::Format_RGB32), {"--size", "112x64", "--fit", "stretch"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ASSERT_TRUE(c.picture.save(QString::fromStdString(dir.file("in.png"))));
        std::vector<std::string> args = {LOGO2WAD_PATH, "in.png", "out.wad"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunResult r = run(args, dir.path());
        ASSERT_EQ(r.exitCode, 0) << r.err;
        logo::LogoOptions options;
        if (!c.options.empty() && c.options[0] == "--size") {
            options.size = {112, 64};
            options.fit = logo::Fit::Stretch;
        } else if (!c.options.empty()) {
            options.fit = logo::Fit::Crop;
        }
        const QImage read = logo::readPicture(QString::fromStdString(dir.file("in.png")));
        EXPECT_TRUE(readFile(dir.file("out.wad")) == formats::writeSprayWad(logo::makeSpray(read, options)))
            << c.picture.width() << "x" << c.picture.height();
    }
}

} // namespace
