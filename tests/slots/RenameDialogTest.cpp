// The rename dialog "Namechange", opened by a click on a title edit: a logo
// and its logo wad file, or the page, get a new name.
#include "SlotFixture.h"

#include "app/PageList.h"
#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "core/LogoName.h"
#include "slots/Unit9.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using store::LogoPage::PageTitle;

namespace {

const QString kLogoRenamed = QStringLiteral("Logo succesfully renamed.");
const QString kPageRenamed = QStringLiteral("Page succesfully renamed.");
const QString kRenameError = QStringLiteral("Error renaming file, please change the logo name");
const QString kInvalid = QStringLiteral("Invalid logoname.");

class RenameDialog : public SlotFixture {
protected:
    void rename(int tag, const QString& name)
    {
        withRenameDialog(tag, [&](TForm9& dialog) { typeAndConfirm(dialog, name); });
    }
};

TEST_F(RenameDialog, ALogoAndItsFileGetTheNewNameAndTheTitleIsStoredWithIt)
{
    addPage("p", {"ab", "other"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    rename(1, "abc");
    EXPECT_FALSE(leftOpen());
    EXPECT_EQ(shown(), QStringList{kLogoRenamed});
    EXPECT_FALSE(fileExists("ab.wad"));
    EXPECT_EQ(readFile("abc.wad"), QByteArray("logo ab"));
    EXPECT_EQ(title(1), QStringLiteral("abc"));
    EXPECT_EQ(form().RenameTarget, 1);
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(library().isEditing());
    EXPECT_EQ(storedTitle("p", 1), QStringLiteral("abc")) << "the title is stored with the renamed file";

    cancelChanges();
    EXPECT_EQ(title(1), QStringLiteral("abc")) << "Cancel cannot bring back a title without its file";
    EXPECT_EQ(title(2), QStringLiteral("other"));

    // Reopened after a rename: the field holds the new name, and OK waits
    // for a change.
    app::MessageBox::clearShown();
    bool enabled = true;
    QString field;
    withRenameDialog(1, [&](TForm9& dialog) {
        enabled = okButton(dialog)->isEnabled();
        field = nameField(dialog)->text();
        dialog.close();
    });
    EXPECT_FALSE(enabled);
    EXPECT_EQ(field, QStringLiteral("abc"));
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(RenameDialog, EnterPressesOkAndEscapeClosesItAsTheCloseBoxDoes)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    bool openAfterEscape = true;
    withRenameDialog(1, [&](TForm9& dialog) {
        QTest::keyClicks(nameField(dialog), "xy");
        QTest::keyClick(nameField(dialog), Qt::Key_Escape);
        openAfterEscape = dialog.isVisible();
    });
    EXPECT_FALSE(openAfterEscape);
    EXPECT_FALSE(leftOpen());
    EXPECT_EQ(title(1), QStringLiteral("ab")) << "Escape renames nothing";
    EXPECT_FALSE(library().UnsavedChanges());

    withRenameDialog(1, [&](TForm9& dialog) {
        QTest::keyClicks(nameField(dialog), "xy");   // replaces the selected name
        QTest::keyClick(nameField(dialog), Qt::Key_Return);
    });
    EXPECT_FALSE(leftOpen());
    EXPECT_EQ(title(1), QStringLiteral("xy"));
    EXPECT_TRUE(fileExists("xy.wad"));
}

TEST_F(RenameDialog, ANameThatAnotherLogoHasLeavesBothFilesAsTheyWere)
{
    addPage("p", {"ab", "cd"});
    writeFile("ab.wad", "logo ab");
    writeFile("cd.wad", "logo cd");
    ASSERT_TRUE(start());
    rename(1, "cd");
    EXPECT_FALSE(leftOpen()) << "the dialog closes all the same";
    EXPECT_EQ(shown(), QStringList{kRenameError});
    EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
    EXPECT_EQ(readFile("cd.wad"), QByteArray("logo cd"));
    EXPECT_EQ(title(1), QStringLiteral("ab"));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(library().isEditing());
}

TEST_F(RenameDialog, AnEmptySlotHasNoFileToRenameAndOpensNoDialog)
{
    addPage("p", {"", "cd"});
    writeFile("cd.wad", "logo cd");
    ASSERT_TRUE(start());
    bool opened = false;
    whenModal([&](QWidget* modal) {
        opened = true;
        modal->close();
    });
    QTest::mouseClick(titleEdit(1), Qt::LeftButton);
    form().RenameLogoClick();   // F2 on the selected, empty slot
    EXPECT_FALSE(opened);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(title(1), QString());
    EXPECT_TRUE(fileExists("cd.wad"));
    EXPECT_FALSE(library().UnsavedChanges());
}

TEST_F(RenameDialog, SpacesAroundANameStayAsTyped)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    rename(1, " my logo ");
    EXPECT_EQ(shown(), QStringList{kLogoRenamed});
    EXPECT_EQ(readFile(" my logo .wad"), QByteArray("logo ab"));
    EXPECT_EQ(title(1), QStringLiteral(" my logo "));
}

TEST_F(RenameDialog, ABlankNameIsRefusedAndTheDialogStaysOpen)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    bool open = false, okEnabled = false;
    QString field = QStringLiteral("unread");
    withRenameDialog(1, [&](TForm9& dialog) {
        typeAndConfirm(dialog, QStringLiteral(" \t "));
        open = dialog.isVisible();
        field = nameField(dialog)->text();
        okEnabled = okButton(dialog)->isEnabled();
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);   // OK on the emptied field
    });
    EXPECT_TRUE(open);
    EXPECT_TRUE(field.isEmpty()) << "the field is emptied";
    EXPECT_TRUE(okEnabled) << "emptying a field that held blanks is a change";
    EXPECT_TRUE(leftOpen());
    EXPECT_EQ(shown(), (QStringList{kInvalid, kInvalid}));
    EXPECT_EQ(title(1), QStringLiteral("ab"));
    EXPECT_TRUE(fileExists("ab.wad"));
    EXPECT_FALSE(library().UnsavedChanges());
    EXPECT_FALSE(library().isEditing()) << "no pending edit begins";
}

