// Start-up: the tables, the first run, the clean-up of the import's leftovers
// and the settings copied into their dialogs.
#include "ProgramFixture.h"

#include "app/Unit1.h"
#include "info/Links.h"
#include "settings/Unit5.h"
#include "settings/unit2.h"
#include "store/Records.h"

#include <QApplication>
#include <QFile>

using namespace store::ConfigRecord;

namespace {

class Startup : public ProgramFixture {};

const QString kDatabaseMessage = QStringLiteral("Install the Database update before you start Tagomat2. Find it at our website ");

class MissingTable : public ProgramFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingTable, EndsTheProgramWithTheDatabaseMessage)
{
    QFile::remove(path(QLatin1String(GetParam())));
    EXPECT_FALSE(start());
    EXPECT_EQ(shown(), QStringList{kDatabaseMessage + info::webHost()});
    EXPECT_EQ(program().mainWindow(), nullptr);
    EXPECT_FALSE(fileExists(QLatin1String(GetParam()))) << "opening never creates a table";
}

INSTANTIATE_TEST_SUITE_P(EachTable, MissingTable, ::testing::Values("LogoDB.db", "ConfigDB.db", "SwitchDB.db"));

TEST_F(Startup, ADamagedTableEndsTheProgramWithTheDatabaseMessage)
{
    QFile::remove(path("LogoDB.db-wal"));
    QFile::remove(path("LogoDB.db-shm"));
    writeFile("LogoDB.db", QByteArray(3000, 'x'));
    EXPECT_FALSE(start());
    EXPECT_EQ(shown(), QStringList{kDatabaseMessage + info::webHost()});
}

TEST_F(Startup, FirstRunShowsTheConfigurationBeforeTheMainWindow)
{
    bool shownFirst = false;
    bool mainVisible = true;
    whenModal([&](QWidget* modal) {
        shownFirst = modal == &window<TForm2>();
        mainVisible = form().isVisible();
        modal->close();
    });
    ASSERT_TRUE(start());
    EXPECT_TRUE(shownFirst);
    EXPECT_FALSE(mainVisible);
    EXPECT_TRUE(form().isVisible());
}

class OneSavedSetting : public ProgramFixture, public ::testing::WithParamInterface<int> {};

TEST_P(OneSavedSetting, IsEnoughToSkipTheFirstRun)
{
    setConfig(GetParam(), QStringLiteral("Yes"));
    bool modalSeen = false;
    whenModal([&](QWidget* modal) {
        modalSeen = true;
        modal->close();
    });
    ASSERT_TRUE(start());
    QApplication::processEvents();
    EXPECT_FALSE(modalSeen);
}

INSTANTIATE_TEST_SUITE_P(EitherSetting, OneSavedSetting, ::testing::Values(ConfigSaved, ExtraConfigSaved));

TEST_F(Startup, LeftoversOfAnImportAreRemoved)
{
    setConfig(ConfigSaved, QStringLiteral("Yes"));
    writeFile("a.pcx", "1");
    writeFile("b.pcx", "2");
    writeFile(".hidden.pcx", "3");
    writeFile("temp.jpg", "4");
    writeFile("keep.wad", "5");
    writeFile("other.jpg", "6");
    ASSERT_TRUE(start());
    EXPECT_FALSE(fileExists("a.pcx"));
    EXPECT_FALSE(fileExists("b.pcx"));
    EXPECT_FALSE(fileExists(".hidden.pcx"));
    EXPECT_FALSE(fileExists("temp.jpg"));
    EXPECT_TRUE(fileExists("keep.wad"));
    EXPECT_TRUE(fileExists("other.jpg"));
}

TEST_F(Startup, TheStoredSettingsReachTheirDialogs)
{
    setConfig(ConfigSaved, QStringLiteral("Yes"));
    setConfig(Config, dir());
    setConfig(WaitTime, QStringLiteral("310"));
    ASSERT_TRUE(start());
    EXPECT_EQ(settings().gameLocation(), dir());
    EXPECT_EQ(window<TForm5>().position(), 15);
    EXPECT_TRUE(shown().isEmpty()) << shown().join('|').toStdString();
}

TEST_F(Startup, AWaitTimeThatIsNoNumberIsReportedAndTheWindowOpens)
{
    setConfig(ConfigSaved, QStringLiteral("Yes"));
    setConfig(WaitTime, QStringLiteral("abc"));
    ASSERT_TRUE(start());
    ASSERT_EQ(app::MessageBox::shown().size(), 1);
    EXPECT_EQ(app::MessageBox::shown()[0].kind, app::MessageBox::Kind::Error);
    EXPECT_EQ(shown()[0], QStringLiteral("'abc' is not a valid integer value."));
    EXPECT_TRUE(form().isVisible());
}

TEST_F(Startup, APathWithSpacesIsNoLongerAWarning)
{
    // The converters get their paths as separate arguments, so a space is harmless.
    setConfig(ConfigSaved, QStringLiteral("Yes"));
    ASSERT_TRUE(start());
    EXPECT_TRUE(shown().isEmpty());
}

} // namespace
