#include "Installation.h"

#include "GameCommand.h"
#include "InstallOptions.h"
#include "SavedSettings.h"
#include "Unit6.h"
#include "app/Forms.h"
#include "app/MessageBox.h"
#include "app/Unit1.h"
#include "files/FileOps.h"
#include "settings/unit2.h"
#include "store/LogoFile.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QDir>
#include <QFileInfo>

namespace game {

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

void dbImageClick(TForm1& form, int slot)
{
    const QString title = form.Table1().text(store::LogoPage::pictureTitle(slot));
    if (title.isEmpty()) {
        app::MessageBox::plain(QStringLiteral("Please enter the name of the wad file under the logo image."));
        return;
    }
    // Nothing configured yet: the user is sent to the Configuration window,
    // and the main window stays usable beside it.
    if (!gameLocationSaved(form) && !extraProgramSaved(form)) {
        forms().Form2->showModeless();
        return;
    }
    if (!namesLogoFile(title)) {
        app::MessageBox::plain(QStringLiteral("No wad file found of this picture. Place the wad file of this picture in this directory: ")
                               + store::programDir());
        return;
    }
    // An unset location would put the file into the file system root or the
    // current directory.
    const QString location = forms().Form2->gameLocation();
    const auto reportIfLocationMissing = [&location] {
        if (QDir::isAbsolutePath(location) && QFileInfo(location).isDir())
            return false;
        app::MessageBox::error(QStringLiteral("The logo was not installed: the game location \"%1\" is not an existing directory. "
                                              "Select the correct Half-Life directory at the config screen.")
                                   .arg(location));
        return true;
    };
    if (reportIfLocationMissing())
        return;
    // The game sees either its previous spray logo or the whole new one.
    // Today's release reads tempdecal.wad instead, and rewrites it from its
    // own options unless it is read-only; older releases read pldecal.wad.
    const InstallOptions options = installOptions();
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
            target = fileIn(location, name);
            const bool readOnly = name == QLatin1String("tempdecal.wad") && options.readOnly;
            files::copyAtomically(logo, target.toStdString(), readOnly ? 0444 : -1);
        }
    } catch (const files::FileError& e) {
        // The location may have gone since the check (an unmounted drive,
        // a removed game).
        if (reportIfLocationMissing())
            return;
        app::MessageBox::error(QStringLiteral("The logo was not installed into \"%1\": %2.").arg(target, QString::fromStdString(e.what())));
        return;
    }
    forms().Form6->showInstalled();
}

void setBeforeCopyHook(std::function<void()> hook) { beforeCopyHook() = std::move(hook); }

} // namespace game
