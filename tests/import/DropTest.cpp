// Files dropped on the main window: one WAD file becomes the logo of the
// first free slot; several go there as one batch.
#include "ImportFixture.h"

#include "app/Unit1.h"
#include "import/BatchSummaryDialog.h"
#include "import/OpenDialog.h"
#include "import/Unit4.h"
#include "settings/Unit5.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using logoimport::OpenDialog;

class Drop : public ImportFixture {
protected:
    void startWithPage(const QStringList& slotTitles)
    {
        addPage(QStringLiteral("Page1"), slotTitles);
        ASSERT_TRUE(start());
        window<TForm5>().setPosition(0);
    }
};

TEST_F(Drop, SeveralFilesGoToTheFreeSlotsAsOneBatchWithoutAName)
{
    startWithPage({QStringLiteral("one"), QStringLiteral("two"), QString(), QStringLiteral("four")});
    const QString a = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"));
    const QString b = copyTo(elsewhere(), QStringLiteral("spray-b.wad"), QStringLiteral("b.wad"));

    ASSERT_TRUE(form().acceptDrops());
    const int executions = OpenDialog::executions();
    drop(urlsOf({a, b}));
    EXPECT_FALSE(form().acceptDrops()) << "no drops while the batch runs";
    ASSERT_TRUE(QTest::qWaitFor([&] { return importer().batchSummary() && importer().batchSummary()->isVisible(); }, 20000));

    EXPECT_EQ(promptShowings, 0) << "no question per file";
    EXPECT_EQ(slotTitle(3), QStringLiteral("a"));
    EXPECT_EQ(slotTitle(5), QStringLiteral("b"));
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 5), QStringLiteral("b"));
    EXPECT_EQ(programDirEntries().filter(QStringLiteral(".wad")), (QStringList{QStringLiteral("a.wad"), QStringLiteral("b.wad")}));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_FALSE(importer().DropBusy);
    EXPECT_TRUE(form().acceptDrops());
    EXPECT_EQ(OpenDialog::executions(), executions) << "a drop shows no file dialog";
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
    importer().batchSummary()->close();
}

TEST_F(Drop, CapitalExtensionIsAcceptedAndAFileOfTheProgramDirectoryRenamed)
{
    startWithPage({});
    const QString inside = copyTo(dir(), QStringLiteral("spray-b.wad"), QStringLiteral("LOUD.WAD"));
    const QByteArray bytes = readFile(QStringLiteral("LOUD.WAD"));
    answerPrompt({QStringLiteral("quiet")});

    drop(urlsOf({inside}));

    EXPECT_FALSE(fileExists(QStringLiteral("LOUD.WAD")));
    EXPECT_EQ(readFile(QStringLiteral("quiet.wad")), bytes);
    EXPECT_EQ(slotTitle(1), QStringLiteral("quiet"));
    expectShowsWad(slotImage(1), fixture(QStringLiteral("spray-b.wad")));
}

TEST_F(Drop, OtherKindsOfFileAreIgnoredButThePageIsPosted)
{
    startWithPage({QStringLiteral("one")});
    library().edit();
    library().renamePage(QStringLiteral("Edited"));
    writeFile(QStringLiteral("../notes.txt"), "text");
    const QString text = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("spray.wad.txt"));
    const QStringList before = programDirEntries();

    drop(urlsOf({text}));   // (several files go to a batch, which imports every WAD among them)

    EXPECT_EQ(promptShowings, 0);
    EXPECT_EQ(programDirEntries(), before);
    EXPECT_FALSE(library().UnsavedChanges());
    EXPECT_EQ(storedPageTitles(), QStringList{QStringLiteral("Edited")});
    EXPECT_TRUE(form().acceptDrops());
    EXPECT_FALSE(importer().DropBusy);
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(Drop, FullPageIsRefusedAndNothingIsCopied)
{
    QStringList full;
    for (int n = 1; n <= 8; ++n)
        full << QStringLiteral("logo%1").arg(n);
    // A title of blanks is not empty.
    full[7] = QStringLiteral("  ");
    startWithPage(full);
    library().edit();
    library().renamePage(QStringLiteral("Pending"));
    const QStringList before = programDirEntries();

    drop(urlsOf({copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"))}));

    EXPECT_EQ(shown(), QStringList{QStringLiteral("This page does not have any space left.")});
    EXPECT_EQ(promptShowings, 0);
    EXPECT_EQ(programDirEntries(), before);
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(library().isEditing()) << "the pending edit is not posted";
    EXPECT_EQ(storedPageTitles(), QStringList{QStringLiteral("Page1")});
    EXPECT_TRUE(form().acceptDrops());
    EXPECT_FALSE(importer().DropBusy);
}

TEST_F(Drop, DropsDuringAnImportAreIgnored)
{
    startWithPage({});
    const QString a = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"));
    const QString b = copyTo(elsewhere(), QStringLiteral("spray-b.wad"), QStringLiteral("b.wad"));
    bool acceptedDuringPrompt = true;
    bool busyDuringPrompt = false;
    // While the name prompt of the first drop is open, a second file arrives.
    whenModal([&](QWidget* modal) {
        acceptedDuringPrompt = form().acceptDrops();
        busyDuringPrompt = importer().DropBusy;
        drop(urlsOf({b}));
        auto* prompt = qobject_cast<TForm4*>(modal);
        ASSERT_NE(prompt, nullptr);
        prompt->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("first"));
        QTest::mouseClick(prompt->Button1, Qt::LeftButton);
    });

    drop(urlsOf({a}));

    EXPECT_FALSE(acceptedDuringPrompt);
    EXPECT_TRUE(busyDuringPrompt);
    EXPECT_EQ(slotTitle(1), QStringLiteral("first"));
    EXPECT_EQ(slotTitle(2), QString()) << "the second drop started no import";
    EXPECT_EQ(programDirEntries().filter(QStringLiteral(".wad")), QStringList{QStringLiteral("first.wad")});
}

TEST_F(Drop, DropDuringAButtonImportIsIgnored)
{
    startWithPage({});
    OpenDialog::queueChoice(copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad")));
    const QString b = copyTo(elsewhere(), QStringLiteral("spray-b.wad"), QStringLiteral("b.wad"));
    whenModal([&](QWidget* modal) {
        drop(urlsOf({b}));
        auto* prompt = qobject_cast<TForm4*>(modal);
        ASSERT_NE(prompt, nullptr);
        prompt->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("plus"));
        QTest::mouseClick(prompt->Button1, Qt::LeftButton);
    });

    clickPlus(4);

    EXPECT_EQ(slotTitle(4), QStringLiteral("plus"));
    EXPECT_EQ(slotTitle(1), QString());
    EXPECT_EQ(programDirEntries().filter(QStringLiteral(".wad")), QStringList{QStringLiteral("plus.wad")});
}
