// Installing a slot's logo into the game: its logo wad file replaces the
// game's spray-logo files pldecal.wad (and, as the install options say,
// tempdecal.wad) in the game location, each whole or not at all.
#pragma once

#include <QString>

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
    Outcome outcome = Outcome::Installed;
    QString text;   // for the user, when not installed
    bool isError() const { return outcome == Outcome::LocationMissing || outcome == Outcome::CopyFailed; }
};

InstallResult installLogo(const QString& title, const Settings& settings);

// Runs after the checks of an installation and before its copy; tests use it
// to change the surroundings in between. Empty by default.
void setBeforeCopyHook(std::function<void()> hook);

} // namespace core
