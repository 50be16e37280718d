#include "GameCommand.h"

#include <QDir>
#include <QFileInfo>

namespace game {

namespace {

bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
#else
    return c == QLatin1Char('/');
#endif
}

int lastSeparator(const QString& path)
{
    for (int i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i]))
            return i;
    return -1;
}

} // namespace

GameLocation splitGameLocation(const QString& location)
{
    const int at = lastSeparator(location);
    if (at < 0)
        return {location, location};
    GameLocation split{location.left(at), location.mid(at + 1)};
    // A location directly under the file system root ("/cstrike", "C:\cstrike")
    // has that root as its game root.
    if (split.root.isEmpty() && at == 0)
        split.root = location.left(1);
#ifdef Q_OS_WIN
    if (split.root.size() == 2 && split.root[1] == QLatin1Char(':'))
        split.root += QLatin1Char('\\');
#endif
    return split;
}

QStringList gameExecutableNames()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("hl.exe"), QStringLiteral("cstrike.exe")};
#else
    return {QStringLiteral("hl.sh"), QStringLiteral("hl_linux")};
#endif
}

QStringList gameArguments(const QString& modFolder)
{
    QStringList arguments{QStringLiteral("-console"), QStringLiteral("-game")};
    if (!modFolder.isEmpty())
        arguments << modFolder;
    return arguments;
}

QString fileIn(const QString& directory, const QString& name)
{
    if (!directory.isEmpty() && isSeparator(directory.back()))
        return directory + name;
    return directory + QLatin1Char('/') + name;
}

QList<ProgramCommand> gameCommands(const QString& location)
{
    const GameLocation split = splitGameLocation(location);
    QList<ProgramCommand> commands;
    if (!QDir::isAbsolutePath(split.root))
        return commands;
    const QStringList arguments = gameArguments(split.modFolder);
    for (const QString& name : gameExecutableNames()) {
        const QString program = fileIn(split.root, name);
        if (!QFileInfo(program).isFile())
            continue;
        commands.append({program, arguments, split.root});
#ifndef Q_OS_WIN
        break;   // hl_linux only stands in for a missing launcher
#endif
    }
    return commands;
}

} // namespace game
