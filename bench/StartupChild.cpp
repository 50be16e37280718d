// The benchmark's start-up child: starts Tagomat 2 on the library in DIR,
// shows its main window until every control is painted, and reports
// "SHOWN <peak RSS in KiB>".
// A program of its own, linked like tagomat2 itself, so that the start-up
// is timed with the libraries the program loads and not with those the
// benchmark needs for its own work (the spray packs' zips).
//
//   tagomat2-bench-startup DIR

#include "Operations.h"
#include "ShownReport.h"

#include "app/Program.h"
#include "app/Unit1.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tagomat 2"));
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tagomat2-bench-startup DIR\n");
        return 2;
    }
    bench::PaintWatch paints;
    app::Program program;
    if (!bench::startProgram(program, args[0]))
        return 1;
    paints.waitForFirstPaint(program.mainWindow());   // every control, the pictures among them
    bench::reportShown();
    return 0;
}
