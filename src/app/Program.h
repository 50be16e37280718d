// Program start and end: the main window first, then the dialogs, hidden, in
// their fixed order; the first showing runs the main window's checks.
#pragma once

namespace app {

class Program {
public:
    Program() = default;
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the main window and opens the tables; false when a table could
    // not be opened (the message has been shown, nothing else was created).
    bool create();
    // Runs the first-show checks and shows the main window.
    void show();
    void destroy();
};

} // namespace app
