#include "LogoFile.h"

#include <QCoreApplication>

namespace store {

namespace {
QString& overrideDir()
{
    static QString dir;
    return dir;
}
}

namespace detail {
QString layoutProgramDir();   // ProgramLayout.cpp: portable or installed
bool programDirOverridden() { return !overrideDir().isEmpty(); }
}

QString programDir()
{
    QString dir = overrideDir().isEmpty() ? detail::layoutProgramDir() : overrideDir();
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

void setProgramDir(const QString& dir) { overrideDir() = dir; }

QString programFile(const QString& name) { return programDir() + QLatin1Char('/') + name; }

QString logoWadPath(const QString& title) { return programFile(title + QStringLiteral(".wad")); }

} // namespace store
