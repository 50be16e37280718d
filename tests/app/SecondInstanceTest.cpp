// Only one instance runs on a program directory at a time.
#include "ProgramFixture.h"

#include "store/Records.h"

#include <QDir>
#include <QLockFile>

namespace {

class SecondInstance : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    }
};

TEST_F(SecondInstance, IsRefusedWhileTheFirstRuns)
{
    // The other instance is another process holding the directory's lock.
    QLockFile other(path(QStringLiteral("tagomat2.lock")));
    other.setStaleLockTime(0);
    ASSERT_TRUE(other.tryLock(0));

    EXPECT_FALSE(start());
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("Tagomat 2 is already running on ") + dir()));
    EXPECT_EQ(program().mainWindow(), nullptr) << "no window of the second instance";

    other.unlock();
    app::MessageBox::clearShown();
    EXPECT_TRUE(start()) << "the directory is free again once the first has ended";
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(SecondInstance, TakesOverTheLockOfACrashedInstance)
{
    // A lock file left by a process that no longer exists.
    writeFile(QStringLiteral("tagomat2.lock"), "999999999\ntagomat2\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_TRUE(start());
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(SecondInstance, HoldsTheLockWhileRunning)
{
    ASSERT_TRUE(start());
    QLockFile probe(path(QStringLiteral("tagomat2.lock")));
    probe.setStaleLockTime(0);
    EXPECT_FALSE(probe.tryLock(0));
    stop();
    EXPECT_TRUE(probe.tryLock(0));
}

} // namespace

namespace {

TEST_F(SecondInstance, ALockThatIsAFolderIsNamedAsSuchNotAsARunningCopy)
{
    ASSERT_TRUE(QDir().mkdir(path(QStringLiteral("tagomat2.lock"))));
    EXPECT_FALSE(start());
    ASSERT_EQ(shown().size(), 1);
    EXPECT_FALSE(shown().first().contains(QStringLiteral("already running"))) << shown().first().toStdString();
    EXPECT_TRUE(shown().first().contains(path(QStringLiteral("tagomat2.lock")) + QStringLiteral(" is not a file but a folder")))
        << shown().first().toStdString();
}

} // namespace
