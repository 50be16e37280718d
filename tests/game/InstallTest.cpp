// A double click on a slot picture puts the slot's logo wad file into the
// game as pldecal.wad and opens the "Logo Installed" dialog.
#include "GameFixture.h"
#include "support/EndedProcess.h"
#include "support/LockedDirectory.h"

#include "app/Unit1.h"
#include "core/Install.h"
#include "game/Unit6.h"
#include "settings/Unit8.h"
#include "settings/unit2.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace store::ConfigRecord;

namespace {

class Install : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        addPage(QStringLiteral("Page1"), {QStringLiteral("logo_a"), QStringLiteral("logo_b"), QString(), QStringLiteral("gone")});
        addLogo(QStringLiteral("logo_a"), QStringLiteral("spray-a.wad"));
        addLogo(QStringLiteral("logo_b"), QStringLiteral("spray-b.wad"));
    }

    QStringList modFolderEntries() const
    {
        return QDir(modFolder()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

TEST_F(Install, CopiesTheLogoIntoTheGameAndOpensTheDialogWithoutModality)
{
    configure(true, false);
    ASSERT_TRUE(start());
    doubleClick(1);

    EXPECT_EQ(bytesOf(installed()), fixtureBytes(QStringLiteral("spray-a.wad")));
    EXPECT_EQ(modFolderEntries(), (QStringList{QStringLiteral("pldecal.wad"), QStringLiteral("tempdecal.wad")}))
        << "no temporary file is left";
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(dialog()->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("Logo Installed"));
    EXPECT_EQ(dialog()->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Spraylogo Installed!"));
    EXPECT_EQ(dialog()->size(), QSize(172, 199));
    EXPECT_FALSE(library().isEditing()) << "installing changes no page";
    EXPECT_FALSE(library().UnsavedChanges());
}

TEST_F(Install, ASecondInstallReplacesTheFirstWithoutAQuestion)
{
    configure(true, false);
    writeBytes(installed(), "the game's own logo");
    ASSERT_TRUE(start());
    doubleClick(1);
    EXPECT_EQ(bytesOf(installed()), fixtureBytes(QStringLiteral("spray-a.wad")));
    doubleClick(2);
    EXPECT_EQ(bytesOf(installed()), fixtureBytes(QStringLiteral("spray-b.wad")));
    EXPECT_EQ(modFolderEntries(), (QStringList{QStringLiteral("pldecal.wad"), QStringLiteral("tempdecal.wad")}));
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(Install, AnEmptyTitleAsksForTheNameAndCopiesNothing)
{
    configure(true, true);
    ASSERT_TRUE(start());
    doubleClick(3);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Please enter the name of the wad file under the logo image.")});
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Plain);
    EXPECT_FALSE(QFile::exists(installed()));
    EXPECT_FALSE(dialog()->isVisible());
}

class EmptyLibrary : public GameFixture {};

TEST_F(EmptyLibrary, HasNoTitleToInstall)
{
    configure(true, true);
    ASSERT_TRUE(start());
    doubleClick(1);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Please enter the name of the wad file under the logo image.")});
    EXPECT_FALSE(QFile::exists(installed()));
}

TEST_F(Install, AMissingLogoWadFileNamesTheProgramDirectory)
{
    configure(true, false);
    writeBytes(installed(), "the game's own logo");
    ASSERT_TRUE(start());
    doubleClick(4);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("No wad file found of this picture. Place the wad file of this picture in this directory: ") + dir()});
    EXPECT_EQ(bytesOf(installed()), QByteArray("the game's own logo"));
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(Install, ATitleWithAPathSeparatorNamesNoLogoWadFile)
{
    addPage(QStringLiteral("Page0"), {QStringLiteral("sub/logo")});
    ASSERT_TRUE(QDir(dir()).mkdir(QStringLiteral("sub")));
    addLogo(QStringLiteral("sub/logo"), QStringLiteral("spray-a.wad"));
    configure(true, false);
    ASSERT_TRUE(start());
    ASSERT_EQ(library().slotTitle(1), QStringLiteral("sub/logo"));
    doubleClick(1);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("No wad file found of this picture. Place the wad file of this picture in this directory: ") + dir()});
    EXPECT_FALSE(QFile::exists(installed()));
}

