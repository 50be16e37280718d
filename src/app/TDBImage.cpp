#include "TDBImage.h"

#include <QKeyEvent>
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

void TDBImage::setSelected(bool on)
{
    if (selected_ == on)
        return;
    selected_ = on;
    update();
}

void TDBImage::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (!image_.isNull()) {
        painter.save();
        painter.setClipRect(contentsRect());
        const QRect area = contentsRect();
        const QPoint topLeft(area.x() + (area.width() - image_.width()) / 2,
                             area.y() + (area.height() - image_.height()) / 2);
        painter.drawImage(topLeft, image_);
        painter.restore();
    }
    if (selected_) {
        // Solid while the keys go to the slot, dashed while they go elsewhere.
        QPen pen(palette().color(QPalette::Highlight), 2, hasFocus() ? Qt::SolidLine : Qt::DashLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void TDBImage::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        emit keyPressed(this, event->key());
        event->accept();
        return;
    default:
        break;
    }
    QFrame::keyPressEvent(event);
}

void TDBImage::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    emit focused(this);
    update();
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

void TDBImage::focusOutEvent(QFocusEvent* event)
{
    QFrame::focusOutEvent(event);
    update();
}
