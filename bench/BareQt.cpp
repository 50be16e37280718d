// The yardstick of the start-up figures: the least a Qt Widgets program
// does before its window is painted (a main window with a menu bar and one
// label, the size of Tagomat 2's), built with the same Qt and flags.
// It reports like the benchmark's start-up child: "SHOWN <peak RSS in KiB>".

#include "ShownReport.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    bench::PaintWatch paints;
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.setCentralWidget(new QLabel(QStringLiteral("Tagomat 2")));
    window.resize(703, 397);
    window.show();
    QApplication::processEvents();
    paints.waitForFirstPaint(&window);
    bench::reportShown();
    return 0;
}
