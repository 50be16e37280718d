#include "PictureField.h"

#include "formats/Bmp.h"

#include <QtEndian>

namespace store {

namespace {
constexpr int kHeaderSize = 8;
constexpr quint16 kCount = 1;
constexpr quint16 kType = 0x0100;
}

QByteArray wrapPicture(const QByteArray& bitmap)
{
    QByteArray field(kHeaderSize, '\0');
    uchar* header = reinterpret_cast<uchar*>(field.data());
    qToLittleEndian<quint16>(kCount, header);
    qToLittleEndian<quint16>(kType, header + 2);
    qToLittleEndian<quint32>(static_cast<quint32>(bitmap.size()), header + 4);
    return field + bitmap;
}

QByteArray unwrapPicture(const QByteArray& field)
{
    if (field.size() >= kHeaderSize) {
        const uchar* header = reinterpret_cast<const uchar*>(field.constData());
        if (qFromLittleEndian<quint16>(header) == kCount && qFromLittleEndian<quint16>(header + 2) == kType
            && qFromLittleEndian<quint32>(header + 4) == static_cast<quint32>(field.size() - kHeaderSize))
            return field.mid(kHeaderSize);
    }
    return field;
}

QImage pictureImage(const QByteArray& field)
{
    if (field.isEmpty())
        return QImage();
    const QByteArray bitmap = unwrapPicture(field);
    try {
        formats::RgbImage rgb = formats::decodeBmp(reinterpret_cast<const std::uint8_t*>(bitmap.constData()),
                                                   static_cast<std::size_t>(bitmap.size()));
        QImage image(rgb.width, rgb.height, QImage::Format_RGB888);
        for (int y = 0; y < rgb.height; ++y)
            memcpy(image.scanLine(y), rgb.rgb.data() + static_cast<size_t>(y) * rgb.width * 3,
                   static_cast<size_t>(rgb.width) * 3);
        return image;
    } catch (const std::exception&) {
        return QImage();
    }
}

QByteArray pictureFromImage(const QImage& image)
{
    const QImage rgbImage = image.convertToFormat(QImage::Format_RGB888);
    formats::RgbImage rgb;
    rgb.width = rgbImage.width();
    rgb.height = rgbImage.height();
    rgb.rgb.resize(static_cast<size_t>(rgb.width) * rgb.height * 3);
    for (int y = 0; y < rgb.height; ++y)
        memcpy(rgb.rgb.data() + static_cast<size_t>(y) * rgb.width * 3, rgbImage.constScanLine(y),
               static_cast<size_t>(rgb.width) * 3);
    return pictureFromRgb(rgb);
}

QByteArray pictureFromRgb(const formats::RgbImage& image)
{
    const std::vector<std::uint8_t> bmp = formats::encodeBmp24(image);
    return wrapPicture(QByteArray(reinterpret_cast<const char*>(bmp.data()), static_cast<qsizetype>(bmp.size())));
}

} // namespace store
