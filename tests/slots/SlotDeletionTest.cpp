// Emptying a slot with its "-" button: the two questions, the blank picture,
// the logo wad file and what a Cancel of the page's changes brings back.
#include "SlotFixture.h"

#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>

using store::LogoPage::PageTitle;

namespace {

const QString kFirst = QStringLiteral("This will delete the picture in Tagomat. Are you sure?");
const QString kSecond = QStringLiteral("Do you want to delete the wad file of the logo? (cannot be undone!)");

class SlotDeletion : public SlotFixture {
protected:
    void press(int slot) { QTest::mouseClick(minus(slot), Qt::LeftButton); }
    QString couldNotDelete(const QString& title) { return QStringLiteral("Could not delete ") + path(title + ".wad"); }
};

TEST_F(SlotDeletion, NoToTheFirstQuestionChangesNothingButTheFlagAndTheEdit)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    const QByteArray before = field(1);
    answer({no()});
    press(1);
    EXPECT_EQ(shown(), QStringList{kFirst});
    EXPECT_EQ(title(1), QStringLiteral("ab"));
    EXPECT_EQ(field(1), before);
    EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(library().isEditing());
}

TEST_F(SlotDeletion, YesThenNoClearsTheSlotAndKeepsTheFileUntilCancelBringsItBack)
{
    addPage("p", {"ab", "cd"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    const QByteArray before = field(1);
    answer({yes(), no()});
    press(1);
    EXPECT_EQ(shown(), (QStringList{kFirst, kSecond}));
    EXPECT_EQ(title(1), QString());
    EXPECT_EQ(image(1)->image(), blankImage()) << "the slot shows the blank picture";
    EXPECT_EQ(store::pictureImage(field(1)), blankImage()) << "and its field holds it";
    EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
    EXPECT_EQ(storedTitle("p", 1), QStringLiteral("ab")) << "the cleared slot waits in the pending edit";

    cancelChanges();
    EXPECT_EQ(title(1), QStringLiteral("ab"));
    EXPECT_EQ(field(1), before);
    EXPECT_EQ(title(2), QStringLiteral("cd"));
}

TEST_F(SlotDeletion, YesThenYesDeletesTheFileAndACancelCannotBringTheTitleBack)
{
    addPage("p", {"ab", "cd"});
    writeFile("ab.wad", "logo ab");
    writeFile("cd.wad", "logo cd");
    ASSERT_TRUE(start());
    answer({yes(), yes()});
    press(1);
    EXPECT_EQ(shown(), (QStringList{kFirst, kSecond}));
    EXPECT_FALSE(fileExists("ab.wad"));
    EXPECT_EQ(readFile("cd.wad"), QByteArray("logo cd"));
    EXPECT_EQ(title(1), QString());
    EXPECT_EQ(image(1)->image(), blankImage());
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(library().isEditing());
    EXPECT_EQ(storedTitle("p", 1), QString()) << "the cleared slot is stored with the deleted file";
    EXPECT_EQ(store::pictureImage(storedPicture("p", 1)), blankImage());

    cancelChanges();
    EXPECT_EQ(title(1), QString()) << "no title may name the deleted file";
    EXPECT_EQ(image(1)->image(), blankImage());
    EXPECT_EQ(title(2), QStringLiteral("cd"));
}

TEST_F(SlotDeletion, AFileThatIsNotThereIsReportedAndTheSlotIsClearedAllTheSame)
{
    addPage("p", {"gone"});
    ASSERT_TRUE(start());
    answer({yes(), yes()});
    press(1);
    EXPECT_EQ(shown(), (QStringList{kFirst, kSecond, couldNotDelete("gone")}));
    EXPECT_EQ(title(1), QString());
    EXPECT_EQ(image(1)->image(), blankImage());
}

TEST_F(SlotDeletion, AnEmptySlotNamesTheFileDotWad)
{
    addPage("p", {"", "cd"});
    writeFile("cd.wad", "logo cd");
    ASSERT_TRUE(start());
    answer({yes(), yes()});
    press(1);
    EXPECT_EQ(shown().last(), couldNotDelete(QString()));
    EXPECT_EQ(title(1), QString());

    writeFile(".wad", "stray");
    app::MessageBox::clearShown();
    answer({yes(), yes()});
    press(1);
    EXPECT_EQ(shown(), (QStringList{kFirst, kSecond}));
    EXPECT_FALSE(fileExists(".wad"));
    EXPECT_TRUE(fileExists("cd.wad"));
}

TEST_F(SlotDeletion, AMissingOrBrokenBlankPictureStopsTheCommandInTheErrorBox)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    const QByteArray before = field(1);
    // A named pipe would hold the window forever if it were opened to wait
    // for a writer.
    for (const char* kind : {"missing", "not a bitmap", "a named pipe"}) {
        SCOPED_TRACE(kind);
        QFile::remove(path("empty.bmp"));
        if (kind[0] == 'n')
            writeFile("empty.bmp", "BM this is not a bitmap");
        else if (kind[0] == 'a')
            ASSERT_EQ(::mkfifo(path("empty.bmp").toLocal8Bit().constData(), 0644), 0);
        app::MessageBox::clearShown();
        library().setUnsavedChanges(false);
        answer({yes(), yes()});
        press(1);
        ASSERT_EQ(app::MessageBox::shown().size(), 3);
        EXPECT_EQ(app::MessageBox::shown().last().kind, app::MessageBox::Kind::Error);
        EXPECT_TRUE(shown().last().contains(QStringLiteral("empty.bmp"))) << shown().last().toStdString();
        EXPECT_EQ(title(1), QStringLiteral("ab"));
        EXPECT_EQ(field(1), before);
        EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
        EXPECT_TRUE(library().UnsavedChanges());
        EXPECT_TRUE(library().isEditing());
    }
}

TEST_F(SlotDeletion, SlotEightTouchesOnlyItsOwnFieldsAndFile)
{
    const QStringList titles{"s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8"};
    addPage("p", titles);
    for (const QString& t : titles)
        writeFile(t + ".wad", t.toLatin1());
    ASSERT_TRUE(start());
    QList<QByteArray> pictures;
    for (int n = 1; n <= 8; ++n)
        pictures << field(n);
    answer({yes(), yes()});
    press(8);
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(title(n), titles[n - 1]);
        EXPECT_EQ(field(n), pictures[n - 1]) << "slot " << n;
        EXPECT_EQ(storedTitle("p", n), titles[n - 1]);
        EXPECT_EQ(readFile(titles[n - 1] + ".wad"), titles[n - 1].toLatin1());
    }
    EXPECT_EQ(title(8), QString());
    EXPECT_FALSE(fileExists("s8.wad"));
    EXPECT_EQ(library().pageTitle(), QStringLiteral("p"));
}

TEST_F(SlotDeletion, TheClipboardKeepsWhatTheUserCopied)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    QApplication::clipboard()->setText(QStringLiteral("copied by the user"));
    answer({yes(), yes()});
    press(1);
    EXPECT_EQ(title(1), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("copied by the user"));
}

TEST_F(SlotDeletion, APageThatCannotBeStoredKeepsTheFile)
{
    addPage("a", {"ab"});
    addPage("b");
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    library().edit();
    library().renamePage("b");   // the title of the other page
    answer({yes(), yes()});
    press(1);
    EXPECT_EQ(shown(), (QStringList{kFirst, kSecond, QStringLiteral("A page with this name already exists, please change it."),
                                    couldNotDelete("ab")}));
    EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
    EXPECT_EQ(storedTitle("a", 1), QStringLiteral("ab"));
    EXPECT_TRUE(library().isEditing());
    EXPECT_EQ(title(1), QString()) << "the slot stays cleared in the pending edit";
}

} // namespace
