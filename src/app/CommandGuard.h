// Runs one command: an error the command does not handle itself is shown in
// the error box, and the program runs on.
#pragma once

#include <functional>

namespace app {

void runCommand(const std::function<void()>& command);

} // namespace app