TEST_F(RenameDialog, SlotNamesAreRefusedLikeAtTheImportPrompt)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    const QStringList refused{QStringLiteral("sixteen_chars_ab"), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                              QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a\tb"),
                              QStringLiteral("x\u0085y"), QStringLiteral("\u65e5\u672c")};
    for (const QString& name : refused) {
        SCOPED_TRACE(name.toStdString());
        const QString problem = logoimport::logoNameProblem(name);
        ASSERT_FALSE(problem.isEmpty());
        app::MessageBox::clearShown();
        bool open = false;
        QString kept;
        withRenameDialog(1, [&](TForm9& dialog) {
            typeAndConfirm(dialog, name);
            open = dialog.isVisible();
            kept = nameField(dialog)->text();
        });
        EXPECT_TRUE(open) << "the user may correct the name";
        EXPECT_EQ(kept, name);
        EXPECT_EQ(shown(), QStringList{problem});
        EXPECT_EQ(title(1), QStringLiteral("ab"));
        EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
        EXPECT_FALSE(library().UnsavedChanges());
        EXPECT_FALSE(library().isEditing());
    }
    app::MessageBox::clearShown();
    rename(1, QStringLiteral("fifteen_chars_a"));
    EXPECT_EQ(shown(), QStringList{kLogoRenamed});
    EXPECT_EQ(title(1), QStringLiteral("fifteen_chars_a"));
    EXPECT_TRUE(fileExists("fifteen_chars_a.wad"));
}

TEST_F(RenameDialog, ThePageIsRenamedAndALongNameIsCut)
{
    addPage("p", {"ab"});
    addPage("q");
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    rename(9, "a page name that is long");
    EXPECT_EQ(shown(), QStringList{kPageRenamed});
    EXPECT_EQ(form().RenameTarget, 9);
    EXPECT_EQ(widget<QLineEdit>("DBEdit9")->text(), QStringLiteral("a page name tha"));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(fileExists("ab.wad")) << "no file is involved";
    EXPECT_EQ(storedPageTitles(), (QStringList{"p", "q"})) << "the page title waits in the pending edit";
    cancelChanges();
    EXPECT_EQ(widget<QLineEdit>("DBEdit9")->text(), QStringLiteral("p"));
}

TEST_F(RenameDialog, TheCloseBoxRenamesNothing)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    withRenameDialog(1, [&](TForm9& dialog) {
        QTest::keyClicks(nameField(dialog), "xyz");
        dialog.close();
    });
    EXPECT_FALSE(leftOpen());
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(title(1), QStringLiteral("ab"));
    EXPECT_TRUE(fileExists("ab.wad"));
    EXPECT_FALSE(library().UnsavedChanges());
}

