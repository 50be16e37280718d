// How a logo is installed beside pldecal.wad: today's release of the game
// reads a player's spray from tempdecal.wad, which the game's own options
// rewrite unless the file is read-only. Both choices are on by default and
// kept across runs in a small settings file of the program directory
// (InstallOptions.ini), so the settings table keeps the layout older
// libraries and the table installer know.
#pragma once

#include <QString>

namespace game {

struct InstallOptions {
    bool tempdecal = true;   // also install as tempdecal.wad
    bool readOnly = true;    // leave tempdecal.wad read-only (0444)
};

// The settings file in the program directory.
QString installOptionsPath();

InstallOptions installOptions();
// False when the settings file could not be written.
bool saveInstallOptions(const InstallOptions& options);

} // namespace game