TEST_F(Install, WithNothingConfiguredTheConfigurationOpensBesideTheMainWindow)
{
    configure(false, false);
    whenModal([](QWidget* modal) { modal->close(); });   // the first-run configuration
    ASSERT_TRUE(start());
    ASSERT_FALSE(window<TForm2>().isVisible());
    doubleClick(1);
    EXPECT_TRUE(window<TForm2>().isVisible());
    EXPECT_FALSE(window<TForm2>().isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form().isEnabled());
    EXPECT_FALSE(QFile::exists(installed()));
    EXPECT_FALSE(dialog()->isVisible());
}

// Quitting while that window is still showing ends the run: its closing
// questions would come after the main window has gone, and a Yes would open
// Extra options during shutdown.
TEST_F(Install, ClosingTheMainWindowClosesTheConfigurationWithoutItsQuestions)
{
    configure(false, false);
    whenModal([](QWidget* modal) { modal->close(); });   // the first-run configuration
    ASSERT_TRUE(start());
    doubleClick(1);
    ASSERT_TRUE(window<TForm2>().isVisible());
    app::MessageBox::clearShown();

    QWidget* openedModal = nullptr;
    whenModal([&openedModal](QWidget* modal) {
        openedModal = modal;
        modal->close();
    });
    library().setUnsavedChanges(true);
    answer({no(), yes(), yes()});   // the save question, then Yes to anything more
    EXPECT_TRUE(form().close());
    QCoreApplication::processEvents();

    EXPECT_EQ(shown(), QStringList{QStringLiteral("Do you want to save changes?")});
    EXPECT_FALSE(window<TForm2>().isVisible());
    EXPECT_FALSE(window<TForm8>().isVisible());
    EXPECT_EQ(openedModal, nullptr) << "opened during shutdown: " << openedModal->objectName().toStdString();
}

TEST_F(Install, OnlyTheSavedFlagsCountAndOnlyAnExactYes)
{
    setConfig(Config, modFolder());
    setConfig(ConfigSaved, QStringLiteral("yes"));
    setConfig(ExtraConfigSaved, QStringLiteral("YES"));
    ASSERT_TRUE(start());
    doubleClick(1);
    EXPECT_TRUE(window<TForm2>().isVisible());
    EXPECT_FALSE(QFile::exists(installed()));
}

TEST_F(Install, WithOnlyTheExtraProgramSavedTheLogoGoesToTheHeldLocation)
{
    configure(false, true, modFolder(), other() + QStringLiteral("/browser"));
    whenModal([](QWidget* modal) { modal->close(); });
    ASSERT_TRUE(start());
    doubleClick(2);
    EXPECT_FALSE(window<TForm2>().isVisible());
    EXPECT_EQ(bytesOf(installed()), fixtureBytes(QStringLiteral("spray-b.wad")));
    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(dialogButton(QStringLiteral("Button1"))->isEnabled()) << "the game location was never saved";
    EXPECT_TRUE(dialogButton(QStringLiteral("Button4"))->isEnabled());
}

TEST_F(Install, AMissingGameLocationIsReportedAndNoDialogOpens)
{
    configure(true, false);
    ASSERT_TRUE(start());
    ASSERT_TRUE(QDir(modFolder()).removeRecursively());
    doubleClick(1);
    ASSERT_EQ(shown().size(), 1);
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(shown().first().contains(modFolder())) << shown().first().toStdString();
    EXPECT_FALSE(shown().first().contains(QStringLiteral("Spraylogo Installed!")));
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_FALSE(QFile::exists(installed()));
}

