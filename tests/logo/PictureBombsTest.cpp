// Small files that claim huge pictures, and JPEG files that would take
// minutes, are refused before they cost memory or time; a photograph's
// EXIF orientation is applied.
#include "formats/Jpeg.h"
#include "logo/JpegReader.h"
#include "logo/LogoMaker.h"
#include "logo/PngReader.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray le16(int v) { QByteArray b(2, 0); qToLittleEndian<quint16>(quint16(v), b.data()); return b; }
QByteArray le32(int v) { QByteArray b(4, 0); qToLittleEndian<quint32>(quint32(v), b.data()); return b; }
QByteArray be32(quint32 v) { QByteArray b(4, 0); qToBigEndian<quint32>(v, b.data()); return b; }

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray body = QByteArray(type) + data;
    // The CRC of zlib, as qChecksum has none.
    quint32 crc = 0xffffffffu;
    for (char c : body) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? 0xedb88320u ^ (crc >> 1) : crc >> 1;
    }
    return be32(quint32(data.size())) + body + be32(~crc);
}

// A grey PNG of width x height, all black: a few kilobytes.
QByteArray blackPng(int width, int height)
{
    const QByteArray rows(qsizetype(width + 1) * height, '\0');
    const QByteArray zlib = qCompress(rows, 9).mid(4); // qCompress puts the length first
    return QByteArray("\x89PNG\r\n\x1a\n", 8)
        + pngChunk("IHDR", be32(quint32(width)) + be32(quint32(height)) + QByteArray("\x08\x00\x00\x00\x00", 5))
        + pngChunk("IDAT", zlib) + pngChunk("IEND", {});
}

// 43 bytes: an 8192 x 8192 screen holding one pixel.
QByteArray gifWithHugeScreen()
{
    return QByteArray("GIF89a") + le16(8192) + le16(8192) + QByteArray("\x80\x00\x00\x00\x00\x00\xff\xff\xff,", 10)
        + le16(0) + le16(0) + le16(1) + le16(1) + QByteArray("\x00\x02\x02\x44\x01\x00;", 7);
}

// A 256-colour RLE bitmap of 8192 x 8192 that ends at once: about 1 KB.
QByteArray rleBmp(int side)
{
    const QByteArray palette(1024, '\0');
    const QByteArray pixels("\x00\x01", 2);
    const int offset = 14 + 40 + palette.size();
    return QByteArray("BM") + le32(offset + pixels.size()) + le32(0) + le32(offset) + le32(40) + le32(side) + le32(side)
        + le16(1) + le16(8) + le32(1) + le32(pixels.size()) + le32(2835) + le32(2835) + le32(256) + le32(0) + palette
        + pixels;
}

// A progressive JPEG whose shortest scan after the first is repeated.
QByteArray jpegWithScans(int repeats)
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    EXPECT_TRUE(writer.write(image));
    const QByteArray jpeg = buffer.data();
    QList<QByteArray> segments; // after SOI, before EOI; a scan with its data
    for (qsizetype i = 2; i + 4 <= jpeg.size() && quint8(jpeg[i + 1]) != 0xd9;) {
        qsizetype j = i + 2 + (quint8(jpeg[i + 2]) << 8 | quint8(jpeg[i + 3]));
        if (quint8(jpeg[i + 1]) == 0xda)
            while (j + 1 < jpeg.size() && !(quint8(jpeg[j]) == 0xff && jpeg[j + 1] != 0 && (quint8(jpeg[j + 1]) & 0xf8) != 0xd0))
                ++j;
        segments << jpeg.mid(i, j - i);
        i = j;
    }
    QByteArray shortest;
    bool first = true;
    for (const QByteArray& s : segments) {
        if (quint8(s[1]) != 0xda)
            continue;
        if (!first && (shortest.isEmpty() || s.size() < shortest.size()))
            shortest = s;
        first = false;
    }
    EXPECT_FALSE(shortest.isEmpty()) << "not progressive";
    return jpeg.left(2) + segments.join() + shortest.repeated(repeats) + QByteArray("\xff\xd9", 2);
}

