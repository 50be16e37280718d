#include "logo/LogoMaker.h"

#include "files/FileOps.h"
#include "logo/BmpReader.h"
#include "logo/GifReader.h"
#include "logo/JpegReader.h"
#include "logo/PngReader.h"
#include "logo/WebpReader.h"

#include <QBuffer>
#include <QImageReader>

#include <cstring>

namespace logo {
namespace {

constexpr int kSeeThroughIndex = 255;

[[noreturn]] void fail(const QString& what)
{
    throw LogoError(what.toStdString());
}

// The format of the common pictures from their first bytes, so that the
// reader loads only the one image plugin it needs (none for PNG and BMP,
// which Qt reads itself); empty when unsure, and the reader then asks every
// plugin. (JPEG never comes here.)
QByteArray sniffedFormat(const QByteArray& head)
{
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return "webp";
    return {};
}

QImage readFrom(QImageReader& reader, const PictureLimits& limits)
{
    const QByteArray format = reader.device() ? sniffedFormat(reader.device()->peek(16)) : QByteArray();
    if (!format.isEmpty()) {
        reader.setFormat(format);
        reader.setAutoDetectImageFormat(false);
    } else {
        reader.setDecideFormatFromContent(true);
    }
    // Megabytes, rounded up.
    reader.setAllocationLimit(int((limits.maxBytes() + (1 << 20) - 1) >> 20));
    reader.setAutoTransform(true);
    // Most formats tell their size from the header: refused before decoding.
    const QSize size = reader.size();
    if (size.isValid()) {
        const std::string problem = pictureSizeProblem(size.width(), size.height(), limits);
        if (!problem.empty())
            fail(QStringLiteral("cannot read the picture: %1").arg(QString::fromStdString(problem)));
    }
    QImage image = reader.read(); // the first frame of an animation
    if (image.isNull())
        fail(QStringLiteral("cannot read the picture: %1").arg(reader.errorString()));
    const std::string problem = pictureSizeProblem(image.width(), image.height(), limits);
    if (!problem.empty())
        fail(QStringLiteral("cannot read the picture: %1").arg(QString::fromStdString(problem)));
    return image;
}

// A picture through the own readers: Qt's would read on past the picture
// (its PNG reader allocates whatever size a damaged chunk after the pixels
// claims, 2 GB for a few hundred bytes), cap no JPEG scans, and load image
// plugins. A null picture when the reader left the file to Qt.
template <typename Read>
QImage readOwn(Read read, const std::uint8_t* data, std::size_t size, const PictureLimits& limits)
{
    QImage image;
    int y = 0;
    read(
        data, size,
        [&](Size picture, bool hasAlpha) {
            image = QImage(picture.width, picture.height, hasAlpha ? QImage::Format_RGBA8888 : QImage::Format_RGBX8888);
            if (image.isNull())
                fail(QStringLiteral("cannot read the picture: out of memory"));
        },
        [&](const std::uint8_t* row) { std::memcpy(image.scanLine(y++), row, std::size_t(image.width()) * 4); },
        limits);
    return image;
}

QImage readData(const QByteArray& data, const PictureLimits& limits)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    const std::size_t size = std::size_t(data.size());
    if (looksLikeJpeg(bytes, size))
        return readOwn([](auto... a) { readJpeg(a...); }, bytes, size, limits);
    if (looksLikePng(bytes, size))
        return readOwn([](auto... a) { readPng(a...); }, bytes, size, limits);
    if (looksLikeGif(bytes, size))
        return readOwn([](auto... a) { readGif(a...); }, bytes, size, limits);
    // A still WebP picture and an uncompressed BMP one; an animation and a
    // compressed BMP file go to Qt's reader.
    QImage own;
    if (looksLikeWebp(bytes, size))
        own = readOwn([](auto... a) { return readWebp(a...); }, bytes, size, limits);
    else if (looksLikeBmp(bytes, size))
        own = readOwn([](auto... a) { return readBmp(a...); }, bytes, size, limits);
    if (!own.isNull())
        return own;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readFrom(reader, limits);
}

} // namespace

QImage readPicture(const QString& path, const PictureLimits& limits)
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = files::readAll(path.toStdString(), files::kMaxPictureFileBytes);
    } catch (const files::FileError& e) {
        fail(QStringLiteral("cannot read the picture: %1").arg(QString::fromStdString(e.what())));
    }
    return readData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), limits);
}

QImage readPicture(const QByteArray& data, const PictureLimits& limits) { return readData(data, limits); }

Rgba toRgba(const QImage& image)
{
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    Rgba out;
    out.width = rgba.width();
    out.height = rgba.height();
    out.hasAlpha = image.hasAlphaChannel();
    out.bytes.resize(std::size_t(out.width) * out.height * 4);
    for (int y = 0; y < out.height; ++y)
        std::memcpy(out.row(y), rgba.constScanLine(y), std::size_t(out.width) * 4);
    return out;
}

formats::SprayLevels makeSpray(const QImage& picture, const LogoOptions& options)
{
    if (picture.isNull())
        fail(QStringLiteral("no picture"));
    // Converted once (no copy when it is in that format already), then
    // handed over a row at a time.
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    SprayMaker maker({rgba.width(), rgba.height()}, picture.hasAlphaChannel(), options);
    for (int y = 0; y < rgba.height(); ++y)
        maker.addRow(rgba.constScanLine(y));
    return maker.finish();
}

QImage sprayPicture(const formats::SprayLevels& spray)
{
    QImage image(spray.width, spray.height, QImage::Format_ARGB32);
    std::size_t i = 0;
    for (int y = 0; y < spray.height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < spray.width; ++x) {
            const int index = spray.levels[0][i++];
            line[x] = index == kSeeThroughIndex
                ? qRgba(0, 0, 0, 0)
                : qRgb(spray.palette[3 * index], spray.palette[3 * index + 1], spray.palette[3 * index + 2]);
        }
    }
    return image;
}

void writeLogoWad(const QString& path, const formats::SprayLevels& spray, files::Durability durability)
{
    writeLogoWad(path.toStdString(), spray, durability);
}

} // namespace logo
