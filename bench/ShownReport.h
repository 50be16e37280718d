// How the start-up children end their timed start: when every control of
// the window has had its first paint, one line "SHOWN <peak RSS in KiB>" on
// standard output, read by the benchmark. Both children stop at the same
// point: the paint a real start shows, not a second one into a picture.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QSet>
#include <QWidget>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace bench {

// Notes the widgets painted since it was made.
class PaintWatch : public QObject {
public:
    PaintWatch() { QCoreApplication::instance()->installEventFilter(this); }

    // Runs the event loop until every control of `window` that shows has
    // been painted once; a window that never gets there ends the child.
    void waitForFirstPaint(QWidget* window)
    {
        QElapsedTimer waited;
        waited.start();
        while (!allPainted(window)) {
            if (waited.elapsed() > 10000) {
                std::fprintf(stderr, "the window was never painted whole\n");
                std::exit(1);
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted_.insert(object);
        return false;
    }

private:
    bool allPainted(QWidget* window) const
    {
        if (!painted_.contains(window))
            return false;
        for (const QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisible() && !w->visibleRegion().isEmpty() && !painted_.contains(w))
                return false;
        return true;
    }

    QSet<const QObject*> painted_;
};

inline void reportShown()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("SHOWN %ld\n", usage.ru_maxrss);
    std::fflush(stdout);
}

} // namespace bench
