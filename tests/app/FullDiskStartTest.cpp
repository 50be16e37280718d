// A start on a library whose disk is full: no copy runs without its lock,
// and the message says where to make room.
#include "ProgramFixture.h"
#include "TmpfsMount.h"

#include <QFileInfo>

namespace {

class FullDiskStart : public ProgramFixture {
protected:
    void SetUp() override
    {
        const QString refused = disk_.mount(dir(), QStringLiteral("4m"));
        if (!refused.isEmpty())
            GTEST_SKIP() << refused.toStdString();
        ProgramFixture::SetUp();
        disk_.fillUp(QStringLiteral("filler"));
    }
    void TearDown() override
    {
        ProgramFixture::TearDown();
        disk_.unmount();
    }
    TmpfsMount disk_;
};

TEST_F(FullDiskStart, NoLockNoStartAndTheFullDiskIsNamed)
{
    EXPECT_FALSE(start());
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("The disk that holds ") + dir() + QStringLiteral(" is full")))
        << shown().first().toStdString();
    EXPECT_EQ(program().mainWindow(), nullptr) << "no window runs without the lock";
}

} // namespace
