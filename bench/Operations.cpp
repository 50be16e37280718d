#include "Operations.h"

#include "core/Library.h"
#include "core/Settings.h"
#include "app/MessageBox.h"
#include "app/Program.h"
#include "app/Unit1.h"
#include "handover/Handover.h"
#include "import/LogoImport.h"
#include "import/OpenDialog.h"
#include "import/Unit4.h"
#include "makelogo/MakeLogoDialog.h"
#include "settings/Unit5.h"
#include "slots/Unit9.h"
#include "store/ProgramDir.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <atomic>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <thread>

namespace bench {

bool startProgram(app::Program& program, const QString& dir)
{
    store::setProgramDir(dir);
    app::MessageBox::setScripted(true);
    if (!program.create())
        return false;
    program.show();
    QApplication::processEvents();
    return true;
}

QString sprayCopy(const QString& dir)
{
    const QString chosen = dir + QStringLiteral("/spray.wad");
    if (!QFile::exists(chosen) && !QFile::copy(QStringLiteral(TAGOMAT_FIXTURES_DIR "/spray-a.wad"), chosen))
        throw std::runtime_error("no spray to import");
    return chosen;
}

QString pictureCopy(const QString& dir)
{
    const QString picture = dir + QStringLiteral("/picture.png");
    if (QFile::exists(picture))
        return picture;
    QImage image(96, 64, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    for (int y = 16; y < 48; ++y)
        for (int x = 24; x < 72; ++x)
            image.setPixel(x, y, qRgb(20, 160, 40));
    if (!image.save(picture))
        throw std::runtime_error("no picture to make logos from");
    return picture;
}

namespace {

// Runs `open`, which shows `dialog` modally, and answers the dialog with
// `text` and its OK button as soon as it is open; okPressed, when given,
// starts then.
void answering(QWidget& dialog, QLineEdit* edit, QPushButton* ok, const QString& text,
               const std::function<void()>& open, QElapsedTimer* okPressed = nullptr)
{
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != &dialog)
            return;
        answer.stop();
        edit->setText(text);
        if (okPressed)
            okPressed->start();
        ok->click();
    });
    answer.start();
    open();
}

} // namespace

void importLogo(TForm1& form, int slot, const QString& chosen, const QString& name, QElapsedTimer* okPressed)
{
    TForm4& prompt = *form.findChild<TForm4*>();
    logoimport::OpenDialog::queueChoice(chosen);
    answering(prompt, prompt.Edit1, prompt.Button1, name, [&] { form.InsertClick(slot); }, okPressed);
    if (form.library().slotTitle(slot) != name)
        throw std::runtime_error("an import did not fill the slot: "
                                 + app::MessageBox::shownTexts().join(QStringLiteral(" / ")).toStdString());
}

void handOverLogo(TForm1& form, const QString& file, const QString& name)
{
    TForm4& prompt = *form.findChild<TForm4*>();
    logoimport::Importer& importer = form.importer();
    const int slot = form.library().freeSlot();
    // Sent from a thread of its own, as by another process, while this one's
    // event loop lets the window take it and import it.
    std::atomic<bool> sent{false};
    bool taken = false;
    QString why;
    answering(prompt, prompt.Edit1, prompt.Button1, name, [&] {
        std::thread second([&] {
            taken = handover::send(file, &why);
            sent = true;
        });
        while (!sent || importer.queued() > 0 || importer.isRunning())
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
        second.join();
    });
    if (!taken)
        throw std::runtime_error("the hand-over was refused: " + why.toStdString());
    if (slot == 0 || form.library().slotTitle(slot) != name)
        throw std::runtime_error("a hand-over did not fill a slot");
}

void makeLogo(TForm1& form, int slot, const QString& picture, const QString& name)
{
    TForm4& prompt = *form.findChild<TForm4*>();
    logoimport::OpenDialog::queueChoice(picture);
    // Make logo comes first; OK there takes its defaults.
    QTimer maker;
    maker.setInterval(0);
    QObject::connect(&maker, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<makelogo::MakeLogoDialog*>(QApplication::activeModalWidget())) {
            maker.stop();
            dialog->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
        }
    });
    maker.start();
    answering(prompt, prompt.Edit1, prompt.Button1, name, [&] { form.InsertClick(slot); });
    if (form.library().slotTitle(slot) != name)
        throw std::runtime_error("a made logo did not fill the slot");
}

void renameSlot(TForm1& form, int slot, const QString& name)
{
    form.makeAllDialogs();
    TForm9& dialog = *form.findChild<TForm9*>();
    answering(dialog, dialog.Edit1, dialog.Button1, name, [&] { form.DBEditClick(slot); });
    if (form.library().slotTitle(slot) != name)
        throw std::runtime_error("a rename did not name the slot");
}

namespace {

void report(const QElapsedTimer& timer)
{
    std::printf("T %.4f\n", timer.nsecsElapsed() / 1e6);
}

void timeMoves(TForm1& form, int count)
{
    auto* next = form.findChild<QToolButton*>(QStringLiteral("DBNavigator2Next"));
    auto* first = form.findChild<QToolButton*>(QStringLiteral("DBNavigator2First"));
    for (int i = 0; i < count; ++i) {
        QToolButton* button = next->isEnabled() ? next : first;
        QElapsedTimer timer;
        timer.start();
        button->click();
        QApplication::processEvents();   // the pictures painted
        report(timer);
    }
}

void timePosts(TForm1& form, int count)
{
    for (int i = 0; i < count; ++i) {
        form.library().edit();
        form.library().setSlot(1 + i % 8, QStringLiteral("t%1").arg(i), form.library().slotPicture(1 + i % 8));
        app::MessageBox::setNextAnswer(app::MessageBox::Answer::Yes);
        QElapsedTimer timer;
        timer.start();
        form.bSaveClick();
        report(timer);
    }
}

// Imports a real spray into slot 1, from the name prompt's OK to the slot
// filled and the page posted, with the wait-time slider at 0.
void timeImports(TForm1& form, int count)
{
    QTemporaryDir elsewhere;
    const QString chosen = sprayCopy(elsewhere.path());
    form.settings().setWaitPosition(0);
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("bench%1").arg(i);
        QElapsedTimer timer;
        // Slot 1 holds a logo: "Yes" to the question whether to replace it.
        if (!form.library().slotTitle(1).isEmpty())
            app::MessageBox::setNextAnswer(app::MessageBox::Answer::Yes);
        importLogo(form, 1, chosen, name, &timer);
        report(timer);
        QFile::remove(store::logoWadPath(name));
    }
}

} // namespace

int operationsChild(const QString& dir, const QString& kind, int count)
{
    app::Program program;
    if (!startProgram(program, dir))
        return 1;
    TForm1& form = *program.mainWindow();
    if (kind == QLatin1String("move"))
        timeMoves(form, count);
    else if (kind == QLatin1String("post"))
        timePosts(form, count);
    else if (kind == QLatin1String("import"))
        timeImports(form, count);
    else
        return 2;
    std::fflush(stdout);
    return 0;
}

} // namespace bench
