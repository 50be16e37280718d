#include "ToolbarIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

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
    case ToolbarImage::More:
        p.setPen(QPen(Qt::black, 1.5));
        p.drawPolyline(QPolygonF({QPointF(4, 4), QPointF(8, 8), QPointF(4, 12)}));
        p.drawPolyline(QPolygonF({QPointF(9, 4), QPointF(13, 8), QPointF(9, 12)}));
        break;
    }
}

// Draws the image at the size asked for, so that the icons stay sharp at
// every device pixel ratio; nothing is drawn before a button is painted.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(ToolbarImage image) : image_(image) {}

    QIconEngine* clone() const override { return new DrawnIconEngine(image_); }
    QString key() const override { return QStringLiteral("tagomat2-toolbar"); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = scaledPixmap(rect.size() * ratio, mode, state, ratio);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        if (side <= 0)
            return QPixmap();
        // The disabled and selected looks follow the palette.
        const QString cacheKey = QStringLiteral("tagomat2-toolbar-%1-%2-%3-%4")
                                     .arg(int(image_))
                                     .arg(side)
                                     .arg(int(mode))
                                     .arg(mode == QIcon::Normal ? 0 : QApplication::palette().cacheKey());
        QPixmap pixmap;
        if (QPixmapCache::find(cacheKey, &pixmap))
            return pixmap;
        pixmap = QPixmap(side, side);
        pixmap.fill(Qt::transparent);
        {
            QPainter p(&pixmap);
            p.scale(side / 16.0, side / 16.0);
            draw(p, image_);
        }
        // A disabled or selected button shows the image the style makes of
        // it, as for any other icon.
        if (mode != QIcon::Normal) {
            QStyleOption option;
            option.palette = QApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
            if (!generated.isNull())
                pixmap = generated;
        }
        QPixmapCache::insert(cacheKey, pixmap);
        return pixmap;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(16, 16)}; }

private:
    ToolbarImage image_;
};

} // namespace

QIcon toolbarIcon(ToolbarImage image)
{
    return QIcon(new DrawnIconEngine(image));
}

} // namespace app
