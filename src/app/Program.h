// Program start and end: the main window first, then the dialogs, hidden, in
// their fixed order; the first showing runs the main window's checks.
#pragma once

#include <QLockFile>

#include <memory>

namespace app {

class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the main window and opens the tables; false when another
    // instance runs on the program directory or a table could not be opened
    // (the message has been shown, nothing else was created).
    bool create();
    // Runs the first-show checks and shows the main window.
    void show();
    void destroy();

private:
    // Held for the whole run, so that two instances never post over each
    // other; a crashed instance's lock is taken over.
    std::unique_ptr<QLockFile> instanceLock_;
};

} // namespace app
