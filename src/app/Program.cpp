#include "Program.h"

#include "MessageBox.h"
#include "ProgramStyle.h"
#include "Unit1.h"
#include "core/Library.h"
#include "core/Settings.h"
#include "core/WorkingFiles.h"
#include "handover/Handover.h"
#include "handover/OpenFile.h"
#include "import/LogoImport.h"
#include "info/ScreenCentre.h"
#include "store/Installer.h"
#include "store/ParadoxConversion.h"
#include "store/ProgramDir.h"

#include <QFileInfo>
#include <QLockFile>

#include <cstdio>

namespace app {

Program::Program() = default;
Program::~Program() { destroy(); }

bool Program::create()
{
    QString layoutError;
    if (!store::makeProgramDir(&layoutError)) {
        app::MessageBox::error(layoutError);
        return false;
    }
    instanceLock_ = std::make_unique<QLockFile>(store::programFile(QStringLiteral("tagomat2.lock")));
    instanceLock_->setStaleLockTime(0);   // stale only when its process is gone
    if (!instanceLock_->tryLock(0)) {
        const bool running = instanceLock_->error() == QLockFile::LockFailedError;
        instanceLock_.reset();
        const QString lockPath = store::programFile(QStringLiteral("tagomat2.lock"));
        const QFileInfo lockInfo(lockPath);
        if (lockInfo.exists() && !lockInfo.isFile()) {
            // Something else has the lock's name: no copy can be running.
            app::MessageBox::error(QStringLiteral("Tagomat 2 cannot start: %1 is not a file but %2. Tagomat 2 keeps "
                                                  "that name for the file that shows it runs; move it away and start "
                                                  "Tagomat 2 again.")
                                       .arg(lockPath, lockInfo.isDir() ? QStringLiteral("a folder")
                                                                       : QStringLiteral("something else")));
            return false;
        }
        if (running && !refusedFiles_.isEmpty()) {
            // The window runs elsewhere: the terminal of this start hears it.
            for (const QString& line : refusedFiles_)
                std::fprintf(stderr, "Tagomat 2: not handed over: %s\n", line.toLocal8Bit().constData());
            if (filesToOpen_.isEmpty())
                return false;   // nothing at all to hand over
        }
        if (running) {
            QString why;
            if (handover::sendFiles(filesToOpen_, &why)) {
                handedOver_ = true;
                return false;
            }
            if (!filesToOpen_.isEmpty()) {
                app::MessageBox::error(QStringLiteral("Tagomat 2 is already running on %1, and %2 could not be handed "
                                                      "to its window (%3). Drop the file on that window instead.")
                                           .arg(store::programDir(), filesToOpen_.join(QStringLiteral(", ")), why));
                return false;
            }
            app::MessageBox::error(QStringLiteral("Tagomat 2 is already running on %1. Use that window, or close it "
                                                  "before you start Tagomat 2 again.")
                                       .arg(store::programDir()));
            return false;
        }
        // The library lives in the program directory: without write access
        // nothing could be saved, and the tables cannot even be opened.
        if (!QFileInfo(store::programDir()).isWritable()) {
            app::MessageBox::error(QStringLiteral("Tagomat 2 cannot write in its program directory %1, where it keeps "
                                                  "your logos. Make it writable and start Tagomat 2 again.")
                                       .arg(store::programDir()));
            return false;
        }
        // Without the lock a second copy could run on the same library, and
        // the logos one of them imports would be lost to the other.
        if (store::programDirDiskFull())
            app::MessageBox::error(QStringLiteral("The disk that holds %1 is full: Tagomat 2 cannot write the file "
                                                  "that shows it runs. Make room on it and start Tagomat 2 again.")
                                       .arg(store::programDir()));
        else
            app::MessageBox::error(QStringLiteral("Tagomat 2 cannot start: the file %1, which shows that it runs, "
                                                  "could not be written.")
                                       .arg(lockPath));
        return false;
    }
    if (!store::installMissingTables(&layoutError)) {
        app::MessageBox::error(layoutError);
        destroy();
        return false;
    }
    offerParadoxConversion();
    // What imports killed while copying a logo left behind.
    logoimport::removeStaleWorkingFiles();
    ProgramStyle::install();
    library_ = std::make_unique<core::Library>();
    settings_ = std::make_unique<core::Settings>();
    mainWindow_ = new TForm1(*library_, *settings_);
    if (!mainWindow_->FormCreate()) {
        destroy();
        return false;
    }
    mainWindow_->createDialogs();
    TForm1* window = mainWindow_;
    auto server = std::make_unique<handover::Server>([window](const QString& file) {
        handover::bringToFront(*window);
        if (!file.isEmpty())
            window->importer().enqueue(file);
    });
    server->setReceiveFiles([window](const QStringList& files) {
        handover::bringToFront(*window);
        window->importer().enqueueMany(files);
    });
    server->listen();   // without it a second start reports that this one runs
    handoverServer_ = std::move(server);
    return true;
}

// A library whose tables are Paradox files can be read only once it is
// converted; without the conversion the tables cannot be opened, which the
// main window reports.
void Program::offerParadoxConversion()
{
    const QString dir = store::programDir();
    if (!store::holdsParadoxTables(dir) || !app::MessageBox::confirm(QString::fromUtf8(store::kConvertQuestion)))
        return;
    try {
        const store::ConversionReport report = store::convertParadoxLibrary(dir);
        const store::InstallReport missing = store::installTables(dir);
        QStringList lines{QStringLiteral("The library was converted: %1 pages. The old files are in %2.")
                              .arg(report.pages)
                              .arg(dir + QLatin1Char('/') + QLatin1String(store::kOldTablesFolder))};
        lines << report.notes << missing.failures;
        app::MessageBox::plain(lines.join(QLatin1Char('\n')));
    } catch (const store::ConversionError& e) {
        app::MessageBox::error(QString::fromUtf8(e.what()));
    }
}

void Program::show()
{
    mainWindow_->FormShow();
    mainWindow_->adjustSize();
    info::centreOnScreen(mainWindow_);   // the main window opens centred, like the dialogs
    mainWindow_->show();
    // Said once the window shows, before the other files' imports start.
    if (!refusedFiles_.isEmpty())
        app::MessageBox::error(QStringLiteral("These files could not be opened:\n") + refusedFiles_.join(QLatin1Char('\n')));
    if (!filesToOpen_.isEmpty())
        mainWindow_->importer().enqueueMany(filesToOpen_);
}

void Program::destroy()
{
    handoverServer_.reset();
    delete mainWindow_;   // the dialogs are its children
    mainWindow_ = nullptr;
    settings_.reset();
    library_.reset();
    instanceLock_.reset();
}

} // namespace app
