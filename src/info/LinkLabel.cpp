#include "LinkLabel.h"

#include <QMouseEvent>

#include <algorithm>

namespace info {

LinkLabel::LinkLabel(const QString& text, PressLook look, QWidget* parent) : QLabel(text, parent), look_(look)
{
    setCursor(Qt::PointingHandCursor);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    setPalette(pal);
}

void LinkLabel::place(int x, int y, int width, int height)
{
    setGeometry(x, y, std::max(width, sizeHint().width()), height);
}

void LinkLabel::setStyle(bool bold, bool underline)
{
    QFont f = font();
    f.setBold(bold);
    f.setUnderline(underline);
    setFont(f);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    if (look_ == PressLook::PlainThenUnderline)
        setStyle(false, false);
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    pressed_ = false;
    if (look_ == PressLook::PlainThenUnderline)
        setStyle(false, true);
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace info
