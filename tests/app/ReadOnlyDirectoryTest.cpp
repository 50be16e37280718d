// A program directory that has become read-only: the program says so and
// ends, instead of blaming the tables, and leaves the library as it was.
#include "ProgramFixture.h"
#include "TmpfsMount.h"

#include "app/Unit1.h"
#include "store/Records.h"


namespace {

class ReadOnlyDirectory : public ProgramFixture {
protected:
    void SetUp() override
    {
        const QString refused = disk_.mount(dir(), QStringLiteral("16m"));
        if (!refused.isEmpty())
            GTEST_SKIP() << refused.toStdString();
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    }
    void TearDown() override
    {
        ProgramFixture::TearDown();
        disk_.unmount();
    }
    TmpfsMount disk_;
};

TEST_F(ReadOnlyDirectory, SaysSoAndEnds)
{
    addPage(QStringLiteral("Kept"), {QStringLiteral("logo")});
    const QByteArray before = readFile(QStringLiteral("LogoDB.db"));
    ASSERT_TRUE(disk_.remountReadOnly());

    EXPECT_FALSE(start());
    ASSERT_EQ(shown().size(), 1) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("Tagomat 2 cannot write in its program directory ") + dir()))
        << shown().first().toStdString();
    EXPECT_EQ(program().mainWindow(), nullptr);
    EXPECT_EQ(readFile(QStringLiteral("LogoDB.db")), before);
}

} // namespace