TEST_F(Install, AGameLocationThatVanishesAfterTheChecksIsReportedAsMissing)
{
    configure(true, false);
    ASSERT_TRUE(start());
    core::setBeforeCopyHook([this] { ASSERT_TRUE(QDir(gameRoot()).removeRecursively()); });
    doubleClick(1);
    core::setBeforeCopyHook({});

    ASSERT_EQ(shown().size(), 1) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
    EXPECT_EQ(shown().first(), QStringLiteral("The logo was not installed: the game location \"%1\" is not an existing directory. "
                                              "Select the correct Half-Life directory at the config screen.")
                                   .arg(modFolder()));
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_FALSE(QFileInfo::exists(gameRoot())) << "nothing is created in its place";
    EXPECT_TRUE(QFile::exists(dir() + QStringLiteral("/logo_a.wad")));
}

TEST_F(Install, RemovesWhatAnInstallCutShortByACrashLeftAndNothingElse)
{
    configure(true, false);
    const pid_t ended = endedProcessId();
    const QString stale = QStringLiteral("pldecal.wad.part%1-0").arg(ended);
    const QString running = QStringLiteral("pldecal.wad.part%1-0").arg(runningOtherProcessId());
    const QString other = QStringLiteral("liblist.gam.part%1-0").arg(ended);
    for (const QString& name : {stale, running, other})
        writeBytes(modFolder() + QLatin1Char('/') + name, "half a logo");
    ASSERT_TRUE(start());
    doubleClick(1);

    EXPECT_EQ(bytesOf(installed()), fixtureBytes(QStringLiteral("spray-a.wad")));
    EXPECT_EQ(modFolderEntries(), (QStringList{other, QStringLiteral("pldecal.wad"), running, QStringLiteral("tempdecal.wad")}));
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(Install, AFailedCopyNamesThePathAndTheReasonAndKeepsTheOldLogo)
{
    configure(true, false);
    writeBytes(installed(), "the game's own logo");
    ASSERT_TRUE(start());
    {
        LockedDirectory lock(modFolder());
        if (!lock.locked())
            GTEST_SKIP() << "this file system cannot lock a directory against root";
        doubleClick(1);
    }
    ASSERT_EQ(shown().size(), 1);
    const QString text = shown().first();
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(text.contains(installed())) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Permission denied")) || text.contains(QStringLiteral("Operation not permitted")))
        << text.toStdString();
    EXPECT_FALSE(dialog()->isVisible()) << "a failed copy is no installed logo";
    EXPECT_EQ(bytesOf(installed()), QByteArray("the game's own logo"));
    EXPECT_EQ(modFolderEntries(), QStringList{QStringLiteral("pldecal.wad")});
}

TEST_F(Install, AFurtherInstallBringsTheOpenDialogForwardWithoutReevaluatingIt)
{
    configure(true, false);
    ASSERT_TRUE(start());
    doubleClick(1);
    ASSERT_TRUE(dialog()->isVisible());
    ASSERT_TRUE(dialogButton(QStringLiteral("Button1"))->isEnabled());

    setConfig(ConfigSaved, QStringLiteral("No"));
    setConfig(ExtraConfigSaved, QStringLiteral("Yes"));
    doubleClick(2);
    EXPECT_EQ(bytesOf(installed()), fixtureBytes(QStringLiteral("spray-b.wad")));
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_TRUE(dialogButton(QStringLiteral("Button1"))->isEnabled()) << "the buttons keep their states";
    EXPECT_FALSE(dialogButton(QStringLiteral("Button4"))->isEnabled());

    click(QStringLiteral("Button2"));
    doubleClick(1);
    EXPECT_FALSE(dialogButton(QStringLiteral("Button1"))->isEnabled()) << "a new opening reads the settings again";
    EXPECT_TRUE(dialogButton(QStringLiteral("Button4"))->isEnabled());
}

} // namespace
