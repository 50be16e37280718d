#include "Install.h"

#include "GameCommand.h"
#include "InstallRecord.h"
#include "Settings.h"
#include "SprayVisibility.h"
#include "files/FileOps.h"
#include "steam/GameFolders.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QFileInfo>

namespace core {

namespace {

using Outcome = InstallResult::Outcome;

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

// An unset location would put the file into the file system root or the
// current directory.
bool isGameFolder(const QString& folder) { return QDir::isAbsolutePath(folder) && QFileInfo(folder).isDir(); }

QString missingText(const QString& folder, const Settings& settings)
{
    if (QDir::cleanPath(folder) != QDir::cleanPath(settings.gameLocation()))
        return QStringLiteral("The logo was not installed: the game folder \"%1\" is not an existing directory.").arg(folder);
    return QStringLiteral("The logo was not installed: the game location \"%1\" is not an existing directory. "
                          "Select the correct Half-Life directory at the config screen.")
        .arg(folder);
}

// Only a regular file (or none) is replaced: a symbolic link is never
// written through, nor replaced by a file of ours.
QString refusal(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("\"%1\" is a symbolic link and was left alone").arg(path);
    if (info.exists() && info.isDir())
        return QStringLiteral("\"%1\" is a directory, not a file").arg(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("\"%1\" is not a regular file and was left alone").arg(path);
    return {};
}

// A folder that failed after some of its files were written says which:
// the game may read the new logo from one of them.
QString alreadyWritten(const QStringList& written)
{
    if (written.isEmpty())
        return {};
    return QStringLiteral(" %1 %2 written there.").arg(steam::joinNames(written),
                                                       written.size() > 1 ? QStringLiteral("were") : QStringLiteral("was"));
}

} // namespace

QStringList InstallResult::installedFolders() const
{
    QStringList folders;
    for (const Target& t : targets)
        if (t.outcome == Outcome::Installed)
            folders << t.folder;
    return folders;
}

QString InstallResult::installedIn() const
{
    QStringList names;
    for (const Target& t : targets)
        if (t.outcome == Outcome::Installed)
            names << t.game;
    return names.isEmpty() ? QString() : QStringLiteral("Installed in ") + steam::joinNames(names);
}

QString InstallResult::writtenText() const
{
    // The games grouped by the files they got, in the order of the targets.
    QList<QStringList> fileSets;
    QList<QStringList> games;
    for (const Target& t : targets) {
        if (t.written.isEmpty())
            continue;
        const qsizetype at = fileSets.indexOf(t.written);
        if (at < 0) {
            fileSets << t.written;
            games << QStringList{t.game};
        } else {
            games[at] << t.game;
        }
    }
    QStringList parts;
    for (qsizetype i = 0; i < fileSets.size(); ++i) {
        const QString files = steam::joinNames(fileSets[i]);
        parts << (i == 0 ? QStringLiteral("%1 %2 written in %3")
                               .arg(files, fileSets[i].size() > 1 ? QStringLiteral("were") : QStringLiteral("was"),
                                    steam::joinNames(games[i]))
                         : QStringLiteral("%1 in %2").arg(files, steam::joinNames(games[i])));
    }
    return parts.isEmpty() ? QString() : parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}

InstallResult::Target installInto(const QString& title, const QString& folder, const Settings& settings)
{
    InstallResult::Target target{folder, steam::gameName(folder), Outcome::Installed, QString()};
    if (!isGameFolder(folder))
        return {folder, target.game, Outcome::LocationMissing, missingText(folder, settings)};
    // The game sees either its previous spray logo or the whole new one.
    // Today's release reads tempdecal.wad instead, and rewrites it from its
    // own options unless it is read-only; older releases read pldecal.wad.
    const InstallOptions options = settings.installOptions();
    QStringList names{QStringLiteral("pldecal.wad")};
    if (options.tempdecal)
        names << QStringLiteral("tempdecal.wad");
    if (beforeCopyHook())
        beforeCopyHook()();
    QString path;
    try {
        // What an installation cut short by a crash left in the game folder.
        files::removeStaleTemporaries(folder.toStdString(), {"pldecal.wad", "tempdecal.wad"});
        const std::string logo = store::checkedLogoWadPath(title).toStdString();
        for (const QString& name : names) {
            path = game::fileIn(folder, name);
            if (const QString refused = refusal(path); !refused.isEmpty())
                return {folder, target.game, Outcome::CopyFailed,
                        QStringLiteral("The logo was not installed into \"%1\": %2.").arg(path, refused)
                            + alreadyWritten(target.written),
                        target.written};
            const bool readOnly = name == QLatin1String("tempdecal.wad") && options.readOnly;
            files::copyAtomically(logo, path.toStdString(), files::kMaxWadBytes, readOnly ? 0444 : -1);
            target.written << name;
        }
    } catch (const files::FileError& e) {
        // The location may have gone since the check (an unmounted drive,
        // a removed game).
        if (!isGameFolder(folder))
            return {folder, target.game, Outcome::LocationMissing, missingText(folder, settings)};   // and its files with it
        return {folder, target.game, Outcome::CopyFailed,
                QStringLiteral("The logo was not installed into \"%1\": %2.").arg(path, QString::fromStdString(e.what()))
                    + alreadyWritten(target.written),
                target.written};
    }
    try {
        installrecord::note({folder, names.back(), title, installrecord::hashOf(store::logoWadPath(title)),
                             QDateTime::currentDateTimeUtc(), QByteArray()});
    } catch (const files::FileError& e) {
        target.text = QStringLiteral("The record of installed logos could not be written: %1.")
                          .arg(QString::fromStdString(e.what()));
    }
    return target;
}

InstallResult installLogo(const QString& title, const Settings& settings)
{
    if (title.isEmpty())
        return {Outcome::NoTitle, QStringLiteral("Please enter the name of the wad file under the logo image.")};
    if (!settings.gameLocationSaved() && !settings.extraProgramSaved())
        return {Outcome::NotConfigured, QString()};
    if (!namesLogoFile(title))
        return {Outcome::NoLogoFile,
                QStringLiteral("No wad file found of this picture. Place the wad file of this picture in this directory: ")
                    + store::programDir()};
    QStringList folders = settings.installTargets();
    if (folders.isEmpty())
        folders << settings.gameLocation();
    InstallResult result;
    QStringList failures;
    for (const QString& folder : folders) {
        const InstallResult::Target target = installInto(title, folder, settings);
        result.targets << target;
        if (target.outcome == Outcome::Installed) {
            result.notes << sprayVisibilityNotes(folder, target.game);
            if (!target.text.isEmpty())
                result.notes << target.text;
        } else {
            failures << target.text;
        }
    }
    if (folders.size() == 1) {
        result.outcome = result.targets.first().outcome;
        if (result.outcome != Outcome::Installed)
            result.text = result.targets.first().text;
        return result;
    }
    if (!failures.isEmpty()) {
        const bool none = failures.size() == folders.size();
        result.outcome = none ? Outcome::CopyFailed : Outcome::Installed;
        result.text = (none ? QStringLiteral("The logo was not installed into any game:\n")
                            : QStringLiteral("The logo was not installed into every game:\n"))
            + failures.join(QLatin1Char('\n'));
        InstallResult installed;   // the games that got the logo whole
        for (const InstallResult::Target& t : result.targets)
            if (t.outcome == Outcome::Installed)
                installed.targets << t;
        if (const QString written = installed.writtenText(); !written.isEmpty())
            result.text += QLatin1Char('\n') + written;
    }
    return result;
}

void setBeforeCopyHook(std::function<void()> hook) { beforeCopyHook() = std::move(hook); }

} // namespace core
