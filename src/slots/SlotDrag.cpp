#include "SlotDrag.h"

#include "app/TDBImage.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>

namespace slotedit {

SlotDrag::SlotDrag(QWidget* window) : QObject(window), window_(window) {}

SlotDrag::~SlotDrag()
{
    if (active_)
        end();
}

bool SlotDrag::accepts(const QWidget* widget) { return qobject_cast<const TDBImage*>(widget) != nullptr; }

void SlotDrag::mouseDown(TDBImage* picture, Qt::MouseButtons buttons)
{
    if (buttons.testFlag(Qt::RightButton) && !active_)
        start(picture);
}

void SlotDrag::start(TDBImage* source)
{
    source_ = source;
    active_ = true;
    visitedOther_ = false;
    // While a button is held the mouse events go to the pressed widget (or,
    // from a test, to any widget), so the whole program is watched.
    qApp->installEventFilter(this);
    QGuiApplication::setOverrideCursor(QCursor(Qt::DragMoveCursor));   // the source itself takes a drop
}

void SlotDrag::end()
{
    active_ = false;
    source_.clear();
    qApp->removeEventFilter(this);
    QGuiApplication::restoreOverrideCursor();
}

void SlotDrag::showCursor(bool accepted)
{
    QGuiApplication::changeOverrideCursor(QCursor(accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor));
}

TDBImage* SlotDrag::pictureAt(QWidget* receiver, const QPoint& local) const
{
    if (receiver->window() != window_)
        return nullptr;
    QWidget* under = window_->childAt(receiver->mapTo(window_, local));
    while (under && under != window_ && !accepts(under))
        under = under->parentWidget();
    return under && under != window_ ? qobject_cast<TDBImage*>(under) : nullptr;
}

bool SlotDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (!active_)
        return false;
    if (source_.isNull()) {   // the dragged picture went away
        end();
        return false;
    }
    // Window-system objects see the mouse before the widgets do; the widgets
    // are the ones that count.
    QWidget* widget = watched->isWidgetType() ? static_cast<QWidget*>(watched) : nullptr;
    const bool ours = widget && widget->window() == window_;
    switch (event->type()) {
    case QEvent::MouseMove: {
        if (!widget)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() == Qt::NoButton) {   // the release happened where we could not see it
            end();
            return false;
        }
        TDBImage* under = pictureAt(widget, mouse->position().toPoint());
        if (under && under != source_)
            visitedOther_ = true;
        showCursor(under != nullptr);
        return ours;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::ContextMenu:
        // The drag holds the mouse: other buttons don't reach the controls.
        return ours;
    case QEvent::MouseButtonRelease: {
        if (!widget)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        TDBImage* target = pictureAt(widget, mouse->position().toPoint());
        TDBImage* source = source_;
        const bool menu = target == source && !visitedOther_ && mouse->button() == Qt::RightButton;
        end();
        if (target)
            emit dropped(source, target);
        if (menu)
            emit menuRequested(source, mouse->globalPosition().toPoint());
        return ours;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            end();
            return true;
        }
        return false;
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        if (watched == window_ || watched == source_)
            end();
        return false;
    case QEvent::ApplicationDeactivate:
        end();
        return false;
    default:
        return false;
    }
}

} // namespace slotedit
