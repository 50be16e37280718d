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
    // The bytes of argv as they are (Qt has taken its own options out): a
    // name decoded lossily could name another file.
    const handover::FileArguments files = handover::readFileArguments(handover::rawArguments(argc, argv));
    program.setFilesToOpen(files.files);
    program.setRefusedFiles(files.refused);
    if (!program.create())
        return program.handedOver() ? 0 : 1;
    program.show();
    return application.exec();
}
