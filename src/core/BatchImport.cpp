#include "BatchImport.h"

#include "Library.h"
#include "LogoName.h"
#include "LogoPlacement.h"
#include "SourceWalk.h"
#include "SprayIntake.h"
#include "WorkingFiles.h"
#include "files/FileOps.h"
#include "formats/Wad3.h"
#include "store/Errors.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaObject>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace core {

namespace {

// Files made ready ahead of the window's thread: enough to keep it busy,
// few enough that memory stays flat over any number of files.
constexpr std::size_t kReadAhead = 4;

} // namespace

// What the reading thread and the window's thread share. The reading
// thread holds it too, so it outlives neither.
struct BatchImport::Shared {
    std::mutex mutex;
    std::condition_variable room;
    std::deque<PreparedLogo> ready;
    std::atomic<bool> stop{false};
    int total = -1;
    bool readingDone = false;
    BatchImport* receiver = nullptr;   // told of each file; null once it is gone
    QHash<QByteArray, QString> libraryPrints;   // filled before the first file is ready
};

QString BatchSummary::text() const
{
    QStringList lines;
    QString head = QStringLiteral("Imported: %1, duplicates: %2, skipped: %3.")
                       .arg(imported.size())
                       .arg(duplicates.size())
                       .arg(skipped.size());
    if (cancelled)
        head += QStringLiteral(" Cancelled: the files after these were not imported.");
    lines << head;
    if (!stopped.isEmpty())
        lines << QStringLiteral("Stopped: %1").arg(stopped);
    const auto section = [&lines](const QString& title, const QList<BatchEntry>& entries, const QString& form) {
        if (entries.isEmpty())
            return;
        lines << QString() << title;
        for (const BatchEntry& e : entries)
            lines << form.arg(QDir::toNativeSeparators(e.file), e.detail)
                         + (e.note.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(e.note));
    };
    section(QStringLiteral("Imported:"), imported, QStringLiteral("%1 as %2"));
    section(QStringLiteral("Duplicates:"), duplicates, QStringLiteral("%1: the same picture as %2"));
    section(QStringLiteral("Skipped:"), skipped, QStringLiteral("%1: %2"));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

BatchImport::BatchImport(Library& library, const QStringList& sources, QObject* parent)
    : QObject(parent), library_(library), sources_(sources), pageBase_(pageBaseName(sources)),
      shared_(std::make_shared<Shared>())
{
}

BatchImport::~BatchImport()
{
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->receiver = nullptr;
        shared_->stop = true;
    }
    shared_->room.notify_all();
    // The reading thread ends at the file it is at, which may be a large
    // picture being decoded: nobody waits for it, and it tells nobody.
    if (reader_.joinable())
        reader_.detach();
}

QString BatchImport::pageBaseName(const QStringList& sources)
{
    if (sources.isEmpty())
        return QStringLiteral("Import");
    const QFileInfo first(QFileInfo(sources.first()).absoluteFilePath());
    QString name;
    if (sources.size() == 1 && first.isDir())
        name = first.fileName();
    else if (sources.size() == 1 && isArchiveName(first.fileName()))
        name = archiveBaseName(first.fileName());
    else
        name = first.dir().dirName();
    return name.isEmpty() || name == QLatin1String(".") ? QStringLiteral("Import") : name;
}

int BatchImport::secondsLeft() const
{
    if (done_ == 0 || total_ < 0)
        return -1;
    const double perFile = clock_.elapsed() / 1000.0 / done_;
    return int(perFile * (total_ - done_) + 0.5);
}

