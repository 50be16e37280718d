#include "ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace app {

namespace {

// Draws `image` on a 16 x 16 grid (the painter scales it to the pixmap).
void draw(QPainter& p, ToolbarImage image)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black, 2.5, Qt::SolidLine, Qt::SquareCap);
    p.setPen(pen);
    switch (image) {
    case ToolbarImage::Plus:
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case ToolbarImage::Minus:
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case ToolbarImage::Arrows: {
        p.setPen(QPen(QColor(0, 0, 160), 1.8));
        p.drawArc(QRectF(3, 3, 10, 10), 30 * 16, 150 * 16);
        p.drawArc(QRectF(3, 3, 10, 10), 210 * 16, 150 * 16);
        p.setBrush(QColor(0, 0, 160));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(11, 1), QPointF(15, 5), QPointF(10, 6)}));
        p.drawPolygon(QPolygonF({QPointF(5, 15), QPointF(1, 11), QPointF(6, 10)}));
        break;
    }
    case ToolbarImage::Check:
        p.setPen(QPen(QColor(0, 128, 0), 2.5));
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(7, 12), QPointF(13, 3)}));
        break;
    case ToolbarImage::BlackCross:
    case ToolbarImage::RedCross:
        if (image == ToolbarImage::RedCross)
            p.setPen(QPen(QColor(200, 0, 0), 2.5));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
}

} // namespace

QIcon toolbarIcon(ToolbarImage image)
{
    // Drawn afresh for each common device pixel ratio, so that the icons stay
    // sharp on a scaled screen.
    QIcon icon;
    for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 3.0}) {
        const int side = qRound(16 * ratio);
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        {
            QPainter p(&pixmap);
            p.scale(side / 16.0, side / 16.0);
            draw(p, image);
        }
        pixmap.setDevicePixelRatio(ratio);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace app
