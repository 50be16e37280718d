#include "SteamLibraries.h"

#include "files/FileOps.h"
#include "formats/Image.h"
#include "formats/Vdf.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <cctype>

namespace steam {

namespace {

QString gameFolder(const QString& library) { return library + QStringLiteral("/steamapps/common/Half-Life"); }

// The folders one library file lists; nothing when it cannot be read.
QStringList listedFolders(const QString& path)
{
    std::vector<formats::VdfEntry> top;
    try {
        // Counted as it is read: a link into /proc says it is empty.
        const std::vector<std::uint8_t> bytes = files::readAll(path.toStdString(), files::kMaxSettingsFileBytes);
        top = formats::readVdf(bytes.data(), bytes.size());
    } catch (const files::FileError&) {
        return {};
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
    QSet<QString> seen;
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
            seen.insert(canonical);
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
