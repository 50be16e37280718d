#include "BuiltInPicture.h"

#include "logo/PngReader.h"

#include <QFile>

#include <exception>

namespace app {

QImage builtInPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const QByteArray data = file.readAll();
    QImage image;
    int y = 0;
    try {
        logo::readPng(
            reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size()),
            // As Qt's reader gives it, so that it converts as theirs does.
            [&](logo::Size size, bool) { image = QImage(size.width, size.height, QImage::Format_ARGB32); },
            [&](const std::uint8_t* row) {
                auto* line = reinterpret_cast<QRgb*>(image.scanLine(y++));
                for (int x = 0; x < image.width(); ++x, row += 4)
                    line[x] = qRgba(row[0], row[1], row[2], row[3]);
            });
    } catch (const std::exception&) {
        return QImage();
    }
    return image;
}

} // namespace app
