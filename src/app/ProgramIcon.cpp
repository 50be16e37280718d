#include "ProgramIcon.h"

#include "BuiltInPicture.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

#include <array>

namespace app {

namespace {

constexpr std::array<int, 6> kSizes = {16, 32, 48, 64, 128, 256};

// Reads a size's picture only when the platform or a window asks for it:
// decoding all six at start would delay the main window's first paint.
class ProgramIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new ProgramIconEngine; }
    QString key() const override { return QStringLiteral("tagomat2-program"); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = scaledPixmap(rect.size() * ratio, mode, state, ratio);
        painter->drawPixmap(rect, pm);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        if (side <= 0)
            return QPixmap();
        const int file = fileFor(side);
        QPixmap pm;
        const QString cacheKey = QStringLiteral("tagomat2-program-%1").arg(file);
        if (!QPixmapCache::find(cacheKey, &pm)) {
            pm = QPixmap::fromImage(builtInPicture(QStringLiteral(":/icons/tagomat2-%1.png").arg(file)));
            QPixmapCache::insert(cacheKey, pm);
        }
        if (pm.isNull() || file <= side)
            return pm;
        return pm.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = qMin(size.width(), size.height());
        return side <= 0 ? QSize() : QSize(qMin(side, kSizes.back()), qMin(side, kSizes.back()));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : kSizes)
            sizes << QSize(size, size);
        return sizes;
    }

private:
    // The smallest picture at least `side` wide, else the largest.
    static int fileFor(int side)
    {
        for (int size : kSizes)
            if (size >= side)
                return size;
        return kSizes.back();
    }
};

} // namespace

QIcon programIcon()
{
    return QIcon(new ProgramIconEngine);
}

} // namespace app
