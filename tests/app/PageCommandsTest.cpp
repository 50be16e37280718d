// The page commands through the toolbar, the menus and the page title edit.
#include "ProgramFixture.h"

#include "app/PageList.h"
#include "app/TDBEdit.h"
#include "app/Unit1.h"
#include "store/Records.h"
#include "store/Sqlite.h"
#include "store/Table.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using store::LogoPage::PageTitle;
using store::LogoPage::pictureTitle;

namespace {

class PageCommands : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    }
    void click(const char* button) { QTest::mouseClick(widget<QToolButton>(QLatin1String(button)), Qt::LeftButton); }
    QString pageTitle() { return widget<QLineEdit>("DBEdit9")->text(); }
};

TEST_F(PageCommands, InsertTwiceThenSaveRefusesTheSecondNew)
{
    ASSERT_TRUE(start());
    click("ToolButton1");
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_EQ(pageTitle(), QStringLiteral("NEW"));
    EXPECT_TRUE(widget<QLineEdit>("DBEdit9")->hasFocus());
    EXPECT_TRUE(storedPageTitles().isEmpty()) << "the new page waits for a save or a move";
    click("ToolButton1");
    EXPECT_EQ(storedPageTitles(), QStringList{"NEW"});
    answer({yes()});
    click("ToolButton5");
    EXPECT_EQ(shown().last(), QStringLiteral("A page with this name already exists, please change it."));
    EXPECT_TRUE(library().isEditing());
    EXPECT_TRUE(library().UnsavedChanges());
}

// The page list marks the current page with a drawn triangle, and a page
// being added with "*".
TEST_F(PageCommands, TheRowMarkFollowsTheCurrentPage)
{
    addPage(QStringLiteral("a"), {});
    addPage(QStringLiteral("b"), {});
    ASSERT_TRUE(start());
    const QAbstractItemModel* pages = widget<QAbstractItemView>("DBGrid1")->model();
    auto marked = [&](int row) { return !pages->headerData(row, Qt::Vertical, Qt::DecorationRole).isNull(); };
    auto text = [&](int row) { return pages->headerData(row, Qt::Vertical, Qt::DisplayRole).toString(); };
    const int current = library().currentListRow();
    EXPECT_TRUE(marked(current));
    EXPECT_FALSE(marked(1 - current));
    EXPECT_EQ(text(current), QString()) << "the mark is drawn, not written in a font that may lack it";
    click("ToolButton1");
    const int added = library().currentListRow();
    EXPECT_EQ(text(added), QStringLiteral("*"));
    EXPECT_FALSE(marked(added));
}

TEST_F(PageCommands, SaveWithNothingChangedClearsUnsavedChanges)
{
    addPage("one", {"a"});
    ASSERT_TRUE(start());
    library().setUnsavedChanges(true);
    answer({no()});
    click("ToolButton5");
    EXPECT_TRUE(library().UnsavedChanges());
    answer({yes()});
    click("ToolButton5");
    EXPECT_FALSE(library().UnsavedChanges());
    EXPECT_EQ(shown(), (QStringList{"Do you want to save changes?", "Do you want to save changes?"}));
}

TEST_F(PageCommands, DeletePageKeepsOrDeletesTheLogoWadFiles)
{
    addPage("a", {"x", "", "y"});
    addPage("b", {"z"});
    for (const char* f : {"x.wad", "y.wad", "z.wad", ".wad"})
        writeFile(QLatin1String(f), "wad");
    ASSERT_TRUE(start());

    answer({yes(), no()});
    click("ToolButton2");
    EXPECT_EQ(storedPageTitles(), QStringList{"b"});
    EXPECT_TRUE(fileExists("x.wad") && fileExists("y.wad"));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_EQ(pageTitle(), QStringLiteral("b")) << "the cursor goes to the next page";

    answer({yes(), yes()});
    click("ToolButton2");
    EXPECT_TRUE(storedPageTitles().isEmpty());
    EXPECT_FALSE(fileExists("z.wad"));
    EXPECT_FALSE(fileExists(".wad")) << "the empty slots name the file .wad";
    EXPECT_TRUE(fileExists("x.wad"));
}

TEST_F(PageCommands, DeletePageAnsweredNoChangesNothingButTheFlag)
{
    addPage("a", {"x"});
    ASSERT_TRUE(start());
    answer({no()});
    click("ToolButton2");
    EXPECT_EQ(storedPageTitles(), QStringList{"a"});
    EXPECT_TRUE(library().UnsavedChanges());
}

TEST_F(PageCommands, DeletePageOnAnEmptyLibrary)
{
    writeFile(".wad", "not a logo of any page");
    ASSERT_TRUE(start());
    answer({yes(), yes()});
    click("ToolButton2");
    EXPECT_EQ(shown().last(), QStringLiteral("There is nothing to delete."));
    EXPECT_TRUE(fileExists(".wad"));
}

