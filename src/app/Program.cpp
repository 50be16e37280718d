#include "Program.h"

#include "Forms.h"
#include "MessageBox.h"
#include "Unit1.h"
#include "game/Unit6.h"
#include "import/Unit11.h"
#include "import/Unit4.h"
#include "import/WorkingFiles.h"
#include "info/Unit3.h"
#include "info/ScreenCentre.h"
#include "info/Unit7.h"
#include "settings/Unit5.h"
#include "settings/Unit8.h"
#include "settings/unit2.h"
#include "slots/Unit9.h"
#include "handover/Handover.h"
#include "handover/OpenFile.h"
#include "store/LogoFile.h"
#include "store/ProgramLayout.h"

#include <QFileInfo>
#include <QLockFile>

Forms& forms()
{
    static Forms f;
    return f;
}

namespace app {

Program::~Program() { destroy(); }

bool Program::create()
{
    QString layoutError;
    if (!store::prepareProgramDir(&layoutError)) {
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
        if (running) {
            QString why;
            if (handover::send(fileToOpen_, &why)) {
                handedOver_ = true;
                return false;
            }
            if (!fileToOpen_.isEmpty()) {
                app::MessageBox::error(QStringLiteral("Tagomat 2 is already running on %1, and %2 could not be handed "
                                                      "to its window (%3). Drop the file on that window instead.")
                                           .arg(store::programDir(), fileToOpen_, why));
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
    }
    // What imports killed while copying a logo left behind.
    logoimport::removeStaleWorkingFiles();
    Forms& f = forms();
    f.Form1 = new TForm1;
    if (!f.Form1->FormCreate()) {
        delete f.Form1;
        f.Form1 = nullptr;
        instanceLock_.reset();
        return false;
    }
    f.Form6 = new TForm6(f.Form1);
    f.Form4 = new TForm4(f.Form1);
    f.Form5 = new TForm5(f.Form1);
    f.AboutBox = new TAboutBox(f.Form1);
    f.Form3 = new TForm3(f.Form1);
    f.Form8 = new TForm8(f.Form1);
    f.Form2 = new TForm2(f.Form1);
    f.Form9 = new TForm9(f.Form1);
    f.Form11 = new TForm11(f.Form1);
    auto server = std::make_unique<handover::Server>([](const QString& file) {
        if (!forms().Form1)
            return;
        if (file.isEmpty())
            handover::bringToFront(*forms().Form1);
        else
            handover::openAsDrop(*forms().Form1, file);
    });
    server->listen();   // without it a second start reports that this one runs
    handoverServer_ = std::move(server);
    return true;
}

void Program::show()
{
    forms().Form1->FormShow();
    forms().Form1->adjustSize();
    info::centreOnScreen(forms().Form1);   // the main window opens centred, like the dialogs
    forms().Form1->show();
    if (!fileToOpen_.isEmpty())
        handover::openAsDrop(*forms().Form1, fileToOpen_);
}

void Program::destroy()
{
    handoverServer_.reset();
    delete forms().Form1;   // the dialogs are its children
    forms() = Forms();
    instanceLock_.reset();
}

} // namespace app
