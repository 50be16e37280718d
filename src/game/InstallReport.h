// What the main window says after a double click installed a logo into some
// of several game folders: the folders that failed and why, and, once a run
// for each, where the player's own settings keep others from seeing sprays.
#pragma once

namespace core { struct InstallResult; }

namespace game {

void reportInstall(const core::InstallResult& result);

} // namespace game