std::string refusal(const QByteArray& data)
{
    try {
        logo::readPicture(data);
    } catch (const logo::LogoError& e) {
        return e.what();
    }
    return "read";
}

TEST(PictureBombs, RefusedBeforeTheyCostMemoryOrTime)
{
    const QByteArray wide = blackPng(20000, 16);
    EXPECT_NE(refusal(wide).find("too large (20000x16)"), std::string::npos) << refusal(wide);
    try {
        logo::readPng(reinterpret_cast<const std::uint8_t*>(wide.constData()), std::size_t(wide.size()),
                      [](logo::Size, bool) { ADD_FAILURE() << "started"; }, [](const std::uint8_t*) {});
        ADD_FAILURE() << "read";
    } catch (const logo::LogoError& e) {
        EXPECT_NE(std::string(e.what()).find("at most 16384 pixels on a side"), std::string::npos) << e.what();
    }
    EXPECT_EQ(refusal(blackPng(16384, 16)), "read") << "the largest side is taken";

    EXPECT_NE(refusal(gifWithHugeScreen()), "read");
    EXPECT_NE(refusal(rleBmp(8192)).find("too large (8192x8192)"), std::string::npos) << refusal(rleBmp(8192));
    EXPECT_NE(refusal(jpegWithScans(300)).find("more than 256 scans"), std::string::npos);
    EXPECT_EQ(refusal(jpegWithScans(100)), "read");
}

// A 64 x 32 JPEG, red above and blue below, saying it is to be turned.
QByteArray turnedJpeg(int orientation)
{
    formats::RgbImage image{64, 32, {}};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            image.rgb.insert(image.rgb.end(), {std::uint8_t(y < 16 ? 255 : 0), 0, std::uint8_t(y < 16 ? 0 : 255)});
    const std::vector<std::uint8_t> jpeg = formats::encodeJpeg(image, 95);
    // Big-endian TIFF, one entry: Orientation (0x0112), SHORT, 1 value.
    const QByteArray tiff = QByteArray("MM\x00\x2a\x00\x00\x00\x08\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01", 18)
        + char(0) + char(orientation) + QByteArray(6, '\0');
    const QByteArray app1 = QByteArray("Exif\0\0", 6) + tiff;
    const QByteArray segment = QByteArray("\xff\xe1", 2) + char((app1.size() + 2) >> 8) + char((app1.size() + 2) & 0xff) + app1;
    return QByteArray(reinterpret_cast<const char*>(jpeg.data()), 2) + segment
        + QByteArray(reinterpret_cast<const char*>(jpeg.data()) + 2, qsizetype(jpeg.size()) - 2);
}

TEST(PictureOrientation, AJpegTurnedAsItsExifSays)
{
    const auto isRed = [](QRgb c) { return qRed(c) > 200 && qBlue(c) < 60; };
    const auto isBlue = [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 60; };

    const QImage upright = logo::readPicture(turnedJpeg(1));
    ASSERT_EQ(upright.size(), QSize(64, 32));
    EXPECT_TRUE(isRed(upright.pixel(32, 4)));

    // 6: turned a quarter right, so the top (red) comes to the right.
    const QImage right = logo::readPicture(turnedJpeg(6));
    ASSERT_EQ(right.size(), QSize(32, 64));
    EXPECT_TRUE(isRed(right.pixel(28, 32))) << std::hex << right.pixel(28, 32);
    EXPECT_TRUE(isBlue(right.pixel(3, 32))) << std::hex << right.pixel(3, 32);

    // 8: a quarter left, the top to the left; 3: upside down.
    const QImage left = logo::readPicture(turnedJpeg(8));
    ASSERT_EQ(left.size(), QSize(32, 64));
    EXPECT_TRUE(isRed(left.pixel(3, 32)));
    const QImage down = logo::readPicture(turnedJpeg(3));
    ASSERT_EQ(down.size(), QSize(64, 32));
    EXPECT_TRUE(isBlue(down.pixel(32, 4)));
    EXPECT_FALSE(down.hasAlphaChannel());
}

} // namespace
