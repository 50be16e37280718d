// The yardstick of the start-up figures: the least a Qt Widgets program
// does before its window is painted (a main window with a menu bar and one
// label, the size of Tagomat 2's), built with the same Qt and flags.
// It reports like the benchmark's start-up child: "SHOWN <peak RSS in KiB>".
//
//   tagomat2-bare [--fonts]
//
// With --fonts the window also shows a line in each of the five faces
// Tagomat 2's main window is drawn in (Liberation Sans at 11 pixels, and
// bold at 11, 12, 13 underlined and 17): the part of its start-up that its
// look alone costs.

#include "ShownReport.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QVBoxLayout>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    bench::PaintWatch paints;
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    auto* central = new QWidget;
    auto* lines = new QVBoxLayout(central);
    lines->addWidget(new QLabel(QStringLiteral("Tagomat 2")));
    if (argc > 1 && std::strcmp(argv[1], "--fonts") == 0) {
        struct Face {
            int pixels;
            bool bold, underline;
        };
        for (const Face face : {Face{11, false, false}, Face{11, true, false}, Face{12, true, false}, Face{13, true, true},
                                Face{17, true, false}}) {
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPixelSize(face.pixels);
            font.setBold(face.bold);
            font.setUnderline(face.underline);
            auto* line = new QLabel(QStringLiteral("Page Title: For logo's visit us at"));
            line->setFont(font);
            lines->addWidget(line);
        }
    }
    window.setCentralWidget(central);
    window.resize(703, 397);
    window.show();
    QApplication::processEvents();
    paints.waitForFirstPaint(&window);
    bench::reportShown();
    return 0;
}
