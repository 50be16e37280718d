// Starting the game and the extra program from the "Logo Installed" dialog.
#include "GameFixture.h"

#include "app/Unit1.h"
#include "game/Launch.h"
#include "game/Unit6.h"
#include "settings/unit2.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace store::ConfigRecord;
using game::ProgramCommand;

namespace game {

bool operator==(const ProgramCommand& a, const ProgramCommand& b)
{
    return a.program == b.program && a.arguments == b.arguments && a.workingDirectory == b.workingDirectory;
}

void PrintTo(const ProgramCommand& c, std::ostream* os)
{
    *os << c.program.toStdString() << " [" << c.arguments.join(QLatin1Char(',')).toStdString() << "] in "
        << c.workingDirectory.toStdString();
}

} // namespace game

namespace {

const QString kWrongDirectory =
    QStringLiteral("Wrong Half-Life directory, select the correct Half-Life directory at the config screen");

// A named pipe that a started script writes to: reading it waits for the
// script itself, up to the time limit, and returns everything it wrote.
class Pipe {
public:
    explicit Pipe(const QString& path) : path_(path)
    {
        made_ = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        if (made_)
            fd_ = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    }
    ~Pipe()
    {
        if (fd_ >= 0)
            ::close(fd_);
        QFile::remove(path_);
    }
    bool ok() const { return fd_ >= 0; }

    // Lines written, or nothing when no writer came and went within the limit.
    QStringList read(int limitMs = 30000)
    {
        QByteArray data;
        pollfd p{fd_, POLLIN, 0};
        for (;;) {
            const int n = ::poll(&p, 1, limitMs);
            if (n <= 0)
                return {QStringLiteral("<nothing within the limit>")};
            char buffer[4096];
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got > 0)
                data.append(buffer, int(got));
            else if (got == 0 || (errno != EAGAIN && errno != EINTR))
                break;
        }
        QStringList lines = QString::fromLocal8Bit(data).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

private:
    QString path_;
    bool made_ = false;
    int fd_ = -1;
};

std::string lines(const QStringList& list) { return list.join(QLatin1Char('\n')).toStdString(); }

// A script that writes its working directory and then its arguments, one
// a line, into the pipe.
QByteArray recordingScript(const QString& pipe)
{
    return "{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" + QFile::encodeName(pipe) + "'\n";
}

class GameStart : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        addPage(QStringLiteral("Page1"), {QStringLiteral("logo_a")});
        addLogo(QStringLiteral("logo_a"), QStringLiteral("spray-a.wad"));
    }

    void openDialog()
    {
        doubleClick(1);
        ASSERT_TRUE(dialog()->isVisible()) << shown().join(QLatin1Char('|')).toStdString();
    }

    QString gameFile(const QString& name) const { return gameRoot() + QLatin1Char('/') + name; }

    // The extra program's button with `program` configured: nothing is
    // started or handed to the desktop, and one box says why.
    void expectExtraProgramRefused(const QString& program, const QString& reason)
    {
        configure(true, true, modFolder(), program);
        ASSERT_TRUE(start());
        openDialog();
        click(QStringLiteral("Button4"));
        EXPECT_TRUE(started.isEmpty());
        EXPECT_TRUE(opened.isEmpty());
        ASSERT_EQ(shown().size(), 1);
        EXPECT_TRUE(shown().first().contains(reason)) << shown().first().toStdString();
    }

    QString storedScratchTitle() const
    {
        store::Table table(store::switchTableDef());
        table.setDirectory(dir());
        table.open();
        const QString title = table.text(store::SwitchRecord::TempImageTitle);
        table.close();
        return title;
    }
};

const QStringList kCstrike{QStringLiteral("-console"), QStringLiteral("-game"), QStringLiteral("cstrike")};