TEST_F(PageCommands, DeleteAllPages)
{
    addPage("a", {"x"});
    addPage("b", {"y", "z"});
    for (const char* f : {"x.wad", "y.wad", "z.wad"})
        writeFile(QLatin1String(f), "wad");
    ASSERT_TRUE(start());

    answer({no()});
    click("ToolButton10");
    EXPECT_EQ(storedPageTitles(), (QStringList{"a", "b"}));
    EXPECT_TRUE(library().isEditing()) << "the first step's edit stays";

    answer({yes(), no()});
    click("ToolButton10");
    EXPECT_TRUE(storedPageTitles().isEmpty());
    EXPECT_TRUE(fileExists("x.wad") && fileExists("y.wad") && fileExists("z.wad"));
    EXPECT_EQ(widget<TDBGrid>("DBGrid1")->model()->rowCount(), 0);
    EXPECT_EQ(widget<QLineEdit>("DBEdit1")->text(), QString());
    EXPECT_FALSE(library().UnsavedChanges());
}

TEST_F(PageCommands, DeleteAllPagesWithTheirFiles)
{
    addPage("a", {"x"});
    addPage("b", {"y", "z"});
    for (const char* f : {"x.wad", "y.wad", "z.wad", "other.wad"})
        writeFile(QLatin1String(f), "wad");
    ASSERT_TRUE(start());
    answer({yes(), yes()});
    click("ToolButton10");
    EXPECT_TRUE(storedPageTitles().isEmpty());
    EXPECT_FALSE(fileExists("x.wad") || fileExists("y.wad") || fileExists("z.wad"));
    EXPECT_TRUE(fileExists("other.wad"));
}

// Another program holds the write lock of the table file: the rows cannot be
// deleted, so the page and its logo wad files stay, and the engine says why.
TEST_F(PageCommands, DeletingPagesFromALockedTableKeepsPagesAndFiles)
{
    addPage("a", {"x"});
    addPage("b", {"y"});
    for (const char* f : {"x.wad", "y.wad"})
        writeFile(QLatin1String(f), "wad");
    ASSERT_TRUE(start());
    store::SqliteDb other;
    other.open(path(QStringLiteral("LogoDB.db")), false);
    other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    for (const char* button : {"ToolButton2", "ToolButton10"}) {
        app::MessageBox::clearShown();
        answer({yes(), yes()});
        click(button);
        ASSERT_EQ(shown().size(), 3) << button;
        EXPECT_TRUE(shown().last().contains(QStringLiteral("locked"))) << shown().last().toStdString();
        EXPECT_TRUE(fileExists("x.wad") && fileExists("y.wad")) << button;
    }
    other.exec(QStringLiteral("ROLLBACK"));
    other.close();
    EXPECT_EQ(storedPageTitles(), (QStringList{"a", "b"}));
}

TEST_F(PageCommands, CancelAfterInsertDropsTheNewPageButNotTheFlag)
{
    addPage("a");
    ASSERT_TRUE(start());
    click("ToolButton1");
    EXPECT_EQ(widget<TDBGrid>("DBGrid1")->model()->rowCount(), 2);
    answer({yes()});
    click("ToolButton6");
    EXPECT_EQ(widget<TDBGrid>("DBGrid1")->model()->rowCount(), 1);
    EXPECT_EQ(pageTitle(), QStringLiteral("a"));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_FALSE(library().isEditing());
}

TEST_F(PageCommands, RefreshPostsTheEditAndRereadsThePages)
{
    addPage("b");
    ASSERT_TRUE(start());
    library().edit();
    library().setSlot(2, "logo", library().slotPicture(2));
    addPage("a");   // another writer
    click("ToolButton3");
    EXPECT_EQ(widget<TDBGrid>("DBGrid1")->model()->rowCount(), 2);
    EXPECT_EQ(pageTitle(), QStringLiteral("b"));
    EXPECT_EQ(widget<QLineEdit>("DBEdit2")->text(), QStringLiteral("logo"));
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(PageCommands, TypedPageTitleIsTakenOverByEnterAndSaved)
{
    addPage("old");
    ASSERT_TRUE(start());
    auto* edit = widget<QLineEdit>("DBEdit9");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "renamed");
    EXPECT_TRUE(library().isEditing());
    EXPECT_FALSE(library().UnsavedChanges()) << "typing does not set the flag";
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(library().UnsavedChanges()) << "a title taken over is a change to save";
    EXPECT_EQ(library().pageTitle(), QStringLiteral("renamed"));
    EXPECT_TRUE(storedPageTitles() == QStringList{"old"}) << "Enter does not post";
    answer({yes()});
    click("ToolButton5");
    EXPECT_EQ(storedPageTitles(), QStringList{"renamed"});
}

