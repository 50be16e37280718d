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

bool titleNamesFile(const QString& title)
{
    if (title == QLatin1String(".") || title == QLatin1String(".."))
        return false;
    for (const QChar c : title) {
        const char16_t u = c.unicode();
        if (u == u'/' || u == u'\\' || u < 0x20 || (u >= 0x7f && u < 0xa0))
            return false;
    }
    return true;
}

QString checkedLogoWadPath(const QString& title)
{
    if (!titleNamesFile(title))
        throw TitleError(QStringLiteral("The logo title \"%1\" does not name a file in the program directory; no file was touched.")
                             .arg(title).toStdString());
    return logoWadPath(title);
}

} // namespace store
