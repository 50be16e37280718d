// The extra program the user chose to run after installing a logo (a server
// browser, for instance): the caption of its button and how it is started.
#pragma once

#include <QString>

namespace game {

// "Start " and the program's file name without its extension
// (".../gamespy.exe" gives "Start gamespy", ".../browser" "Start browser");
// "Run Executable" when that leaves no name (an empty path, a path ending in
// a separator).
QString extraProgramCaption(const QString& path);

// A file the user may execute is started detached without arguments, in its
// own folder; any other file is handed to the desktop's open action. Every
// failure is reported; false then.
bool startExtraProgram(const QString& path);

} // namespace game
