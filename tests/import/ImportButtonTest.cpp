// Import by the "+" button, end to end with the real converters.
#include "ImportFixture.h"
#include "support/EndedProcess.h"

#include "app/Unit1.h"
#include "import/OpenDialog.h"
#include "import/Unit11.h"
#include "import/Unit4.h"
#include "settings/Unit5.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>

using logoimport::OpenDialog;

class ImportButton : public ImportFixture {};

TEST_F(ImportButton, FillsAnEmptySlotWithACopyOfAFileFromElsewhere)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one")});
    writeFile(QStringLiteral("one.wad"), "first logo");
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    QApplication::clipboard()->setText(QStringLiteral("the user's text"));
    const QString chosen = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("spray-a.wad"));
    OpenDialog::queueChoice(chosen);
    answerPrompt({QStringLiteral("my_logo")});

    clickPlus(3);

    EXPECT_EQ(slotTitle(3), QStringLiteral("my_logo"));
    expectShowsWad(slotImage(3), fixture(QStringLiteral("spray-a.wad")));
    QFile original(chosen);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(readFile(QStringLiteral("my_logo.wad")), original.readAll());
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 3), QStringLiteral("my_logo")) << "the page is posted";
    EXPECT_FALSE(library().isEditing());
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(importer().WadCopied);
    EXPECT_TRUE(form().acceptDrops());
    EXPECT_EQ(slotTitle(1), QStringLiteral("one"));
    EXPECT_EQ(programDirEntries().filter(QStringLiteral(".pcx")), QStringList());
    EXPECT_FALSE(fileExists(QStringLiteral("temp.jpg")));
    EXPECT_EQ(okEnabledOnShow, QList<bool>{false});
    EXPECT_EQ(window<TForm4>().Edit1->text(), QString()) << "the name is cleared after an import";
    EXPECT_EQ(window<TForm11>().ProgressBar1->value(), 60);
    EXPECT_FALSE(window<TForm11>().isVisible());
    EXPECT_EQ(window<TForm11>().windowTitle(), QStringLiteral("Importing Picture..."));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("the user's text"));
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(QFile::exists(chosen)) << "the chosen file stays where it is";
    EXPECT_EQ(OpenDialog::of(&form()).fileName(), chosen)
        << "the next file dialog opens where the chosen file came from, not on the new logo wad file";
}

TEST_F(ImportButton, ClearsTheWorkingFilesThatConvertersKilledByACrashLeft)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one")});
    const pid_t ended = endedProcessId();
    const QStringList stale{QStringLiteral("temp.jpg.part%1-0").arg(ended), QStringLiteral("old.pcx.part%1-3").arg(ended)};
    const QStringList kept{QStringLiteral("temp.jpg.part%1-0").arg(runningOtherProcessId())};
    for (const QString& name : stale + kept)
        writeFile(name, "half a file");
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("spray-a.wad"), QStringLiteral("my_logo"));

    clickPlus(2);

    EXPECT_EQ(slotTitle(2), QStringLiteral("my_logo"));
    for (const QString& name : stale)
        EXPECT_FALSE(fileExists(name)) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(fileExists(name)) << name.toStdString();
}

// An import killed while copying the chosen file leaves only a working copy;
// the next start removes it, and no logo wad file of the user's.
TEST_F(ImportButton, StartUpClearsTheCopiesOfKilledImportsAndNoLogoFile)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one")});
    const QString stale = QStringLiteral("two.wad.part%1-0").arg(endedProcessId());
    const QStringList kept{QStringLiteral("one.wad"), QStringLiteral("mine.wad"),
                           QStringLiteral("three.wad.part%1-0").arg(runningOtherProcessId())};
    for (const QString& name : kept + QStringList{stale})
        writeFile(name, "half a file");
    ASSERT_TRUE(start());
    EXPECT_FALSE(fileExists(stale));
    for (const QString& name : kept)
        EXPECT_TRUE(fileExists(name)) << name.toStdString();

    // A finished copy leaves nothing but the logo wad file.
    window<TForm5>().setPosition(0);
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("spray-a.wad"), QStringLiteral("new"));
    clickPlus(2);
    EXPECT_EQ(slotTitle(2), QStringLiteral("new"));
    const QStringList parts = QDir(dir()).entryList({QStringLiteral("*.part*")}, QDir::Files);
    EXPECT_EQ(parts, QStringList{kept.last()});
}

