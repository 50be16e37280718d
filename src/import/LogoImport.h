// The logo import, from a chosen, dropped or handed-over file to a filled
// slot: the file dialog or the drop, the name prompt, the wait window and the
// messages. Several files, a folder or an archive go to a batch import
// instead, with its progress window and summary. Only one import runs at a
// time: a drop or a hand-over that arrives while one runs waits in a queue
// and is imported when it ends, in the order they came.
#pragma once

#include "core/LogoPlacement.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <memory>

class QTemporaryDir;
class QWidget;
class TForm4;
class TForm11;

namespace core {
class BatchImport;
class Library;
class Settings;
}

namespace logoimport {

class BatchProgress;
class BatchSummaryDialog;

// True for what a batch imports even alone: a folder or an archive.
bool isBatchSource(const QString& path);

class Importer : public QObject {
    Q_OBJECT
public:
    Importer(core::Library& library, const core::Settings& settings, TForm4& namePrompt, TForm11& wait,
             QWidget* window);
    ~Importer() override;

    // The "+" button of a slot.
    void insertClick(int slot);
    // Files dropped on the window.
    void dropFiles(const QList<QUrl>& urls);
    // A file given on the command line or handed over by a second start:
    // imported as a drop, now when no import runs, else once the running
    // ones have ended.
    void enqueue(const QString& file);
    // Several files (or a folder, or an archive) at once, as one batch;
    // one plain file goes to the usual import. Queued while one runs.
    void importMany(const QStringList& paths);
    void enqueueMany(const QStringList& paths);
    // "Import folder or archive...".
    void importFolderOrArchive();

    // State of the import.
    bool WadCopied = true;
    bool DropBusy = false;
    bool isRunning() const { return running_ > 0; }
    int queued() const { return queue_.size(); }
    // The batch that runs, if one does.
    core::BatchImport* batch() const { return batch_; }
    BatchProgress* batchProgress() const { return progress_; }
    BatchSummaryDialog* batchSummary() const { return summary_; }

signals:
    // A batch ended and its summary is shown.
    void batchFinished();
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
    void startBatch(const QStringList& paths);
    void endBatch();

    core::Library& library_;
    const core::Settings& settings_;
    TForm4& namePrompt_;
    TForm11& wait_;
    QWidget* window_;
    QList<QStringList> queue_;
    int running_ = 0;
    core::BatchImport* batch_ = nullptr;
    std::unique_ptr<Running> batchRunning_;
    BatchProgress* progress_ = nullptr;
    BatchSummaryDialog* summary_ = nullptr;
    bool scheduled_ = false;
};

} // namespace logoimport
