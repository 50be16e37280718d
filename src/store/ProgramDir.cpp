#include "ProgramDir.h"

#include "Installer.h"
#include "Records.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace store {

namespace {

QString& overrideDir()
{
    static QString dir;
    return dir;
}

QString executableDir() { return QCoreApplication::applicationDirPath(); }

QString prefixDir() { return QDir::cleanPath(executableDir() + QStringLiteral("/..")); }

QString layoutProgramDir()
{
    if (layout() == Layout::Portable)
        return executableDir();
    return installedDataFolder();
}

} // namespace

QString installedDataFolder()
{
    // XDG_DATA_HOME counts only as a full path: a relative one would put the
    // library wherever the program happens to be started.
    const QString home = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    if (!home.isEmpty() && QDir::isRelativePath(home))
        return QDir::homePath() + QStringLiteral("/.local/share/tagomat2");
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tagomat2");
}

QString programDir()
{
    QString dir = overrideDir().isEmpty() ? layoutProgramDir() : overrideDir();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

void setProgramDir(const QString& dir) { overrideDir() = dir; }

QString programFile(const QString& name) { return programDir() + QLatin1Char('/') + name; }

QString logoWadPath(const QString& title) { return programFile(title + QStringLiteral(".wad")); }

TitleFault titleFault(const QString& title)
{
    if (title.contains(QLatin1Char('/')) || title.contains(QLatin1Char('\\')))
        return TitleFault::Separator;
    if (title == QLatin1String(".") || title == QLatin1String(".."))
        return TitleFault::DotName;
    for (const QChar c : title) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            return TitleFault::ControlCharacter;
    }
    return TitleFault::None;
}

bool titleNamesFile(const QString& title) { return titleFault(title) == TitleFault::None; }

QString checkedLogoWadPath(const QString& title)
{
    if (!titleNamesFile(title))
        throw TitleError(QStringLiteral("The logo title \"%1\" does not name a file in the program directory; no file was touched.")
                             .arg(title).toStdString());
    return logoWadPath(title);
}

Layout layoutOf(const QString& dir)
{
    // Any one of the tables makes the folder a library: one that lacks the
    // others is a damaged library, reported as such, not a reason to open
    // another library elsewhere.
    bool holdsLibrary = QFileInfo::exists(dir + QStringLiteral("/portable"));
    for (const TableDef& def : {logoTableDef(), configTableDef(), switchTableDef()})
        holdsLibrary = holdsLibrary || QFileInfo::exists(dir + QLatin1Char('/') + def.fileName());
    return QFileInfo(dir).isWritable() && holdsLibrary ? Layout::Portable : Layout::Installed;
}

Layout layout()
{
    if (!overrideDir().isEmpty())
        return Layout::Portable;
    static const Layout decided = layoutOf(executableDir());
    return decided;
}

QString toolDir()
{
    return layout() == Layout::Portable ? programDir() : prefixDir() + QStringLiteral("/libexec/tagomat2");
}

QString toolFile(const QString& base)
{
#ifdef Q_OS_WIN
    return toolDir() + QLatin1Char('/') + base + QStringLiteral(".exe");
#else
    return toolDir() + QLatin1Char('/') + base;
#endif
}

QString emptyBitmapPath()
{
    if (layout() == Layout::Portable)
        return programFile(QStringLiteral("empty.bmp"));
    return prefixDir() + QStringLiteral("/share/tagomat2/empty.bmp");
}

bool makeProgramDir(QString* error)
{
    if (layout() == Layout::Portable)
        return true;   // as it was built or unpacked; start-up reports what is wrong with it
    const QString dir = programDir();
    if (!QDir().mkpath(dir)) {
        *error = QStringLiteral("Tagomat 2 cannot create its program directory %1, where it keeps your logos. "
                                "Make its parent folder writable and start Tagomat 2 again.")
                     .arg(dir);
        return false;
    }
    return true;
}

bool installMissingTables(QString* error)
{
    if (layout() == Layout::Portable)
        return true;
    const QString dir = programDir();
    const InstallReport report = installTables(dir);
    if (!report.failures.isEmpty()) {
        *error = programDirDiskFull()
                     ? QStringLiteral("The disk that holds %1 is full: Tagomat 2 cannot put its tables in place. "
                                      "Make room on it and start Tagomat 2 again.")
                           .arg(dir)
                     : QStringLiteral("Tagomat 2 cannot put its tables in place in %1:\n%2")
                           .arg(dir, report.failures.join(QLatin1Char('\n')));
        return false;
    }
    return true;
}

bool programDirDiskFull()
{
    const QStorageInfo volume(programDir());
    return volume.isValid() && volume.isReady() && volume.bytesAvailable() < 4096;
}

} // namespace store
