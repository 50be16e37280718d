#include "CommandGuard.h"

#include "MessageBox.h"

#include <exception>

namespace app {

void runCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        MessageBox::error(QString::fromUtf8(e.what()));
    }
}

} // namespace app
