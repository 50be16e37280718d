// Program start and end: the library and the settings first, then the main
// window, then the dialogs, hidden, in their fixed order; the first showing
// runs the main window's checks. At the end the windows go before the
// library and the settings do.
#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

class TForm1;

namespace core {
class Library;
class Settings;
}

namespace app {

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates the main window and opens the tables; false when another
    // instance runs on the program directory or a table could not be opened
    // (the message has been shown, nothing else was created).
    bool create();
    // The file to import once the window shows (the command line). A second
    // start hands it to the running window instead.
    void setFileToOpen(const QString& file) { filesToOpen_ = file.isEmpty() ? QStringList() : QStringList{file}; }
    // Several files, imported together as one batch.
    void setFilesToOpen(const QStringList& files) { filesToOpen_ = files; }
    // The files of the command line that cannot be opened, each "name:
    // reason": told in the window once it shows, or on stderr when the
    // files go to a running window.
    void setRefusedFiles(const QStringList& lines) { refusedFiles_ = lines; }
    // After create() failed: true when another instance runs and took the
    // request (the file, or coming to the front), so this start just ends.
    bool handedOver() const { return handedOver_; }
    // Runs the first-show checks and shows the main window.
    void show();
    void destroy();

    // While the program runs (after create() succeeded).
    TForm1* mainWindow() const { return mainWindow_; }
    core::Library& library() { return *library_; }
    core::Settings& settings() { return *settings_; }

private:
    void offerParadoxConversion();

    // Held for the whole run, so that two instances never post over each
    // other; a crashed instance's lock is taken over.
    std::unique_ptr<QLockFile> instanceLock_;
    std::unique_ptr<QObject> handoverServer_;
    std::unique_ptr<core::Library> library_;
    std::unique_ptr<core::Settings> settings_;
    TForm1* mainWindow_ = nullptr;
    QStringList filesToOpen_;
    QStringList refusedFiles_;
    bool handedOver_ = false;
};

} // namespace app
