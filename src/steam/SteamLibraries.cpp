#include "SteamLibraries.h"

#include "formats/Image.h"
#include "formats/Vdf.h"

#include <QDir>
#include <cctype>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace steam {

namespace {

constexpr qint64 kMaxLibraryFile = 4 * 1024 * 1024;

QString gameFolder(const QString& library) { return library + QStringLiteral("/steamapps/common/Half-Life"); }

// The folders one library file lists; nothing when it cannot be read.
QStringList listedFolders(const QString& path)
{
    QFile file(path);
    if (file.size() > kMaxLibraryFile || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<formats::VdfEntry> top;
    try {
        top = formats::readVdf(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    } catch (const formats::FormatError&) {
        return {};
    }
    QStringList folders;
    for (const formats::VdfEntry& root : top) {
        if (!root.block)
            continue;
        for (const formats::VdfEntry& library : root.children) {
            // Today's files hold a block with "path"; older ones the path itself.
            if (library.block) {
                if (const formats::VdfEntry* p = library.find("path"))
                    folders << QString::fromStdString(p->value);
            } else if (!library.key.empty() && std::isdigit(static_cast<unsigned char>(library.key[0]))) {
                folders << QString::fromStdString(library.value);
            }
        }
    }
    return folders;
}

} // namespace

QStringList libraryFiles()
{
    const QString home = QDir::homePath();
    return {home + QStringLiteral("/.steam/steam/steamapps/libraryfolders.vdf"),
            home + QStringLiteral("/.local/share/Steam/steamapps/libraryfolders.vdf"),
            home + QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/libraryfolders.vdf")};
}

QStringList libraries()
{
    QStringList found;
    QStringList seen;
    for (const QString& file : libraryFiles()) {
        // Steam's own folder is a library even when the file leaves it out.
        QStringList folders{QFileInfo(QFileInfo(file).absolutePath()).absolutePath()};
        if (!QFileInfo(file).isFile())
            continue;
        folders << listedFolders(file);
        for (const QString& folder : folders) {
            if (!QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir())
                continue;
            const QString canonical = QFileInfo(folder).canonicalFilePath();
            if (seen.contains(canonical))
                continue;
            seen << canonical;
            found << QDir::cleanPath(folder);
        }
    }
    return found;
}

QStringList games()
{
    QStringList found;
    for (const QString& library : libraries()) {
        QDir game(gameFolder(library));
        QStringList mods = game.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        if (mods.removeAll(QStringLiteral("valve")) > 0)
            mods.prepend(QStringLiteral("valve"));
        for (const QString& mod : mods)
            if (QFileInfo(game.filePath(mod) + QStringLiteral("/liblist.gam")).isFile())
                found << game.filePath(mod);
    }
    return found;
}

bool inLibrary(const QString& location)
{
    const QString canonical = QFileInfo(location).canonicalFilePath();
    if (canonical.isEmpty())
        return false;
    for (const QString& library : libraries()) {
        const QString game = QFileInfo(gameFolder(library)).canonicalFilePath();
        if (!game.isEmpty() && canonical.startsWith(game + QLatin1Char('/')))
            return true;
    }
    return false;
}

QString steamCommand() { return QStandardPaths::findExecutable(QStringLiteral("steam")); }

QStringList launchArguments(const QString& modFolder)
{
    QStringList arguments{QStringLiteral("-applaunch"), QString::number(kGameAppId)};
    if (!modFolder.isEmpty() && modFolder != QLatin1String("valve"))
        arguments << QStringLiteral("-game") << modFolder;
    return arguments;
}

} // namespace steam
