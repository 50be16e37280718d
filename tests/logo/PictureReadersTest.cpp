// The logo maker's own readers of GIF, WebP, BMP and scaled JPEG pictures:
// the same pixels Qt's plugins give, the size checked before decoding, and
// the DCT scale the smallest that still gives the size asked for.
#include "formats/Jpeg.h"
#include "logo/BmpReader.h"
#include "logo/GifReader.h"
#include "logo/JpegReader.h"
#include "logo/LogoMaker.h"
#include "logo/SprayMaker.h"
#include "logo/WebpReader.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

const std::uint8_t* bytesOf(const QByteArray& data) { return reinterpret_cast<const std::uint8_t*>(data.constData()); }

// A picture with every kind of pixel: a gradient, hard edges and, with
// alpha, see-through and half see-through parts.
QImage sample(bool alpha)
{
    QImage image(37, 23, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(7 * x, 11 * y, x < 18 ? 200 : 30, !alpha ? 255 : x < 5 ? 0 : y < 8 ? 128 : 255));
    return image;
}

QByteArray encoded(const QImage& image, const char* format, int quality = -1)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return buffer.data();
}

// What one of the own readers hands over, as a picture.
struct Read {
    logo::Size size;
    bool alpha = false;
    QImage image;
};

template <typename Reader>
Read readWith(Reader reader, const QByteArray& data)
{
    Read read;
    int y = 0;
    reader(bytesOf(data), std::size_t(data.size()),
           [&](logo::Size size, bool alpha) {
               read.size = size;
               read.alpha = alpha;
               read.image = QImage(size.width, size.height, QImage::Format_RGBA8888);
           },
           [&](const std::uint8_t* row) { std::memcpy(read.image.scanLine(y++), row, std::size_t(read.image.width()) * 4); });
    EXPECT_EQ(y, read.size.height) << "every row";
    return read;
}

void expectSamePixels(const QImage& got, const QImage& wanted)
{
    ASSERT_EQ(got.size(), wanted.size());
    const QImage a = got.convertToFormat(QImage::Format_ARGB32), b = wanted.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (qAlpha(a.pixel(x, y)) != 0 || qAlpha(b.pixel(x, y)) != 0)   // see-through is see-through
                ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
}

TEST(OwnPictureReaders, GiveThePixelsQtGives)
{
    const QByteArray bmp = encoded(sample(false), "bmp");
    const Read fromBmp = readWith([](auto... a) { return logo::readBmp(a...); }, bmp);
    EXPECT_FALSE(fromBmp.alpha);
    expectSamePixels(fromBmp.image, QImage::fromData(bmp, "bmp"));

    const QByteArray webp = encoded(sample(true), "webp", 100);   // lossless
    const Read fromWebp = readWith([](auto... a) { return logo::readWebp(a...); }, webp);
    EXPECT_TRUE(fromWebp.alpha);
    expectSamePixels(fromWebp.image, sample(true));
    expectSamePixels(logo::readPicture(webp), sample(true));

    const QByteArray lossy = encoded(sample(false), "webp", 60);
    expectSamePixels(readWith([](auto... a) { return logo::readWebp(a...); }, lossy).image, QImage::fromData(lossy, "webp"));
}

// A GIF written with giflib: a canvas of 12 x 10, a frame of 8 x 6 at (2, 3),
// interlaced or not, index 3 see-through.
QByteArray gif(bool interlaced)
{
    QByteArray out;
    int error = 0;
    GifFileType* file = EGifOpen(&out, [](GifFileType* g, const GifByteType* data, int n) {
        static_cast<QByteArray*>(g->UserData)->append(reinterpret_cast<const char*>(data), n);
        return n;
    }, &error);
    EXPECT_NE(file, nullptr);
    GifColorType colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(file, true);
    EXPECT_EQ(EGifPutScreenDesc(file, 12, 10, 2, 0, map), GIF_OK);
    const GifByteType control[4] = {1, 0, 0, 3};   // see-through index 3
    EXPECT_EQ(EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, 4, control), GIF_OK);
    EXPECT_EQ(EGifPutImageDesc(file, 2, 3, 8, 6, interlaced, nullptr), GIF_OK);
    const int order[6] = {0, 4, 2, 1, 3, 5};   // the rows as an interlaced file holds them
    for (int i = 0; i < 6; ++i) {
        const int y = interlaced ? order[i] : i;
        GifPixelType line[8];
        for (int x = 0; x < 8; ++x)
            line[x] = GifPixelType((x + y) % 4);
        EXPECT_EQ(EGifPutLine(file, line, 8), GIF_OK);
    }
    EXPECT_EQ(EGifCloseFile(file, &error), GIF_OK);
    GifFreeMapObject(map);
    return out;
}