TEST_F(RenameDialog, ItOpensWithTheCurrentNameSelectedAndOkDisabledUntilAChange)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    for (int tag : {1, 9}) {
        bool enabledAtFirst = true, enabledAfterTyping = false;
        QString field, selected;
        withRenameDialog(tag, [&](TForm9& dialog) {
            enabledAtFirst = okButton(dialog)->isEnabled();
            field = nameField(dialog)->text();
            selected = nameField(dialog)->selectedText();
            QTest::keyClick(nameField(dialog), Qt::Key_End);
            QTest::keyClicks(nameField(dialog), "x");
            enabledAfterTyping = okButton(dialog)->isEnabled();
            dialog.close();
        });
        const QString name = tag == 9 ? QStringLiteral("p") : QStringLiteral("ab");
        EXPECT_FALSE(enabledAtFirst) << tag;
        EXPECT_EQ(field, name) << tag;
        EXPECT_EQ(selected, name) << tag;
        EXPECT_TRUE(enabledAfterTyping) << tag;
    }

    // Emptied by the user, OK gives the blank-name message and stays open.
    withRenameDialog(1, [&](TForm9& dialog) {
        nameField(dialog)->clear();
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
    EXPECT_EQ(shown(), QStringList{kInvalid});
    EXPECT_TRUE(leftOpen());
}

// A page title another page has is refused at once, with the dialog open,
// instead of a later "Key violation." that keeps the user on the page.
TEST_F(RenameDialog, APageNameAnotherPageHasIsRefusedAtOnce)
{
    addPage("a", {"ab"});
    addPage("b");
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    bool openAfterRefusal = false;
    withRenameDialog(9, [&](TForm9& dialog) {
        typeAndConfirm(dialog, QStringLiteral("b"));
        openAfterRefusal = dialog.isVisible();
        typeAndConfirm(dialog, QStringLiteral("c"));
    });
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_FALSE(leftOpen());
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("A page with this name already exists, please change it."), kPageRenamed}));
    widget<QToolButton>("DBNavigator2Next")->click();   // the move stores the page
    EXPECT_EQ(storedPageTitles(), (QStringList{"b", "c"}));
    EXPECT_FALSE(shown().contains(QStringLiteral("Key violation.")));
}

TEST_F(RenameDialog, CancelAfterAnExchangeAndARenameLeavesNoTitleWithoutItsFile)
{
    addPage("p", {"ab", "cd"});
    writeFile("ab.wad", "logo ab");
    writeFile("cd.wad", "logo cd");
    ASSERT_TRUE(start());
    QTest::mousePress(image(1), Qt::RightButton);
    QTest::mouseMove(image(2));
    QTest::mouseRelease(image(2), Qt::RightButton);
    ASSERT_EQ(title(1), QStringLiteral("cd"));
    const QByteArray cdPicture = field(1);
    rename(1, "ef");
    cancelChanges();
    for (int n = 1; n <= 2; ++n)
        EXPECT_TRUE(fileExists(title(n) + ".wad")) << "slot " << n << " names " << title(n).toStdString();
    EXPECT_EQ(title(1), QStringLiteral("ef"));
    EXPECT_EQ(field(1), cdPicture) << "the renamed logo keeps its picture";
    EXPECT_EQ(title(2), QStringLiteral("ab"));
}

TEST_F(RenameDialog, ClosingWithoutSavingKeepsTheRenamedTitle)
{
    addPage("p", {"ab"});
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    rename(1, "abc");
    answer({no()});
    EXPECT_TRUE(form().close());
    stop();
    EXPECT_EQ(storedTitle("p", 1), QStringLiteral("abc"));
    EXPECT_TRUE(fileExists("abc.wad"));
}

TEST_F(RenameDialog, APageThatCannotBeStoredGivesTheFileItsNameBack)
{
    addPage("a", {"ab"});
    addPage("b");
    writeFile("ab.wad", "logo ab");
    ASSERT_TRUE(start());
    library().edit();
    library().renamePage("b");   // the title of the other page
    rename(1, "abc");
    EXPECT_EQ(shown(), QStringList{QStringLiteral("A page with this name already exists, please change it.")});
    EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
    EXPECT_FALSE(fileExists("abc.wad"));
    EXPECT_EQ(title(1), QStringLiteral("ab"));
    EXPECT_TRUE(library().isEditing());
    EXPECT_EQ(library().pageTitle(), QStringLiteral("b"));
}

} // namespace

namespace {

TEST_F(RenameDialog, AFailureThatIsNotAboutTheNameSaysTheSystemsReason)
{
    addPage("p", {"ab"});   // its logo wad file has gone
    ASSERT_TRUE(start());
    rename(1, "new");
    ASSERT_EQ(app::MessageBox::shown().size(), 1);
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("Error renaming file: "))) << shown().first().toStdString();
    EXPECT_TRUE(shown().first().contains(QStringLiteral("No such file or directory"))) << shown().first().toStdString();
    EXPECT_EQ(title(1), QStringLiteral("ab"));
}

} // namespace
