#include "ProgramLayout.h"

#include "Installer.h"
#include "LogoFile.h"
#include "Records.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace store {

namespace {
QString executableDir()
{
    return QCoreApplication::applicationDirPath();
}

QString prefixDir()
{
    return QDir::cleanPath(executableDir() + QStringLiteral("/.."));
}
} // namespace

namespace detail {
// Used by programDir(): the directory the layout gives, without the tests' override.
QString layoutProgramDir();
bool programDirOverridden();
}

Layout layout()
{
    if (detail::programDirOverridden())
        return Layout::Portable;
    static const Layout decided = [] {
        const QString dir = executableDir();
        const QFileInfo info(dir);
        const bool holdsLibrary = QFileInfo::exists(dir + QLatin1Char('/') + configTableDef().fileName())
            || QFileInfo::exists(dir + QStringLiteral("/portable"));
        return info.isWritable() && holdsLibrary ? Layout::Portable : Layout::Installed;
    }();
    return decided;
}

QString detail::layoutProgramDir()
{
    if (layout() == Layout::Portable)
        return executableDir();
    // Honours XDG_DATA_HOME, and falls back to ~/.local/share.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/tagomat2");
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

QString iconPath()
{
    const QString installed = prefixDir() + QStringLiteral("/share/icons/hicolor/scalable/apps/tagomat2.svg");
    if (QFileInfo::exists(installed))
        return installed;
    const QString beside = executableDir() + QStringLiteral("/tagomat2.svg");
    return QFileInfo::exists(beside) ? beside : QString();
}

bool prepareProgramDir(QString* error)
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
    const InstallReport report = installTables(dir);
    if (!report.failures.isEmpty()) {
        *error = QStringLiteral("Tagomat 2 cannot put its tables in place in %1:\n%2")
                     .arg(dir, report.failures.join(QLatin1Char('\n')));
        return false;
    }
    return true;
}

} // namespace store