// "+" on a filled slot asks first, No by default. No leaves the slot as it
// was and opens no file dialog; Yes gives the slot the new logo, and the
// replaced logo's file is handled as the "-" button handles it: kept on No,
// deleted on Yes, but never the file of a logo another slot still shows.
TEST_F(ImportButton, GivesAnOccupiedSlotANewLogoAfterAQuestionAndHandlesTheOldFileAsTheMinusButton)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("old"), QStringLiteral("twin"), QStringLiteral("twin")});
    writeFile(QStringLiteral("old.wad"), "old logo");
    writeFile(QStringLiteral("twin.wad"), "twin logo");
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);

    OpenDialog::queueChoice(copyTo(elsewhere(), QStringLiteral("spray-b.wad"), QStringLiteral("b.wad")));
    answer({no()});
    clickPlus(1);
    EXPECT_EQ(slotTitle(1), QStringLiteral("old"));
    EXPECT_EQ(OpenDialog::queuedChoices(), 1) << "No opens no file dialog";

    app::MessageBox::clearShown();
    answerPrompt({QStringLiteral("a.b")});
    answer({yes(), no()});
    clickPlus(1);
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("Replace \"old\" in this slot?"),
                                    QStringLiteral("Do you want to delete the wad file of the logo? (cannot be undone!)")}));
    EXPECT_EQ(app::MessageBox::shown().first().defaultAnswer, no()) << "No by default";
    EXPECT_EQ(slotTitle(1), QStringLiteral("a.b"));
    EXPECT_TRUE(fileExists(QStringLiteral("a.b.wad")));
    expectShowsWad(slotImage(1), fixture(QStringLiteral("spray-b.wad")));
    EXPECT_EQ(readFile(QStringLiteral("old.wad")), QByteArray("old logo"));
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 1), QStringLiteral("a.b"));

    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"), QStringLiteral("new"));
    answer({yes(), yes()});
    clickPlus(1);
    EXPECT_EQ(slotTitle(1), QStringLiteral("new"));
    EXPECT_FALSE(fileExists(QStringLiteral("a.b.wad")));

    app::MessageBox::clearShown();
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("a2.wad"), QStringLiteral("newer"));
    answer({yes(), yes()});
    clickPlus(2);
    EXPECT_EQ(slotTitle(2), QStringLiteral("newer"));
    EXPECT_TRUE(fileExists(QStringLiteral("twin.wad"))) << "slot 3 still shows it";
    EXPECT_EQ(shown().last(), QStringLiteral("The file of \"twin\" is kept: another slot shows it."));
}

TEST_F(ImportButton, RenamesAFileThatLiesInTheProgramDirectory)
{
    addPage(QStringLiteral("Page1"));
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    const QString chosen = copyTo(dir(), QStringLiteral("spray-a.wad"), QStringLiteral("download.wad"));
    const QByteArray bytes = readFile(QStringLiteral("download.wad"));
    OpenDialog::queueChoice(chosen);
    answerPrompt({QStringLiteral("x.wad")});

    clickPlus(2);

    EXPECT_FALSE(fileExists(QStringLiteral("download.wad")));
    EXPECT_EQ(readFile(QStringLiteral("x.wad.wad")), bytes);
    EXPECT_EQ(slotTitle(2), QStringLiteral("x.wad"));
    expectShowsWad(slotImage(2), fixture(QStringLiteral("spray-a.wad")));
}

// Another slot's logo chosen from the program directory, from the "+"
// button and by a drop: copied, so both slots keep their files; the page
// holding it need not be the one shown, and a title only in the pending edit
// counts too.
TEST_F(ImportButton, CopiesAFileOfTheProgramDirectoryThatASlotNames)
{
    addPage(QStringLiteral("Zeta"), {QStringLiteral("theirs")});
    addPage(QStringLiteral("Alpha"), {QStringLiteral("mine")});
    copyTo(dir(), QStringLiteral("spray-a.wad"), QStringLiteral("theirs.wad"));
    copyTo(dir(), QStringLiteral("spray-b.wad"), QStringLiteral("mine.wad"));
    const QByteArray theirs = readFile(QStringLiteral("theirs.wad")), mine = readFile(QStringLiteral("mine.wad"));
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    ASSERT_EQ(library().pageTitle(), QStringLiteral("Alpha"));

    OpenDialog::queueChoice(path(QStringLiteral("theirs.wad")));
    answerPrompt({QStringLiteral("again")});
    clickPlus(2);
    EXPECT_EQ(slotTitle(2), QStringLiteral("again"));
    EXPECT_EQ(readFile(QStringLiteral("theirs.wad")), theirs) << "the other page's slot keeps its file";
    EXPECT_EQ(readFile(QStringLiteral("again.wad")), theirs);
    EXPECT_EQ(OpenDialog::of(&form()).fileName(), path(QStringLiteral("theirs.wad")));

    answerPrompt({QStringLiteral("once_more")});
    drop(urlsOf({path(QStringLiteral("mine.wad"))}));
    EXPECT_EQ(slotTitle(3), QStringLiteral("once_more"));
    EXPECT_EQ(readFile(QStringLiteral("mine.wad")), mine) << "slot 1 of this page keeps its file";
    EXPECT_EQ(readFile(QStringLiteral("once_more.wad")), mine);
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();

    // A title the user has typed into a slot's pending edit names the file too.
    copyTo(dir(), QStringLiteral("spray-a.wad"), QStringLiteral("pending.wad"));
    library().edit();
    library().setSlot(4, QStringLiteral("pending"), library().slotPicture(4));
    OpenDialog::queueChoice(path(QStringLiteral("pending.wad")));
    answerPrompt({QStringLiteral("fifth")});
    clickPlus(5);
    EXPECT_TRUE(fileExists(QStringLiteral("pending.wad")));
    EXPECT_TRUE(fileExists(QStringLiteral("fifth.wad")));
}

