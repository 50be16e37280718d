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
    shown_ = image.isNull() ? QImage()
                            : image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                            : QImage::Format_RGB32);
    update();
}

void TDBImage::setSelected(bool on)
{
    if (selected_ == on)
        return;
    selected_ = on;
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
    QPainter painter(this);
    const QRect area = contentsRect();
    if (!shown_.isNull()) {
        painter.save();
        painter.setClipRect(area);
        const QPoint topLeft(area.x() + (area.width() - shown_.width()) / 2,
                             area.y() + (area.height() - shown_.height()) / 2);
        painter.drawImage(topLeft, shown_);
        painter.restore();
    }
    if (!warning_.isEmpty())
        paintWarning(painter, area);
    if (marked_) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    if (selected_) {
        // Solid while the keys go to the slot, dashed while they go elsewhere.
        QPen pen(palette().color(QPalette::Highlight), 2, hasFocus() ? Qt::SolidLine : Qt::DashLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

// A yellow triangle with "!" in the top right corner.
void TDBImage::paintWarning(QPainter& painter, const QRect& area)
{
    painter.save();
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
    painter.restore();
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