TEST_F(GameStart, StartsTheLauncherInTheGameRootWithTheModFolder)
{
    writeScript(gameFile(QStringLiteral("hl.sh")), "exit 0\n");
    writeScript(gameFile(QStringLiteral("hl_linux")), "exit 0\n");
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    click(QStringLiteral("Button1"));
    EXPECT_EQ(started, (QList<ProgramCommand>{{gameFile(QStringLiteral("hl.sh")), kCstrike, gameRoot()}}))
        << "hl_linux only stands in for a missing launcher";
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(GameStart, WithoutTheLauncherTheGameBinaryIsStarted)
{
    writeScript(gameFile(QStringLiteral("hl_linux")), "exit 0\n");
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    click(QStringLiteral("Button1"));
    EXPECT_EQ(started, (QList<ProgramCommand>{{gameFile(QStringLiteral("hl_linux")), kCstrike, gameRoot()}}));
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(GameStart, NoGameExecutableIsReportedAndTheDialogStaysOpen)
{
    writeScript(modFolder() + QStringLiteral("/hl.sh"), "exit 0\n");   // in the mod folder, not the root
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    click(QStringLiteral("Button1"));
    EXPECT_TRUE(started.isEmpty());
    ASSERT_EQ(shown().size(), 1);
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(shown().first().contains(QStringLiteral("\"") + gameRoot() + QStringLiteral("\""))) << shown().first().toStdString();
    EXPECT_TRUE(shown().first().contains(QStringLiteral("hl.sh"))) << shown().first().toStdString();
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(GameStart, ALocationEndingInASeparatorWarnsAndStartsNothing)
{
    // Started, the game would run without the chosen mod.
    writeScript(modFolder() + QStringLiteral("/hl.sh"), "exit 0\n");
    configure(true, false, modFolder() + QLatin1Char('/'));
    ASSERT_TRUE(start());
    if (!settings().gameLocation().endsWith(QLatin1Char('/')))
        GTEST_SKIP() << "the Configuration window holds no location ending in a separator";
    openDialog();
    EXPECT_EQ(bytesOf(installed()), fixtureBytes(QStringLiteral("spray-a.wad")));
    click(QStringLiteral("Button1"));
    EXPECT_EQ(shown(), QStringList{kWrongDirectory});
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Plain);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(GameStart, TheScratchRecordReachesItsFileBeforeTheGameStarts)
{
    writeScript(gameFile(QStringLiteral("hl.sh")), "exit 0\n");
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    library().setSlot(1, QStringLiteral("pending"), QByteArray());
    library().exchangeSlots(1, 1);   // the scratch record takes the slot and stays pending
    QString storedAtStart = QStringLiteral("<not started>");
    game::setStartHook([&](const ProgramCommand&) { storedAtStart = storedScratchTitle(); });
    click(QStringLiteral("Button1"));
    EXPECT_EQ(storedAtStart, QStringLiteral("pending"));
    EXPECT_FALSE(library().isScratchPending());
}

TEST_F(GameStart, ARealLauncherGetsItsArgumentsAndWorkingDirectory)
{
    Pipe pipe(other() + QStringLiteral("/record"));
    ASSERT_TRUE(pipe.ok());
    writeScript(gameFile(QStringLiteral("hl.sh")), recordingScript(other() + QStringLiteral("/record")));
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    startForReal();
    click(QStringLiteral("Button1"));
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(lines(pipe.read()), lines(QStringList{QDir(gameRoot()).canonicalPath()} + kCstrike));
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(GameStart, ALauncherThatCannotBeStartedIsReportedAndTheDialogStaysOpen)
{
    writeScript(gameFile(QStringLiteral("hl.sh")), "exit 0\n", false);
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    startForReal();
    click(QStringLiteral("Button1"));
    ASSERT_EQ(shown().size(), 1);
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(shown().first().contains(gameFile(QStringLiteral("hl.sh")))) << shown().first().toStdString();
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(GameStart, AnExecutableExtraProgramStartsWithoutArgumentsAndTheDialogStaysOpen)
{
    const QString program = other() + QStringLiteral("/browser.sh");
    writeScript(program, "exit 0\n");
    configure(true, true, modFolder(), program);
    ASSERT_TRUE(start());
    openDialog();
    EXPECT_EQ(dialogButton(QStringLiteral("Button4"))->text(), QStringLiteral("Start browser"));
    click(QStringLiteral("Button4"));
    EXPECT_EQ(started, (QList<ProgramCommand>{{program, {}, other()}}));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(GameStart, ARealExtraProgramRuns)
{
    Pipe pipe(other() + QStringLiteral("/record"));
    ASSERT_TRUE(pipe.ok());
    ASSERT_TRUE(QDir().mkpath(other() + QStringLiteral("/tools")));
    const QString program = other() + QStringLiteral("/tools/browser");
    writeScript(program, recordingScript(other() + QStringLiteral("/record")));
    configure(false, true, modFolder(), program);
    whenModal([](QWidget* modal) { modal->close(); });
    ASSERT_TRUE(start());
    openDialog();
    startForReal();
    click(QStringLiteral("Button4"));
    EXPECT_EQ(lines(pipe.read()), lines({QDir(other() + QStringLiteral("/tools")).canonicalPath()})) << "no arguments";
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(GameStart, AnExtraFileThatIsNoProgramGoesToTheDesktop)
{
    const QString document = other() + QStringLiteral("/servers.html");
    writeBytes(document, "<html></html>");
    configure(true, true, modFolder(), document);
    ASSERT_TRUE(start());
    openDialog();
    EXPECT_EQ(dialogButton(QStringLiteral("Button4"))->text(), QStringLiteral("Start servers"));
    click(QStringLiteral("Button4"));
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(document)});
}

TEST_F(GameStart, AMissingExtraProgramIsReported)
{
    const QString program = other() + QStringLiteral("/moved/away.exe");
    expectExtraProgramRefused(program, program);
    EXPECT_TRUE(dialog()->isVisible());
}

// A table file as the extra program is neither started nor handed to the
// desktop (which could open it inside the program).
TEST_F(GameStart, ATableFileAsTheExtraProgramIsRefused)
{
    expectExtraProgramRefused(path(QStringLiteral("LogoDB.db")), QStringLiteral("is one of the program's tables"));
}

} // namespace
