// A file named on the command line, or handed over by a second start to the
// running window, is imported as a drop is.
#include "ImportFixture.h"

#include "app/Unit1.h"
#include "handover/Handover.h"
#include "handover/OpenFile.h"
#include "settings/Unit5.h"

#include <QDir>
#include <QLockFile>
#include <QTest>

#include <atomic>
#include <thread>

class Handover : public ImportFixture {
protected:
    // Sends from a thread of its own, as a second start would, while this
    // thread's event loop lets the running window answer.
    bool sendFromSecondStart(const QString& file, QString* why)
    {
        std::atomic<bool> done{false};
        bool ok = false;
        std::thread second([&] {
            ok = handover::send(file, why);
            done = true;
        });
        const bool finished = QTest::qWaitFor([&] { return done.load(); }, 15000);
        second.join();
        return finished && ok;
    }
};

TEST_F(Handover, FileOnTheCommandLineGoesToTheFirstFreeSlot)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one")});
    const QString a = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"));
    answerPrompt({QStringLiteral("fromline")});
    program().setFileToOpen(a);
    ASSERT_TRUE(start());

    EXPECT_EQ(slotTitle(2), QStringLiteral("fromline"));
    expectShowsWad(slotImage(2), a);
    EXPECT_TRUE(fileExists(QStringLiteral("fromline.wad")));
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(Handover, SecondStartHandsItsFileToTheRunningWindow)
{
    addPage(QStringLiteral("Page1"), {});
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    const QString b = copyTo(elsewhere(), QStringLiteral("spray-b.wad"), QStringLiteral("b.wad"));
    answerPrompt({QStringLiteral("handed")});

    QString why;
    ASSERT_TRUE(sendFromSecondStart(b, &why)) << why.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return slotTitle(1) == QStringLiteral("handed"); }, 15000));
    expectShowsWad(slotImage(1), b);
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();

    // Without a file the running window only comes to the front.
    ASSERT_TRUE(sendFromSecondStart(QString(), &why)) << why.toStdString();
    EXPECT_EQ(programDirEntries().filter(QStringLiteral(".wad")), QStringList{QStringLiteral("handed.wad")});
}

TEST_F(Handover, FileThatCannotBeHandedOverIsReported)
{
    // Another run holds the lock but has no socket to take the file.
    QLockFile other(path(QStringLiteral("tagomat2.lock")));
    ASSERT_TRUE(other.tryLock(0));
    const QString a = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"));
    program().setFileToOpen(a);

    EXPECT_FALSE(start());
    EXPECT_FALSE(program().handedOver());
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().contains(a)) << shown().first().toStdString();
    EXPECT_TRUE(shown().first().contains(QStringLiteral("could not be handed"))) << shown().first().toStdString();
}

TEST(FileArgument, FirstNonOptionMadeAbsolute)
{
    const QString cwd = QDir::currentPath();
    EXPECT_EQ(handover::fileArgument({QStringLiteral("tagomat2")}), QString());
    EXPECT_EQ(handover::fileArgument({QStringLiteral("tagomat2"), QStringLiteral("-style=fusion"), QStringLiteral("x.wad")}),
              cwd + QStringLiteral("/x.wad"));
    EXPECT_EQ(handover::fileArgument({QStringLiteral("tagomat2"), QStringLiteral("/a/b.wad")}), QStringLiteral("/a/b.wad"));
    EXPECT_EQ(handover::fileArgument({QStringLiteral("tagomat2"), QStringLiteral("--"), QStringLiteral("-odd.wad")}),
              cwd + QStringLiteral("/-odd.wad"));
}
