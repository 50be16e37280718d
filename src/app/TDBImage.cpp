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
    setToolTip(QStringLiteral("Double click to install, right click to drag."));
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
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    const QRect area = contentsRect();
    const QPoint topLeft(area.x() + (area.width() - image_.width()) / 2, area.y() + (area.height() - image_.height()) / 2);
    painter.drawImage(topLeft, image_);
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
