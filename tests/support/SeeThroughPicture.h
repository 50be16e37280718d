// A picture in one colour whose left half is fully see-through: the shape
// the logo tests check transparency with.
#pragma once

#include <QImage>
#include <QPainter>

inline QImage leftHalfSeeThrough(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(0, 0, width / 2, height, Qt::transparent);
    return image;
}
