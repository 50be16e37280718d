#include "TDBImage.h"

#include <QMouseEvent>
#include <QPainter>

TDBImage::TDBImage(int slot, QWidget* parent) : QFrame(parent), slot_(slot)
{
    setObjectName(QStringLiteral("DBImage%1").arg(slot));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setToolTip(usage());
}

QString TDBImage::usage() { return QStringLiteral("Double click to install, right click to drag."); }

void TDBImage::setWarning(const QStringList& reasons)
{
    if (reasons == warning_)
        return;
    warning_ = reasons;
    setToolTip(reasons.isEmpty() ? usage()
                                 : QStringLiteral("The game will not show this spray:\n") + reasons.join(QLatin1Char('\n')));
    update();
}

void TDBImage::setImage(const QImage& image)
{
    image_ = image;
    update();
}

void TDBImage::setMarked(bool on)
{
    if (marked_ == on)
        return;
    marked_ = on;
    update();
}

void TDBImage::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (marked_) {
        QPainter frame(this);
        frame.setPen(QPen(palette().color(QPalette::Highlight), 3));
        frame.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    if (image_.isNull() && warning_.isEmpty())
        return;
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    const QRect area = contentsRect();
    const QPoint topLeft(area.x() + (area.width() - image_.width()) / 2, area.y() + (area.height() - image_.height()) / 2);
    painter.drawImage(topLeft, image_);
    if (!warning_.isEmpty())
        paintWarning(painter, area);
}

// A yellow triangle with "!" in the top right corner.
void TDBImage::paintWarning(QPainter& painter, const QRect& area)
{
    const QRectF mark(area.right() - 18, area.top() + 3, 16, 15);
    const QPolygonF triangle({QPointF(mark.center().x(), mark.top()), mark.bottomRight(), mark.bottomLeft()});
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 200, 0));
    painter.drawPolygon(triangle);
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(11);
    painter.setFont(bold);
    painter.drawText(mark.adjusted(0, 3, 0, 0), Qt::AlignCenter, QStringLiteral("!"));
}

void TDBImage::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    emit mouseDown(this, event->buttons(), event->modifiers());
    event->accept();
}

void TDBImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(this);
    event->accept();
}
