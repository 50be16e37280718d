// Starting an outside program that runs on its own: the program does not
// wait for it and is not ended with it. A start that fails is reported.
#pragma once

#include "core/GameCommand.h"

#include <functional>

namespace game {

// Starts the command detached, with its arguments as they are (no shell) in
// its working directory; false, after a message naming the program and the
// reason, when it could not be started.
bool startDetached(const ProgramCommand& command);

// Hands a file that is not a program to the desktop's open action; false,
// after a message, when the desktop has nothing to open it with.
bool openWithDesktop(const QString& path);

// Tests record the commands instead of starting them; an empty hook starts
// them for real again.
void setStartHook(std::function<void(const ProgramCommand&)> hook);

} // namespace game
