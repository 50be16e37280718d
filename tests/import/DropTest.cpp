// Files dropped on the main window: the first one, if it is a WAD file,
// becomes the logo of the first free slot.
#include "ImportFixture.h"

#include "app/Unit1.h"
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

TEST_F(Drop, FirstFileOfSeveralGoesToTheFirstFreeSlot)
{
    startWithPage({QStringLiteral("one"), QStringLiteral("two"), QString(), QStringLiteral("four")});
    const QString a = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"));
    const QString b = copyTo(elsewhere(), QStringLiteral("spray-b.wad"), QStringLiteral("b.wad"));
    answerPrompt({QStringLiteral("dropped")});

    ASSERT_TRUE(form().acceptDrops());
    drop(urlsOf({a, b}));
    ASSERT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();

    EXPECT_EQ(promptShowings, 1);
    EXPECT_EQ(slotTitle(3), QStringLiteral("dropped"));
    expectShowsWad(slotImage(3), a);
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 3), QStringLiteral("dropped"));
    EXPECT_EQ(slotTitle(5), QString());
    EXPECT_EQ(programDirEntries().filter(QStringLiteral(".wad")), QStringList{QStringLiteral("dropped.wad")});
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_FALSE(importer().DropBusy);
    EXPECT_TRUE(form().acceptDrops());
    EXPECT_EQ(OpenDialog::executions(), 0) << "a drop shows no file dialog";
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
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

    drop(urlsOf({text, copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("second.wad"))}));

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
