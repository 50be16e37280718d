// Installing a slot's logo into the game: its logo wad file replaces the
// game's spray-logo files pldecal.wad (and, as the install options say,
// tempdecal.wad) in the game location and in every further game folder the
// user chose, each file whole or not at all. A folder that fails does not
// stop the others; each installation is noted in the install record.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace core {

class Settings;

struct InstallResult {
    enum class Outcome {
        Installed,
        NoTitle,          // an empty slot
        NotConfigured,    // neither the game location nor the extra program has been saved
        NoLogoFile,       // the title names no logo wad file
        LocationMissing,  // the game location is no existing directory
        CopyFailed,
    };
    // What became of one game folder.
    struct Target {
        QString folder;
        QString game;               // its name, from liblist.gam
        Outcome outcome = Outcome::Installed;
        QString text;               // why not, when not installed
        QStringList written;        // the spray files written there, in order (some even when it failed)
    };
    Outcome outcome = Outcome::Installed;
    // For the user: why nothing was installed, or, when installed into some
    // of several folders, which failed and why.
    QString text;
    QList<Target> targets;
    // Where the player's own settings keep others from seeing the spray.
    QStringList notes;
    bool isError() const { return outcome == Outcome::LocationMissing || outcome == Outcome::CopyFailed; }
    // The folders the logo went into, in order.
    QStringList installedFolders() const;
    // "Installed in Counter-Strike, Half-Life and Sven Co-op"
    QString installedIn() const;
    // Which spray files went into which game: "pldecal.wad and tempdecal.wad
    // were written in Counter-Strike and Half-Life; pldecal.wad in Day of Defeat."
    QString writtenText() const;
};

InstallResult installLogo(const QString& title, const Settings& settings);

// The logo of a title into one game folder, as installLogo does for each;
// the target's outcome and text say how it went.
InstallResult::Target installInto(const QString& title, const QString& folder, const Settings& settings);

// Runs after the checks of an installation and before its copy; tests use it
// to change the surroundings in between. Empty by default.
void setBeforeCopyHook(std::function<void()> hook);

} // namespace core
