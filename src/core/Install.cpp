#include "Install.h"

#include "GameCommand.h"
#include "Settings.h"
#include "files/FileOps.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QFileInfo>

namespace core {

namespace {

// A title that is no plain file name names no file of the program directory.
bool namesLogoFile(const QString& title)
{
    return store::titleNamesFile(title) && QFileInfo(store::logoWadPath(title)).isFile();
}

std::function<void()>& beforeCopyHook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

InstallResult installLogo(const QString& title, const Settings& settings)
{
    using Outcome = InstallResult::Outcome;
    if (title.isEmpty())
        return {Outcome::NoTitle, QStringLiteral("Please enter the name of the wad file under the logo image.")};
    if (!settings.gameLocationSaved() && !settings.extraProgramSaved())
        return {Outcome::NotConfigured, QString()};
    if (!namesLogoFile(title))
        return {Outcome::NoLogoFile,
                QStringLiteral("No wad file found of this picture. Place the wad file of this picture in this directory: ")
                    + store::programDir()};
    // An unset location would put the file into the file system root or the
    // current directory.
    const QString location = settings.gameLocation();
    const auto locationMissing = [&location]() -> InstallResult {
        if (QDir::isAbsolutePath(location) && QFileInfo(location).isDir())
            return {Outcome::Installed, QString()};
        return {Outcome::LocationMissing,
                QStringLiteral("The logo was not installed: the game location \"%1\" is not an existing directory. "
                               "Select the correct Half-Life directory at the config screen.")
                    .arg(location)};
    };
    if (InstallResult missing = locationMissing(); missing.outcome != Outcome::Installed)
        return missing;
    // The game sees either its previous spray logo or the whole new one.
    // Today's release reads tempdecal.wad instead, and rewrites it from its
    // own options unless it is read-only; older releases read pldecal.wad.
    const InstallOptions options = settings.installOptions();
    QStringList names{QStringLiteral("pldecal.wad")};
    if (options.tempdecal)
        names << QStringLiteral("tempdecal.wad");
    if (beforeCopyHook())
        beforeCopyHook()();
    QString target;
    try {
        // What an installation cut short by a crash left in the game folder.
        files::removeStaleTemporaries(location.toStdString(), {"pldecal.wad", "tempdecal.wad"});
        const std::string logo = store::checkedLogoWadPath(title).toStdString();
        for (const QString& name : names) {
            target = game::fileIn(location, name);
            const bool readOnly = name == QLatin1String("tempdecal.wad") && options.readOnly;
            files::copyAtomically(logo, target.toStdString(), files::kMaxWadBytes, readOnly ? 0444 : -1);
        }
    } catch (const files::FileError& e) {
        // The location may have gone since the check (an unmounted drive,
        // a removed game).
        if (InstallResult missing = locationMissing(); missing.outcome != Outcome::Installed)
            return missing;
        return {Outcome::CopyFailed, QStringLiteral("The logo was not installed into \"%1\": %2.")
                                         .arg(target, QString::fromStdString(e.what()))};
    }
    return {};
}

void setBeforeCopyHook(std::function<void()> hook) { beforeCopyHook() = std::move(hook); }

} // namespace core
