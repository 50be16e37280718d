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

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

const QString kLogoRenamed = QStringLiteral("Logo succesfully renamed.");
const QString kPageRenamed = QStringLiteral("Page succesfully renamed.");
const QString kRenameError = QStringLiteral("Error renaming file, please change the logo name");
const QString kInvalid = QStringLiteral("Invalid logoname.");
const QString kPageTaken = QStringLiteral("A page with this name already exists, please change it.");

class RenameDialog : public SlotFixture {
protected:
    // Starts on page `page` with these slot titles and their logo wad files;
    // `otherPage` adds an empty page.
    bool startWith(const QStringList& titles, const QString& page = QStringLiteral("p"), const QString& otherPage = {})
    {
        addPageWithFiles(page, titles);
        if (!otherPage.isEmpty())
            addPage(otherPage);
        return start();
    }
    void rename(int tag, const QString& name)
    {
        withRenameDialog(tag, [&](TForm9& dialog) { typeAndConfirm(dialog, name); });
    }
    // Slot 1 still names "ab", its file is as it was, and no change waits.
    void expectAbUnchanged()
    {
        EXPECT_EQ(title(1), QStringLiteral("ab"));
        EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
        EXPECT_FALSE(library().UnsavedChanges());
        EXPECT_FALSE(library().isEditing()) << "no pending edit begins";
    }
};

TEST_F(RenameDialog, ALogoAndItsFileGetTheNewNameAndTheTitleIsStoredWithIt)
{
    ASSERT_TRUE(startWith({"ab", "other"}));
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

// It opens with the current name selected and OK disabled until a change;
// Escape and the close box rename nothing, Enter presses OK.
TEST_F(RenameDialog, OpensWithTheCurrentNameEscapeAndTheCloseBoxRenameNothingEnterPressesOk)
{
    ASSERT_TRUE(startWith({"ab"}));
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

    const std::pair<const char*, std::function<void(TForm9&)>> closings[] = {
        {"Escape", [](TForm9& dialog) { QTest::keyClick(nameField(dialog), Qt::Key_Escape); }},
        {"close box", [](TForm9& dialog) { dialog.close(); }}};
    for (const auto& [how, close] : closings) {
        SCOPED_TRACE(how);
        bool openAfterClosing = true;
        withRenameDialog(1, [&](TForm9& dialog) {
            QTest::keyClicks(nameField(dialog), "xy");
            close(dialog);
            openAfterClosing = dialog.isVisible();
        });
        EXPECT_FALSE(openAfterClosing);
        EXPECT_FALSE(leftOpen());
        EXPECT_TRUE(shown().isEmpty());
        expectAbUnchanged();
    }

    withRenameDialog(1, [&](TForm9& dialog) {
        QTest::keyClicks(nameField(dialog), "xy");   // replaces the selected name
        QTest::keyClick(nameField(dialog), Qt::Key_Return);
    });
    EXPECT_FALSE(leftOpen());
    EXPECT_EQ(title(1), QStringLiteral("xy"));
    EXPECT_TRUE(fileExists("xy.wad"));
}

// A failed rename keeps the title: a name another logo has leaves both files
// as they were, and a failure that is not about the name says the system's reason.
TEST_F(RenameDialog, AFailedRenameKeepsTheTitleAndSaysWhy)
{
    ASSERT_TRUE(startWith({"ab", "cd"}));
    rename(1, "cd");
    EXPECT_FALSE(leftOpen()) << "the dialog closes all the same";
    EXPECT_EQ(shown(), QStringList{kRenameError});
    EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
    EXPECT_EQ(readFile("cd.wad"), QByteArray("logo cd"));
    EXPECT_EQ(title(1), QStringLiteral("ab"));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(library().isEditing());

    ASSERT_TRUE(QFile::remove(path("cd.wad")));   // the logo wad file has gone
    app::MessageBox::clearShown();
    rename(2, "new");
    ASSERT_EQ(app::MessageBox::shown().size(), 1);
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("Error renaming file: "))) << shown().first().toStdString();
    EXPECT_TRUE(shown().first().contains(QStringLiteral("No such file or directory"))) << shown().first().toStdString();
    EXPECT_EQ(title(2), QStringLiteral("cd"));
}