TEST_F(ImportButton, CopiesWhenTheProgramDirectoryIsWrittenInOtherLetterCase)
{
    addPage(QStringLiteral("Page1"));
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    copyTo(dir(), QStringLiteral("spray-a.wad"), QStringLiteral("download.wad"));
    // Another spelling of the program directory, reaching the same files.
    const QString upper = elsewhere() + QLatin1Char('/') + QDir(dir()).dirName().toUpper();
    ASSERT_TRUE(QFile::link(dir(), upper));
    OpenDialog::queueChoice(upper + QStringLiteral("/download.wad"));
    answerPrompt({QStringLiteral("copied")});

    clickPlus(1);

    EXPECT_TRUE(fileExists(QStringLiteral("download.wad")));
    EXPECT_EQ(readFile(QStringLiteral("copied.wad")), readFile(QStringLiteral("download.wad")));
    EXPECT_EQ(slotTitle(1), QStringLiteral("copied"));
}

TEST_F(ImportButton, NameLoopRefusesBadAndTakenNames)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("taken")});
    writeFile(QStringLiteral("taken.wad"), "a logo");
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    const QString chosen = copyTo(dir(), QStringLiteral("spray-a.wad"), QStringLiteral("chosen.wad"));
    OpenDialog::queueChoice(chosen);
    answerPrompt({QStringLiteral("has space"), QString(), QStringLiteral("sixteen_letters_"), QStringLiteral("../up"),
                  QStringLiteral("a\\b"), QStringLiteral(".."), QStringLiteral("."), QStringLiteral("tab\tname"),
                  QStringLiteral("\u0416uk"), QStringLiteral("taken"), QStringLiteral("chosen"),
                  QStringLiteral("fifteen_letters")});

    clickPlus(4);

    const QStringList expected = {
        QStringLiteral("No spaces please, use _ instead."),
        QStringLiteral("Please enter a name for this logo."),
        QStringLiteral("The name is too long, use at most 15 characters."),
        QStringLiteral("The name may not contain / or \\."),
        QStringLiteral("The name may not contain / or \\."),
        QStringLiteral("The name may not be . or .."),
        QStringLiteral("The name may not be . or .."),
        QStringLiteral("The name may not contain control characters."),
        QStringLiteral("The name may only contain letters, digits and signs of the Latin-1 character set."),
        QStringLiteral("Sorry, this file already exists, please enter an other name."),
        QStringLiteral("Sorry, this file already exists, please enter an other name."),
    };
    EXPECT_EQ(shown(), expected);
    EXPECT_EQ(promptShowings, 3) << "a refused name keeps the prompt open; a taken one shows it again";
    EXPECT_EQ(okEnabledOnShow, (QList<bool>{false, false, false}));
    EXPECT_EQ(slotTitle(4), QStringLiteral("fifteen_letters"));
    EXPECT_TRUE(fileExists(QStringLiteral("fifteen_letters.wad")));
    EXPECT_EQ(readFile(QStringLiteral("taken.wad")), QByteArray("a logo"));
    EXPECT_FALSE(QFile::exists(elsewhere() + QStringLiteral("/up.wad")));
    EXPECT_FALSE(QFile::exists(QDir(dir()).filePath(QStringLiteral("../up.wad"))));
}

TEST_F(ImportButton, CancelledFileDialogPlacesNothingAndPostsThePage)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one")});
    ASSERT_TRUE(start());
    library().edit();
    library().renamePage(QStringLiteral("Renamed"));
    const QStringList before = programDirEntries();
    OpenDialog::queueCancel();

    clickPlus(5);

    EXPECT_EQ(promptShowings, 0);
    EXPECT_EQ(programDirEntries(), before);
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_FALSE(library().isEditing());
    EXPECT_EQ(storedPageTitles(), QStringList{QStringLiteral("Renamed")});
    EXPECT_TRUE(form().acceptDrops());
    EXPECT_FALSE(window<TForm11>().isVisible());
}

TEST_F(ImportButton, StartsAPageInAnEmptyLibrary)
{
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"), QStringLiteral("first"));

    clickPlus(8);

    EXPECT_EQ(storedPageTitles(), QStringList{QString()});
    EXPECT_EQ(storedSlotTitle(QString(), 8), QStringLiteral("first"));
    EXPECT_EQ(slotTitle(8), QStringLiteral("first"));
}

TEST_F(ImportButton, WaitsForThePictureLoadTime)
{
    addPage(QStringLiteral("Page1"));
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(30);
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"), QStringLiteral("slow"));
    QElapsedTimer clock;
    clock.start();

    clickPlus(1);

    EXPECT_GE(clock.elapsed(), 600);
    EXPECT_EQ(slotTitle(1), QStringLiteral("slow"));
}
