#include "LogoImport.h"

#include "BatchProgress.h"
#include "BatchSummaryDialog.h"
#include "OpenDialog.h"
#include "PictureChooser.h"
#include "Unit11.h"
#include "Unit4.h"
#include "app/CommandGuard.h"
#include "app/MessageBox.h"
#include "core/BatchImport.h"
#include "core/ImportSteps.h"
#include "core/Library.h"
#include "core/LogoPlacement.h"
#include "core/Settings.h"
#include "core/WorkingFiles.h"
#include "core/SourceWalk.h"
#include "files/FileOps.h"
#include "makelogo/PictureImport.h"
#include "store/ProgramDir.h"
#include "store/TableFiles.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cerrno>

namespace logoimport {

// Drop acceptance is off while an import runs, and the queue waits; both
// come back on every way out, an unexpected error included.
class Importer::Running {
public:
    Running(Importer& importer, bool dropBusy) : importer_(importer), dropBusy_(dropBusy)
    {
        ++importer_.running_;
        if (dropBusy_)
            importer_.DropBusy = true;
        emit importer_.dropAcceptanceChanged(false);
    }
    ~Running()
    {
        restore();
        --importer_.running_;
        importer_.scheduleQueue();
    }
    void restore()
    {
        if (restored_)
            return;
        restored_ = true;
        emit importer_.dropAcceptanceChanged(true);
        if (dropBusy_)
            importer_.DropBusy = false;
    }

private:
    Importer& importer_;
    bool dropBusy_;
    bool restored_ = false;
};

namespace {

// The chosen file must be one that can be read without waiting: a named
// pipe or a device would hold the window forever. False, with the reason
// shown, for anything else than a regular file.
bool readableChoice(const QString& path)
{
    // Not even opened: closing it would drop the engine's locks on it.
    if (store::isTableFile(path)) {
        app::MessageBox::error(QStringLiteral("The file could not be imported: %1 is one of the program's tables.").arg(path));
        return false;
    }
    try {
        files::requireRegularFile(path.toStdString());
        return true;
    } catch (const files::FileError& e) {
        if (e.code() == ENOENT)
            return true;   // a file that went away is reported by the placement
        app::MessageBox::error(QStringLiteral("The file could not be imported: %1").arg(QString::fromUtf8(e.what())));
        return false;
    }
}

bool isWadFile(const QString& path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return !path.isEmpty() && dot >= 0 && path.mid(dot).compare(QLatin1String(".wad"), Qt::CaseInsensitive) == 0
           && QFileInfo(path).isFile();
}

QStringList localFiles(const QList<QUrl>& urls)
{
    QStringList paths;
    for (const QUrl& url : urls)
        if (!url.toLocalFile().isEmpty())
            paths << url.toLocalFile();
    return paths;
}

} // namespace

bool isBatchSource(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() || (info.isFile() && core::isArchiveName(info.fileName()));
}

Importer::Importer(core::Library& library, const core::Settings& settings, TForm4& namePrompt, TForm11& wait,
                   QWidget* window)
    : QObject(window), library_(library), settings_(settings), namePrompt_(namePrompt), wait_(wait), window_(window)
{
}

Importer::~Importer()
{
    delete batch_;   // its reading thread ends on its own
}

// The name loop: asks for a name until the chosen file has been placed as
// that name's logo wad file. Returns false when the file cannot be placed
// under any name (nothing is placed then).
bool Importer::placeUnderName(const QString& source, bool rename, Placement& placed)
{
    WadCopied = false;
    while (!WadCopied) {
        namePrompt_.exec();
        const QString target = store::logoWadPath(namePrompt_.Edit1->text());
        if (files::exists(target.toStdString())) {
            app::MessageBox::plain(QStringLiteral("Sorry, this file already exists, please enter an other name."));
            continue;
        }
        try {
            placed = placeLogo(source, target, rename);
            WadCopied = true;
        } catch (const files::FileError& e) {
            // Another name helps only when the name was the trouble, not
            // against a full disk, an unreadable file or a closed directory.
            if (!e.targetExists()) {
                app::MessageBox::error(QStringLiteral("The logo could not be placed in %1: %2")
                                           .arg(store::programDir(), QString::fromUtf8(e.what())));
                return false;
            }
            app::MessageBox::plain(QStringLiteral("Error renaming file. :(, please change the logo name"));
        }
    }
    return true;
}

// From the placement of the chosen file to the closing of the wait window.
// The slot gets the picture and the title, and the page is stored with the
// logo, only when every step worked; otherwise all the import did to the
// program directory is undone, and the result is false.
bool Importer::importInto(int slot, const QString& source)
{
    wait_.resetProgress();
    Placement placed;
    // A file of the program directory that a slot names is that slot's
    // logo: it is copied, never taken away from the slot.
    const bool rename = liesInProgramDir(source) && !library_.namesLogoFile(source);
    if (!placeUnderName(source, rename, placed)) {
        wait_.hide();
        return false;
    }
    core::ImportProgress progress;
    progress.advance = [this](int step, const QString& caption) { wait_.advance(step, caption); };
    progress.keepPainted = [this] { wait_.keepPainted(); };
    try {
        wait_.showWaiting();
        core::convertIntoSlot(library_, settings_, slot, placed, source, progress);
    } catch (const core::ImportFailure& failure) {
        wait_.hide();
        app::MessageBox::error(failure.text);
        return false;
    }
    namePrompt_.Edit1->clear();
    wait_.advance(10);
    wait_.hide();
    return true;
}

// The spray a chosen file gives: a picture made into a logo, one picture
// of a WAD that holds several, or the WAD itself. Empty when the user
// cancelled or it could not be made (the user has been told).
QString Importer::sprayOf(const QString& chosen, const QTemporaryDir& workDir)
{
    if (makelogo::isPicture(chosen))
        return makelogo::makeLogoWad(window_, chosen, workDir);
    if (picturesInWad(chosen) > 1)
        return chooseSprayOf(window_, chosen, workDir);
    return chosen;
}

void Importer::insertClick(int slot)
{
    Running running(*this, false);
    library_.setUnsavedChanges(true);
    library_.edit();
    OpenDialog& dialog = OpenDialog::of(window_);
    const bool chosen = dialog.execute(window_);
    if (chosen && (dialog.fileNames().size() > 1 || isBatchSource(dialog.fileName()))) {
        // Several files: one batch into the free slots, once this command ends.
        enqueueMany(dialog.fileNames());
    } else if (chosen) {
        // A picture becomes a logo WAD first, which is then imported.
        const QString picture = dialog.fileName();
        if (!readableChoice(picture))
            return;
        QTemporaryDir made(madeFolderTemplate());   // swept at the next start when a kill leaves it
        const QString source = sprayOf(picture, made);
        if (source.isEmpty()) { // the logo was not made: as a cancel
            wait_.advance(10);
            wait_.hide();
        } else {
            // A failed import has been undone and reported; the page stays
            // in its pending edit as it was. One that worked has stored it.
            importInto(slot, source);
            return;
        }
    } else {
        wait_.advance(10);
        wait_.hide();
    }
    running.restore();
    library_.store();
}

void Importer::dropFiles(const QList<QUrl>& urls)
{
    const QStringList paths = localFiles(urls);
    if (paths.size() > 1 || (paths.size() == 1 && isBatchSource(paths.first()))) {
        importMany(paths);
        return;
    }
    if (isRunning()) {
        // Taken after the running import, as a hand-over is.
        if (!urls.isEmpty())
            enqueue(urls.first().toLocalFile());
        return;
    }
    Running running(*this, true);
    window_->activateWindow();
    window_->setFocus();

    const QString path = urls.isEmpty() ? QString() : urls.first().toLocalFile();
    const bool isWad = isWadFile(path);
    const bool picture = !isWad && makelogo::isPicture(path);
    if (isWad || picture) {
        library_.setUnsavedChanges(true);
        library_.edit();
        const int slot = library_.freeSlot();
        if (slot == 0) {
            running.restore();
            app::MessageBox::error(QStringLiteral("This page does not have any space left."));
            return;
        }
        if (!readableChoice(path))
            return;
        OpenDialog::of(window_).setFileName(path);
        QTemporaryDir made(madeFolderTemplate());   // swept at the next start when a kill leaves it
        const QString source = sprayOf(path, made);
        if (!source.isEmpty()) {
            importInto(slot, source);   // stored with its logo, or undone and reported
            return;
        }
    }
    running.restore();
    library_.store();
}

void Importer::enqueue(const QString& file) { enqueueMany({file}); }

void Importer::enqueueMany(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    queue_.append(paths);
    scheduleQueue();
}

void Importer::importMany(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    if (isRunning()) {
        enqueueMany(paths);
        return;
    }
    if (paths.size() == 1 && !isBatchSource(paths.first())) {
        dropFiles({QUrl::fromLocalFile(paths.first())});   // one file: the usual import, with its name prompt
        return;
    }
    startBatch(paths);
}

void Importer::importFolderOrArchive()
{
    if (isRunning())
        return;
    OpenDialog& dialog = OpenDialog::of(window_);
    if (dialog.executeSources(window_))
        importMany(dialog.fileNames());
}

// The batch runs while events flow: the window paints the pages as they
// fill, the progress window takes Cancel, and drops and hand-overs wait in
// the queue until the summary is shown.
void Importer::startBatch(const QStringList& paths)
{
    batchRunning_ = std::make_unique<Running>(*this, true);
    if (!progress_) {
        progress_ = new BatchProgress(window_);
        summary_ = new BatchSummaryDialog(window_);
    }
    batch_ = new core::BatchImport(library_, paths);
    connect(batch_, &core::BatchImport::progress, progress_, [this](int done, int total, const QString& file) {
        progress_->showProgress(done, total, file, batch_->secondsLeft());
    });
    connect(batch_, &core::BatchImport::finished, this, &Importer::endBatch, Qt::QueuedConnection);
    connect(progress_, &BatchProgress::cancelRequested, batch_, &core::BatchImport::cancel);
    progress_->begin();
    try {
        batch_->start();
    } catch (...) {
        endBatch();
        throw;
    }
}

void Importer::endBatch()
{
    if (!batch_)
        return;
    progress_->hide();
    disconnect(progress_, nullptr, batch_, nullptr);
    std::unique_ptr<core::BatchImport> batch(batch_);
    batch_ = nullptr;
    const core::BatchSummary summary = batch->summary();
    QString stored;
    try {
        library_.store();   // a cancel leaves nothing pending; this keeps it so
    } catch (const std::exception& e) {
        stored = QString::fromUtf8(e.what());
    }
    QString text = summary.text();
    if (!stored.isEmpty())
        text = QStringLiteral("The current page could not be stored: %1\n").arg(stored) + text;
    summary_->present(text.section(QLatin1Char('\n'), 0, 0), text);
    batch.reset();   // the reading thread ends at the file it is at, unwaited
    batchRunning_.reset();
    emit batchFinished();
}

// The queue is taken from the event loop, never from inside the import that
// ends, so that each queued file starts as a drop of its own.
void Importer::scheduleQueue()
{
    if (scheduled_ || queue_.isEmpty() || isRunning())
        return;
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        scheduled_ = false;
        runQueue();
    });
}

void Importer::runQueue()
{
    if (isRunning() || queue_.isEmpty())
        return;   // the import that runs schedules the queue when it ends
    const QStringList files = queue_.takeFirst();
    emit importingQueued();
    QList<QUrl> urls;
    for (const QString& file : files)
        urls << QUrl::fromLocalFile(file);
    app::runCommand([this, &urls] { dropFiles(urls); });
    scheduleQueue();
}

} // namespace logoimport