TEST_F(PageCommands, APendingPageTitleShowsInThePageListUntilCancelled)
{
    addPage("alpha");
    addPage("beta");
    ASSERT_TRUE(start());
    auto* grid = widget<QAbstractItemView>("DBGrid1");
    auto listed = [grid](int row) { return grid->model()->index(row, 0).data().toString(); };
    auto* edit = widget<QLineEdit>("DBEdit9");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "gamma");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(listed(0), QStringLiteral("gamma")) << "the new title shows at once";
    EXPECT_EQ(listed(1), QStringLiteral("beta"));
    EXPECT_EQ(storedPageTitles(), (QStringList{"alpha", "beta"}));
    answer({yes()});
    click("ToolButton6");
    EXPECT_EQ(listed(0), QStringLiteral("alpha"));
}

TEST_F(PageCommands, EscapePutsTheStoredTitleBack)
{
    addPage("stored");
    ASSERT_TRUE(start());
    auto* edit = widget<QLineEdit>("DBEdit9");
    edit->setFocus();
    QTest::keyClicks(edit, "xyz");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), QStringLiteral("stored"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("stored"));
    answer({yes()});
    click("ToolButton5");
    EXPECT_EQ(storedPageTitles(), QStringList{"stored"});
}

TEST_F(PageCommands, ThePageListAndTheNavigatorMoveTheCursor)
{
    for (const char* t : {"a", "b", "c"})
        addPage(QLatin1String(t), {QStringLiteral("logo_") + QLatin1String(t)});
    ASSERT_TRUE(start());
    auto* grid = widget<TDBGrid>("DBGrid1");
    grid->setCurrentIndex(grid->model()->index(2, 0));
    EXPECT_EQ(pageTitle(), QStringLiteral("c"));
    EXPECT_EQ(widget<QLineEdit>("DBEdit1")->text(), QStringLiteral("logo_c"));
    QTest::mouseClick(widget<QToolButton>("DBNavigator2Prior"), Qt::LeftButton);
    EXPECT_EQ(pageTitle(), QStringLiteral("b"));
    QTest::mouseClick(widget<QToolButton>("DBNavigator2First"), Qt::LeftButton);
    EXPECT_EQ(pageTitle(), QStringLiteral("a"));
    EXPECT_FALSE(widget<QToolButton>("DBNavigator2Prior")->isEnabled());
    QTest::mouseClick(widget<QToolButton>("DBNavigator2Last"), Qt::LeftButton);
    EXPECT_EQ(pageTitle(), QStringLiteral("c"));
    EXPECT_EQ(grid->currentIndex().row(), 2);
}

TEST_F(PageCommands, AMoveRefusedForADuplicateTitleStaysAndReports)
{
    addPage("a");
    addPage("b");
    ASSERT_TRUE(start());
    library().edit();
    library().renamePage("b");
    QTest::mouseClick(widget<QToolButton>("DBNavigator2Next"), Qt::LeftButton);
    ASSERT_FALSE(shown().isEmpty());
    EXPECT_EQ(shown().last(), QStringLiteral("Key violation."));
    EXPECT_TRUE(library().isEditing());
    EXPECT_EQ(widget<TDBGrid>("DBGrid1")->currentIndex().row(), 0);
}

TEST_F(PageCommands, AClickOnATitleEditRecordsItsNumberAndOpensTheRenameDialog)
{
    addPage("p", {"a", "", "c"});
    ASSERT_TRUE(start());
    for (int tag : {3, 9}) {
        QWidget* opened = nullptr;
        whenModal([&](QWidget* modal) {
            opened = modal;
            modal->close();
        });
        QTest::mouseClick(widget<QLineEdit>(QStringLiteral("DBEdit%1").arg(tag)), Qt::LeftButton);
        EXPECT_EQ(form().RenameTarget, tag);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(opened->objectName(), QStringLiteral("Form9"));
    }
    // An empty slot has nothing to rename: no dialog.
    bool openedForEmpty = false;
    whenModal([&](QWidget* modal) {
        openedForEmpty = true;
        modal->close();
    });
    QTest::mouseClick(widget<QLineEdit>(QStringLiteral("DBEdit2")), Qt::LeftButton);
    EXPECT_FALSE(openedForEmpty);
    EXPECT_EQ(form().RenameTarget, 9);
}

TEST_F(PageCommands, TheMenusRunTheSameCommands)
{
    ASSERT_TRUE(start());
    form().findChild<QAction*>("Insertanewpage1")->trigger();
    EXPECT_EQ(pageTitle(), QStringLiteral("NEW"));
    answer({yes()});
    form().findChild<QAction*>("Save1")->trigger();
    EXPECT_EQ(storedPageTitles(), QStringList{"NEW"});
}

} // namespace
