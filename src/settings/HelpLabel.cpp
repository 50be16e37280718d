#include "HelpLabel.h"

#include <QMouseEvent>

namespace settings {

HelpLabel::HelpLabel(QWidget* parent) : QLabel(QStringLiteral("Help"), parent)
{
    QFont f = font();
    f.setBold(true);
    setFont(f);
    setCursor(Qt::WhatsThisCursor);
    setToolTip(QStringLiteral("Click for help"));
}

void HelpLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace settings
