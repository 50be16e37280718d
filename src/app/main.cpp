#include "Program.h"
#include "handover/OpenFile.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
    if (!platformChosen && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "Tagomat 2 needs a graphical display, and none is set (DISPLAY and WAYLAND_DISPLAY are empty).\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tagomat 2"));

    app::Program program;
    program.setFilesToOpen(handover::fileArguments(QApplication::arguments()));
    if (!program.create())
        return program.handedOver() ? 0 : 1;
    program.show();
    return application.exec();
}
