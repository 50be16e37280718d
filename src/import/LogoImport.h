// The logo import, from a chosen, dropped or handed-over file to a filled
// slot: the file dialog or the drop, the name prompt, the wait window and the
// messages. Only one import runs at a time: a drop or a hand-over that
// arrives while one runs waits in a queue and is imported when it ends, in
// the order they came.
#pragma once

#include "core/LogoPlacement.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class QTemporaryDir;
class QWidget;
class TForm4;
class TForm11;

namespace core {
class Library;
class Settings;
}

namespace logoimport {

class Importer : public QObject {
    Q_OBJECT
public:
    Importer(core::Library& library, const core::Settings& settings, TForm4& namePrompt, TForm11& wait,
             QWidget* window);

    // The "+" button of a slot.
    void insertClick(int slot);
    // Files dropped on the window.
    void dropFiles(const QList<QUrl>& urls);
    // A file given on the command line or handed over by a second start:
    // imported as a drop, now when no import runs, else once the running
    // ones have ended.
    void enqueue(const QString& file);

    // State of the import.
    bool WadCopied = true;
    bool DropBusy = false;
    bool isRunning() const { return running_ > 0; }
    int queued() const { return queue_.size(); }

signals:
    // Drops are off while an import runs.
    void dropAcceptanceChanged(bool on);
    // A queued file is about to be imported: the window comes to the front.
    void importingQueued();

private:
    class Running;
    bool placeUnderName(const QString& source, bool rename, Placement& placed);
    bool importInto(int slot, const QString& source);
    QString sprayOf(const QString& chosen, const QTemporaryDir& workDir);
    void runQueue();
    void scheduleQueue();

    core::Library& library_;
    const core::Settings& settings_;
    TForm4& namePrompt_;
    TForm11& wait_;
    QWidget* window_;
    QStringList queue_;
    int running_ = 0;
    bool scheduled_ = false;
};

} // namespace logoimport
