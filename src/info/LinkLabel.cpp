#include "LinkLabel.h"

#include <QMouseEvent>

namespace info {

LinkLabel::LinkLabel(const QString& text, PressLook look, QWidget* parent) : QLabel(text, parent), look_(look)
{
    setCursor(Qt::PointingHandCursor);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::blue);
    setPalette(pal);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    if (look_ == PressLook::PlainThenUnderline) {
        QFont f = font();
        f.setBold(false);
        f.setUnderline(false);
        setFont(f);
    }
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    if (look_ == PressLook::PlainThenUnderline) {
        QFont f = font();
        f.setBold(false);
        f.setUnderline(true);
        setFont(f);
    }
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace info
