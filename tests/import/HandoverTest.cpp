// A file named on the command line, or handed over by a second start to the
// running window, is imported as a drop is.
#include "ImportFixture.h"

#include "app/Unit1.h"
#include "handover/Handover.h"
#include "handover/OpenFile.h"
#include "import/OpenDialog.h"
#include "import/Unit4.h"
#include "makelogo/MakeLogoDialog.h"
#include "settings/Unit5.h"

#include <QImage>
#include <QPushButton>

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

    // While the modal window of a running import is open, a second start
    // hands over `file`: it must be taken (the second start told so) and
    // wait in the queue, with nothing imported yet.
    void handOverWhileOpen(QWidget* modal, const QString& file)
    {
        QString why;
        EXPECT_TRUE(sendFromSecondStart(file, &why)) << why.toStdString();
        EXPECT_EQ(importer().queued(), 1) << "queued before the second start was answered";
        EXPECT_EQ(QApplication::activeModalWidget(), modal) << "no second import inside the first";
        EXPECT_EQ(slotTitle(2), QString());
    }

    // Both imports ended: the chosen file in slot 1, the handed-over one in
    // slot 2 after it, and no file of an empty name.
    void expectBothInTurn(const QString& handed)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return slotTitle(2) == QStringLiteral("second"); }, 15000));
        EXPECT_EQ(slotTitle(1), QStringLiteral("first"));
        expectShowsWad(slotImage(2), handed);
        EXPECT_EQ(importer().queued(), 0);
        EXPECT_FALSE(fileExists(QStringLiteral(".wad")));
        EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 2), QStringLiteral("second"));
        EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
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

TEST_F(Handover, AFileHandedOverWhileTheNamePromptIsOpenIsImportedAfterTheFirst)
{
    addPage(QStringLiteral("Page1"), {});
    ASSERT_TRUE(start());
    settings().setWaitPosition(0);
    const QString a = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"));
    const QString b = copyTo(elsewhere(), QStringLiteral("spray-b.wad"), QStringLiteral("b.wad"));
    logoimport::OpenDialog::queueChoice(a);
    bool sawPrompt = false;
    whenModal([&](QWidget* modal) {
        sawPrompt = qobject_cast<TForm4*>(modal) != nullptr;
        handOverWhileOpen(modal, b);
        answerPrompt({QStringLiteral("first"), QStringLiteral("second")});
    });
    clickPlus(1);
    ASSERT_TRUE(sawPrompt);
    expectShowsWad(slotImage(1), a);
    expectBothInTurn(b);
}

TEST_F(Handover, AFileHandedOverWhileMakeLogoIsOpenIsImportedAfterTheLogo)
{
    addPage(QStringLiteral("Page1"), {});
    ASSERT_TRUE(start());
    settings().setWaitPosition(0);
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(qRgb(20, 160, 40));
    const QString picture = elsewhere() + QStringLiteral("/pic.png");
    ASSERT_TRUE(image.save(picture));
    const QString b = copyTo(elsewhere(), QStringLiteral("spray-b.wad"), QStringLiteral("b.wad"));
    logoimport::OpenDialog::queueChoice(picture);
    bool sawMaker = false;
    whenModal([&](QWidget* modal) {
        auto* maker = qobject_cast<makelogo::MakeLogoDialog*>(modal);
        ASSERT_NE(maker, nullptr);
        sawMaker = true;
        handOverWhileOpen(modal, b);
        answerPrompt({QStringLiteral("first"), QStringLiteral("second")});
        QTest::mouseClick(maker->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    });
    clickPlus(1);
    ASSERT_TRUE(sawMaker);
    expectBothInTurn(b);
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
