// The right-button drag between the slot pictures of one window. It starts
// with the press (no movement threshold), holds the mouse while the button
// is down, shows by the cursor whether the widget under it takes a drop
// (only a slot picture does), and ends with the release of a button: over a
// slot picture it drops there, anywhere else nothing happens. Escape, the
// window or the program losing the mouse, or the source going away end it
// without a drop.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;
class TDBImage;

namespace slotedit {

class SlotDrag : public QObject {
    Q_OBJECT
public:
    explicit SlotDrag(QWidget* window);
    ~SlotDrag() override;

    // The mouse-down of a slot picture: a press with the right button held
    // starts dragging that picture; any other press does nothing.
    void mouseDown(TDBImage* picture, Qt::MouseButtons buttons);
    bool dragging() const { return active_; }

    // Whether a drop on `widget` is taken: exactly the slot pictures.
    static bool accepts(const QWidget* widget);

signals:
    void dropped(TDBImage* source, TDBImage* target);
    // A press and release on one picture, the mouse never over another
    // picture in between: the picture's menu is wanted (after the drop).
    void menuRequested(TDBImage* picture, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void start(TDBImage* source);
    void end();
    // The slot picture under a point given in `receiver`'s coordinates, when
    // `receiver` lies in our window; nullptr otherwise.
    TDBImage* pictureAt(QWidget* receiver, const QPoint& local) const;
    void showCursor(bool accepted);

    QWidget* window_;
    QPointer<TDBImage> source_;
    bool active_ = false;
    bool visitedOther_ = false; // the mouse went over another picture
};

} // namespace slotedit
