// The tests run on Qt's offscreen platform with every message box scripted.
// An argument --setenv=NAME=VALUE sets NAME before Qt starts (ctest runs the
// window text check so with several settings at once).
#include "app/MessageBox.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const char* prefix = "--setenv=";
        const char* value = std::strchr(argv[i], '=') ? std::strchr(argv[i] + std::strlen(prefix), '=') : nullptr;
        if (std::strncmp(argv[i], prefix, std::strlen(prefix)) == 0 && value) {
            const QByteArray name(argv[i] + std::strlen(prefix), int(value - argv[i] - std::strlen(prefix)));
            qputenv(name.constData(), QByteArray(value + 1));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tagomat 2"));
    app::MessageBox::setScripted(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
