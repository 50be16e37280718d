// tagomat2-dbsetup DIR: puts the missing tables of Tagomat 2 in place in DIR
// and leaves every existing one as it is.

#include "store/Installer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tagomat2-dbsetup DIR\n");
        return 2;
    }
    const QString dir = QDir::cleanPath(QString::fromLocal8Bit(argv[1]));
    if (!QFileInfo(dir).isDir()) {
        std::fprintf(stderr, "tagomat2-dbsetup: %s is not a directory\n", qPrintable(dir));
        return 1;
    }
    const store::InstallReport report = store::installTables(dir);
    for (const QString& path : report.created)
        std::printf("created %s\n", qPrintable(path));
    for (const QString& path : report.keptAsTheyWere)
        std::printf("%s exists already; it is left as it is\n", qPrintable(path));
    for (const QString& line : report.failures)
        std::fprintf(stderr, "tagomat2-dbsetup: cannot create %s\n", qPrintable(line));
    return report.failures.isEmpty() ? 0 : 1;
}
