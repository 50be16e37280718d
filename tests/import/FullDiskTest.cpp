// Placing a logo that cannot be placed under any name: a vanished file, a
// full disk. The import ends with the reason instead of asking for names
// forever, and leaves nothing behind.
#include "ImportFixture.h"
#include "TmpfsMount.h"

#include "app/Unit1.h"
#include "import/OpenDialog.h"
#include "import/Unit11.h"
#include "settings/Unit5.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QToolButton>


using logoimport::OpenDialog;

namespace {

class Placing : public ImportFixture {};

TEST_F(Placing, AFileThatVanishedEndsTheImportWithTheReason)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one")});
    ASSERT_TRUE(start());
    OpenDialog::queueChoice(elsewhere() + QStringLiteral("/gone.wad"));
    answerPrompt({QStringLiteral("name")});

    clickPlus(2);

    EXPECT_EQ(promptShowings, 1);
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("The logo could not be placed in ") + dir()));
    EXPECT_TRUE(shown().first().contains(QStringLiteral("gone.wad"))) << shown().first().toStdString();
    EXPECT_FALSE(fileExists(QStringLiteral("name.wad")));
    EXPECT_EQ(slotTitle(2), QString());
    EXPECT_TRUE(form().acceptDrops());
    EXPECT_FALSE(window<TForm11>().isVisible());
}

// The program directory on a small file system of its own, filled up once
// the program runs. Needs the right to mount (root); skipped otherwise.
class FullDisk : public ImportFixture {
protected:
    void SetUp() override
    {
        const QString refused = disk_.mount(dir(), QStringLiteral("8m"));
        if (!refused.isEmpty())
            GTEST_SKIP() << refused.toStdString();
        ImportFixture::SetUp();
    }
    void TearDown() override
    {
        ImportFixture::TearDown();
        disk_.unmount();
    }
    void fillUp() { disk_.fillUp(QStringLiteral("filler")); }

private:
    TmpfsMount disk_;
};

TEST_F(FullDisk, AnImportEndsWithTheReasonAndLeavesNoPartialFile)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one")});
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"), QStringLiteral("big"));
    fillUp();

    clickPlus(2);

    EXPECT_EQ(promptShowings, 1) << "another name does not help against a full disk";
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().contains(QStringLiteral("No space left on device"))) << shown().first().toStdString();
    EXPECT_FALSE(fileExists(QStringLiteral("big.wad")));
    EXPECT_EQ(slotTitle(2), QString());
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 1), QStringLiteral("one"));
}

TEST_F(FullDisk, ASaveOnAFullDiskIsReportedAndTheStoredPageKept)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one")});
    ASSERT_TRUE(start());
    library().edit();
    // A change larger than what is left.
    for (int n = 2; n <= 8; ++n)
        library().setSlot(n, library().slotTitle(n), colourPicture(n).repeated(40));
    fillUp();
    answer({yes()});

    QTest::mouseClick(widget<QToolButton>(QStringLiteral("ToolButton5")), Qt::LeftButton);

    ASSERT_EQ(shown().size(), 2) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown()[1].contains(QStringLiteral("full"))) << shown()[1].toStdString();
    EXPECT_TRUE(library().isEditing()) << "the change waits for a save with room";
    QFile::remove(path(QStringLiteral("filler")));
    EXPECT_EQ(storedPageTitles(), QStringList{QStringLiteral("Page1")});
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 1), QStringLiteral("one"));
}

} // namespace
