#include "logo/LogoMaker.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cstring>

namespace logo {
namespace {

constexpr int kSeeThroughIndex = 255;
constexpr int kAllocationLimitMb = 256;

[[noreturn]] void fail(const QString& what)
{
    throw LogoError(what.toStdString());
}

// The format of the common pictures from their first bytes, so that the
// reader loads only the one image plugin it needs (none for PNG and BMP,
// which Qt reads itself); empty when unsure, and the reader then asks every
// plugin.
QByteArray sniffedFormat(const QByteArray& head)
{
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (head.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return "webp";
    return {};
}

QImage readFrom(QImageReader& reader)
{
    const QByteArray format = reader.device() ? sniffedFormat(reader.device()->peek(16)) : QByteArray();
    if (!format.isEmpty()) {
        reader.setFormat(format);
        reader.setAutoDetectImageFormat(false);
    } else {
        reader.setDecideFormatFromContent(true);
    }
    reader.setAllocationLimit(kAllocationLimitMb);
    QImage image = reader.read(); // the first frame of an animation
    if (image.isNull())
        fail(QStringLiteral("cannot read the picture: %1").arg(reader.errorString()));
    return image;
}

} // namespace

QImage readPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read the picture: %1").arg(file.errorString()));
    QImageReader reader(&file);
    return readFrom(reader);
}

QImage readPicture(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readFrom(reader);
}

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