void BatchImport::start()
{
    if (started_)
        return;
    started_ = true;
    clock_.start();
    library_.setUnsavedChanges(true);
    library_.edit();
    // Each logo file is written in the import's working folder, where a start
    // sweeps what a kill left, and takes its name beside the others once whole.
    const QString work = logoimport::workingDir();
    workDir_ = QDir().mkpath(work) ? work.toStdString() : std::string();
    // The titles in use, the pending edit's among them, and the logo wad
    // files they name, whose pictures the reading thread fingerprints.
    const QStringList stored = library_.storedSlotTitles();
    titles_ = QSet<QString>(stored.begin(), stored.end());
    for (int n = 1; n <= 8; ++n)
        titles_.insert(library_.slotTitle(n));
    titles_.remove(QString());
    QStringList logoFiles;
    for (const QString& title : std::as_const(titles_))
        if (store::titleNamesFile(title))
            logoFiles << title;

    shared_->receiver = this;
    const std::shared_ptr<Shared> shared = shared_;
    const QStringList sources = sources_;
    const QString dir = store::programDir();
    reader_ = std::thread([shared, sources, logoFiles, dir] {
        // Posted under the lock, so the receiver cannot go in between; a
        // call posted to it before it goes is dropped with it.
        const auto notify = [&shared] {
            std::lock_guard<std::mutex> lock(shared->mutex);
            if (shared->receiver)
                QMetaObject::invokeMethod(shared->receiver, &BatchImport::takeReady, Qt::QueuedConnection);
        };
        QHash<QByteArray, QString> prints;
        for (const QString& title : logoFiles) {
            if (shared->stop)
                return;
            try {
                const std::vector<std::uint8_t> wad =
                    files::readAll((dir + QLatin1Char('/') + title + QStringLiteral(".wad")).toStdString(), files::kMaxWadBytes);
                prints.insert(sprayFingerprint(formats::readWadPicture(wad.data(), wad.size())), title);
            } catch (const std::exception&) {
                // A missing or damaged logo file cannot be repeated.
            }
        }
        int total = 0;
        {
            SourceWalk counting(sources, [](const QString&) { return std::size_t(0); });
            SourceFile file;
            while (!shared->stop && counting.next(file))
                ++total;
        }
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->libraryPrints = std::move(prints);
            shared->total = total;
        }
        notify();
        SourceWalk walk(sources, intakeReadLimit);
        SourceFile file;
        while (!shared->stop && walk.next(file)) {
            PreparedLogo logo = prepareLogo(std::move(file));
            file = SourceFile();
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->room.wait(lock, [&] { return shared->stop || shared->ready.size() < kReadAhead; });
            if (shared->stop)
                return;
            shared->ready.push_back(std::move(logo));
            lock.unlock();
            notify();
        }
        {
            std::lock_guard<std::mutex> lock(shared->mutex);
            shared->readingDone = true;
        }
        notify();
    });
    emit progress(0, -1, QString());
}

void BatchImport::cancel()
{
    if (!finished_)
        finish(true);
}

void BatchImport::takeReady()
{
    if (finished_)
        return;
    PreparedLogo logo;
    bool have = false;
    bool readingDone = false;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        if (total_ < 0 && shared_->total >= 0) {
            total_ = shared_->total;
            known_ = std::move(shared_->libraryPrints);
        }
        if (!shared_->ready.empty()) {
            logo = std::move(shared_->ready.front());
            shared_->ready.pop_front();
            have = true;
        }
        readingDone = shared_->readingDone && shared_->ready.empty();
    }
    shared_->room.notify_all();
    if (have) {
        place(logo);
        if (finished_)
            return;   // the library refused to go on
        ++done_;
        emit progress(done_, total_, logo.path);
    } else if (total_ >= 0 && done_ == 0) {
        emit progress(0, total_, QString());
    }
    if (readingDone)
        finish(false);
}

void BatchImport::place(PreparedLogo& logo)
{
    if (!logo.skipReason.isEmpty()) {
        summary_.skipped << BatchEntry{logo.path, logo.skipReason};
        return;
    }
    const auto repeated = known_.constFind(logo.fingerprint);
    if (repeated != known_.constEnd()) {
        summary_.duplicates << BatchEntry{logo.path, *repeated};
        return;
    }
    const auto taken = [this](const QString& name) {
        const QString path = store::logoWadPath(name);
        return titles_.contains(name) || files::exists(path.toStdString())
               || files::exists(logoimport::workingLogoPath(path).toStdString());
    };
    QString name;
    logoimport::Placement placed;
    for (;;) {
        name = logoimport::fitLogoName(logo.name, taken);
        placed.target = store::logoWadPath(name);
        placed.working = logoimport::workingLogoPath(placed.target);
        try {
            // Under its working name until the page that names it is stored.
            files::writeExclusive(placed.working.toStdString(), logo.wad, workDir_);
            break;
        } catch (const files::FileError& e) {
            if (e.targetExists())
                continue;   // made meanwhile by someone else: the next name
            summary_.skipped << BatchEntry{logo.path, QStringLiteral("the logo could not be written: %1").arg(QString::fromUtf8(e.what()))};
            return;
        }
    }
    try {
        const int slot = library_.nextFreeSlotAddingPage(pageBase_);
        library_.setSlot(slot, name, logo.picture);
        logoimport::storeWithLogo(library_, placed);
    } catch (const std::exception& e) {
        // A table that takes no more (a full disk, a page title taken by the
        // pending edit): this logo goes back out, and the batch stops.
        try {
            library_.cancel();
        } catch (const std::exception&) {
        }
        logoimport::undoPlacement(placed);
        summary_.skipped << BatchEntry{logo.path, QStringLiteral("the library could not store it")};
        summary_.stopped = QString::fromUtf8(e.what());
        finish(false);
        return;
    }
    titles_.insert(name);
    known_.insert(logo.fingerprint, name);
    summary_.imported << BatchEntry{logo.path, name, logo.note};
}

void BatchImport::finish(bool cancelled)
{
    finished_ = true;
    summary_.cancelled = cancelled;
    shared_->stop = true;
    shared_->room.notify_all();
    emit finished();
}

} // namespace core