TEST_F(RenameDialog, AnEmptySlotHasNoFileToRenameAndOpensNoDialog)
{
    ASSERT_TRUE(startWith({"", "cd"}));
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

// Blank names and names the import prompt refuses leave the dialog open for
// a correction; spaces around a name and fifteen characters are taken.
TEST_F(RenameDialog, RefusedNamesKeepTheDialogOpenAndTakenOnesStayAsTyped)
{
    ASSERT_TRUE(startWith({"ab"}));
    bool openAfterBlanks = false, okEnabled = false;
    QString field = QStringLiteral("unread");
    withRenameDialog(1, [&](TForm9& dialog) {
        typeAndConfirm(dialog, QStringLiteral(" \t "));
        openAfterBlanks = dialog.isVisible();
        field = nameField(dialog)->text();
        okEnabled = okButton(dialog)->isEnabled();
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);   // OK on the emptied field
    });
    EXPECT_TRUE(openAfterBlanks);
    EXPECT_TRUE(field.isEmpty()) << "the field is emptied";
    EXPECT_TRUE(okEnabled) << "emptying a field that held blanks is a change";
    EXPECT_TRUE(leftOpen());
    EXPECT_EQ(shown(), (QStringList{kInvalid, kInvalid}));
    expectAbUnchanged();

    // Emptied by the user, OK gives the blank-name message and stays open.
    app::MessageBox::clearShown();
    withRenameDialog(1, [&](TForm9& dialog) {
        nameField(dialog)->clear();
        QTest::mouseClick(okButton(dialog), Qt::LeftButton);
    });
    EXPECT_EQ(shown(), QStringList{kInvalid});
    EXPECT_TRUE(leftOpen());

    for (const QString& name : {QStringLiteral("sixteen_chars_ab"), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                                QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a\tb"),
                                QStringLiteral("x\u0085y"), QStringLiteral("\u65e5\u672c")}) {
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
        expectAbUnchanged();
    }

    for (const QString& name : {QStringLiteral(" my logo "), QStringLiteral("fifteen_chars_a")}) {
        SCOPED_TRACE(name.toStdString());
        app::MessageBox::clearShown();
        rename(1, name);
        EXPECT_EQ(shown(), QStringList{kLogoRenamed});
        EXPECT_EQ(title(1), name);
        EXPECT_EQ(readFile(name + QStringLiteral(".wad")), QByteArray("logo ab"));
    }
}

// The page gets the new name, cut to fifteen characters, in the pending
// edit; a title another page has is refused at once, with the dialog open,
// instead of a later "Key violation." that keeps the user on the page.
TEST_F(RenameDialog, ThePageIsRenamedALongNameIsCutAndAnotherPagesNameRefusedAtOnce)
{
    ASSERT_TRUE(startWith({"ab"}, QStringLiteral("a"), QStringLiteral("b")));
    bool openAfterRefusal = false;
    withRenameDialog(9, [&](TForm9& dialog) {
        typeAndConfirm(dialog, QStringLiteral("b"));
        openAfterRefusal = dialog.isVisible();
        typeAndConfirm(dialog, QStringLiteral("a page name that is long"));
    });
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_FALSE(leftOpen());
    EXPECT_EQ(shown(), (QStringList{kPageTaken, kPageRenamed}));
    EXPECT_EQ(form().RenameTarget, 9);
    EXPECT_EQ(titleEdit(9)->text(), QStringLiteral("a page name tha"));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_TRUE(fileExists("ab.wad")) << "no file is involved";
    EXPECT_EQ(storedPageTitles(), (QStringList{"a", "b"})) << "the page title waits in the pending edit";
    cancelChanges();
    EXPECT_EQ(titleEdit(9)->text(), QStringLiteral("a"));

    rename(9, QStringLiteral("c"));
    widget<QToolButton>("DBNavigator2Next")->click();   // the move stores the page
    EXPECT_EQ(storedPageTitles(), (QStringList{"b", "c"}));
    EXPECT_FALSE(shown().contains(QStringLiteral("Key violation.")));
}

TEST_F(RenameDialog, CancelAfterAnExchangeAndARenameLeavesNoTitleWithoutItsFile)
{
    ASSERT_TRUE(startWith({"ab", "cd"}));
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
    ASSERT_TRUE(startWith({"ab"}));
    rename(1, "abc");
    answer({no()});
    EXPECT_TRUE(form().close());
    stop();
    EXPECT_EQ(storedTitle("p", 1), QStringLiteral("abc"));
    EXPECT_TRUE(fileExists("abc.wad"));
}

TEST_F(RenameDialog, APageThatCannotBeStoredGivesTheFileItsNameBack)
{
    ASSERT_TRUE(startWith({"ab"}, QStringLiteral("a"), QStringLiteral("b")));
    library().edit();
    library().renamePage("b");   // the title of the other page
    rename(1, "abc");
    EXPECT_EQ(shown(), QStringList{kPageTaken});
    EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));
    EXPECT_FALSE(fileExists("abc.wad"));
    EXPECT_EQ(title(1), QStringLiteral("ab"));
    EXPECT_TRUE(library().isEditing());
    EXPECT_EQ(library().pageTitle(), QStringLiteral("b"));
}

} // namespace