TEST(OwnPictureReaders, AGifsFirstFrameOnItsCanvas)
{
    for (bool interlaced : {false, true}) {
        const Read read = readWith([](auto... a) { logo::readGif(a...); }, gif(interlaced));
        ASSERT_EQ(read.size, (logo::Size{12, 10}));
        EXPECT_TRUE(read.alpha);
        const QRgb colours[3] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x) {
                const QRgb got = read.image.pixelColor(x, y).rgba();
                const bool inFrame = x >= 2 && x < 10 && y >= 3 && y < 9;
                const int index = inFrame ? (x - 2 + y - 3) % 4 : 3;
                if (index == 3)
                    EXPECT_EQ(qAlpha(got), 0) << x << "," << y << " interlaced " << interlaced;
                else
                    EXPECT_EQ(got, colours[index]) << x << "," << y << " interlaced " << interlaced;
            }
    }
}

QByteArray le32(int v) { QByteArray b(4, 0); qToLittleEndian<quint32>(quint32(v), b.data()); return b; }

TEST(OwnPictureReaders, RefuseAHugePictureFromItsHeader)
{
    // 40 bytes of BMP header claiming 20000 x 16 pixels of 24 bits.
    const QByteArray bmp = QByteArray("BM") + le32(54) + le32(0) + le32(54) + le32(40) + le32(20000) + le32(16)
        + QByteArray("\x01\x00\x18\x00", 4) + QByteArray(24, '\0');
    // A lossless WebP header of 16383 x 16383 pixels and nothing after it.
    const quint32 bits = 0x2f | (16382u << 8) | (quint32(16382 & 0x3ff) << 22);
    QByteArray vp8l = QByteArray("VP8L") + le32(5) + le32(int(bits)) + char(16382 >> 10);
    const QByteArray webp = QByteArray("RIFF") + le32(4 + vp8l.size() + 1) + QByteArray("WEBP") + vp8l + '\0';
    for (const QByteArray& data : {bmp, webp}) {
        try {
            logo::readPicture(data);
            ADD_FAILURE() << "read";
        } catch (const logo::LogoError& e) {
            EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos) << e.what();
        }
    }
}

QByteArray jpeg(int width, int height)
{
    formats::RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3, 128)};
    const std::vector<std::uint8_t> data = formats::encodeJpeg(image, 90);
    return QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
}

TEST(OwnPictureReaders, AJpegIsDecodedAtTheSmallestScaleThatGivesTheLeastSize)
{
    const QByteArray picture = jpeg(800, 400);
    const auto sizeFor = [&](logo::Size least) {
        logo::Size full, given;
        logo::readJpeg(
            bytesOf(picture), std::size_t(picture.size()), [&](logo::Size s, bool) { given = s; }, [](const std::uint8_t*) {},
            logo::kPictureLimits, [&](logo::Size s) {
                full = s;
                return least;
            });
        EXPECT_EQ(full, (logo::Size{800, 400})) << "asked with the full size";
        return given;
    };
    EXPECT_EQ(sizeFor({100, 50}), (logo::Size{100, 50}));
    EXPECT_EQ(sizeFor({101, 50}), (logo::Size{200, 100}));
    EXPECT_EQ(sizeFor({100, 51}), (logo::Size{200, 100}));
    EXPECT_EQ(sizeFor({700, 10}), (logo::Size{700, 350}));
    EXPECT_EQ(sizeFor({900, 10}), (logo::Size{800, 400})) << "never larger than the picture";
    EXPECT_EQ(sizeFor({}), (logo::Size{800, 400}));
}

} // namespace
