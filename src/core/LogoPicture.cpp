#include "LogoPicture.h"

#include "files/FileOps.h"
#include "files/ReadLimits.h"
#include "formats/Wad3.h"

namespace core {

QImage logoPicture(const QString& wadPath)
{
    const std::vector<std::uint8_t> wad = files::readAll(wadPath.toStdString(), files::kMaxWadBytes);
    const formats::WadPicture picture = formats::readWadPicture(wad.data(), wad.size());
    const bool seeThrough = picture.type == formats::kWadMipTexture;
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    std::size_t i = 0;
    for (int y = 0; y < picture.height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const int index = picture.indices[i++];
            const std::uint8_t* c = &picture.palette[3 * index];
            line[x] = seeThrough && index == 255 ? qRgba(0, 0, 0, 0) : qRgb(c[0], c[1], c[2]);
        }
    }
    return image;
}

} // namespace core
