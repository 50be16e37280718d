// The main window after an added or renamed page, on an empty library, with
// Enter and on closing; and the default answer of the questions that delete
// files for good.
#include "ProgramFixture.h"

#include "app/PageList.h"
#include "app/Unit1.h"
#include "import/OpenDialog.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QWindow>
#include <QTest>
#include <QToolButton>

using store::LogoPage::PageTitle;
using Answer = app::MessageBox::Answer;

namespace {

class MainWindowFaults : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    }
    void click(const QString& name) { QTest::mouseClick(widget<QToolButton>(name), Qt::LeftButton); }
    QLineEdit* titleEdit() { return widget<QLineEdit>("DBEdit9"); }
    QString pageTitle() { return titleEdit()->text(); }
    void pickInList(const QString& title)
    {
        auto* grid = widget<TDBGrid>("DBGrid1");
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            if (grid->model()->index(row, 0).data().toString() == title) {
                grid->setCurrentIndex(grid->model()->index(row, 0));
                return;
            }
        ADD_FAILURE() << "no line " << title.toStdString();
    }
    void typeTitle(const QString& text)
    {
        titleEdit()->setFocus();
        titleEdit()->selectAll();
        QTest::keyClicks(titleEdit(), text);
    }
};

TEST_F(MainWindowFaults, AClickInThePageListAfterAddNewPageShowsThePickedPage)
{
    for (const char* t : {"A", "B", "C"})
        addPage(QLatin1String(t));
    ASSERT_TRUE(start());
    click("ToolButton1");
    pickInList("C");
    EXPECT_EQ(pageTitle(), QStringLiteral("C"));
    EXPECT_EQ(storedPageTitles(), (QStringList{"A", "B", "C", "NEW"}));
}

TEST_F(MainWindowFaults, TheNavigatorAfterANewOrRenamedPageGoesWhereItSays)
{
    for (const char* t : {"A", "Y", "Z"})
        addPage(QLatin1String(t));
    ASSERT_TRUE(start());
    click("ToolButton1");
    typeTitle("ZZ");
    click("DBNavigator2Last");
    EXPECT_EQ(pageTitle(), QStringLiteral("ZZ"));

    click("DBNavigator2First");
    typeTitle("X");   // A becomes X and sorts between ... and Y
    click("DBNavigator2Next");
    EXPECT_EQ(pageTitle(), QStringLiteral("Y"));
    click("DBNavigator2Prior");
    EXPECT_EQ(pageTitle(), QStringLiteral("X"));
    typeTitle("B");
    pickInList("Z");
    EXPECT_EQ(pageTitle(), QStringLiteral("Z"));
    EXPECT_EQ(storedPageTitles(), (QStringList{"B", "Y", "Z", "ZZ"}));
}

TEST_F(MainWindowFaults, TheFirstKeyTypedOnAnEmptyLibraryIsKept)
{
    ASSERT_TRUE(start());
    titleEdit()->setFocus();
    QTest::keyClicks(titleEdit(), "Maps");
    EXPECT_EQ(pageTitle(), QStringLiteral("Maps"));
    QTest::keyClick(titleEdit(), Qt::Key_Return);
    answer({yes()});
    click("ToolButton5");
    EXPECT_EQ(storedPageTitles(), QStringList{"Maps"});
}

TEST_F(MainWindowFaults, AnEmptyLibraryStoresNoNamelessPage)
{
    ASSERT_TRUE(start());
    // "+" and Cancel in the file dialog.
    logoimport::OpenDialog::queueCancel();
    QTest::mouseClick(widget<QWidget>("Button1"), Qt::LeftButton);
    EXPECT_TRUE(storedPageTitles().isEmpty());
    // A dropped file that is not a logo.
    writeFile("notes.txt", "text");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path("notes.txt"))});
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form(), &drop);
    EXPECT_TRUE(storedPageTitles().isEmpty());
    // Closing with the question answered Yes.
    library().setUnsavedChanges(true);
    answer({yes()});
    EXPECT_TRUE(form().close());
    EXPECT_TRUE(storedPageTitles().isEmpty());
}

TEST_F(MainWindowFaults, DeletingTheLastPageThenClosingWithYesStoresNothing)
{
    addPage("only");
    ASSERT_TRUE(start());
    answer({yes(), no()});
    click("ToolButton2");
    EXPECT_TRUE(storedPageTitles().isEmpty());
    answer({yes()});
    EXPECT_TRUE(form().close());
    EXPECT_EQ(shown().last(), QStringLiteral("Do you want to save changes?"));
    EXPECT_TRUE(storedPageTitles().isEmpty());
}

TEST_F(MainWindowFaults, EnterWithNothingToTakeOverDoesNothing)
{
    addPage("p");
    ASSERT_TRUE(start());
    QTest::keyClick(widget<QWidget>("DBImage1"), Qt::Key_Return);
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_FALSE(library().isEditing());
    EXPECT_FALSE(library().UnsavedChanges());
    EXPECT_TRUE(form().close());
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(MainWindowFaults, ATitleTakenOverWithEnterIsAskedAboutOnClose)
{
    addPage("old");
    ASSERT_TRUE(start());
    typeTitle("renamed");
    QTest::keyClick(titleEdit(), Qt::Key_Return);
    EXPECT_TRUE(library().UnsavedChanges());
    answer({yes()});
    EXPECT_TRUE(form().close());
    EXPECT_EQ(shown(), QStringList{"Do you want to save changes?"});
    stop();
    EXPECT_EQ(storedPageTitles(), QStringList{"renamed"});
}

TEST_F(MainWindowFaults, ATitleAnotherPageHasIsRefusedByEnterAtOnce)
{
    addPage("old");
    addPage("other");
    ASSERT_TRUE(start());
    typeTitle("other");
    QTest::keyClick(titleEdit(), Qt::Key_Return);
    EXPECT_EQ(shown(), QStringList{"This name already exists, please pick an other"});
    EXPECT_EQ(library().pageTitle(), QStringLiteral("old"));
}

TEST_F(MainWindowFaults, QuestionsThatDeleteFilesForGoodDefaultToNo)
{
    addPage("a", {"x"});
    writeFile("x.wad", "wad");
    ASSERT_TRUE(start());
    auto defaultOf = [](const QString& text) {
        for (const app::MessageBox::Shown& s : app::MessageBox::shown())
            if (s.text == text)
                return s.defaultAnswer;
        ADD_FAILURE() << "not asked: " << text.toStdString();
        return Answer::Yes;
    };
    answer({yes(), no()});
    QTest::mouseClick(widget<QWidget>("Button2"), Qt::LeftButton);
    EXPECT_EQ(defaultOf("This will delete the picture in Tagomat. Are you sure?"), Answer::Yes);
    EXPECT_EQ(defaultOf("Do you want to delete the wad file of the logo? (cannot be undone!)"), Answer::No);
    answer({yes(), no()});
    click("ToolButton2");
    EXPECT_EQ(defaultOf("Do you want to delete all the wad files? (Cannot be undone)"), Answer::No);
    addPage("b");
    click("ToolButton3");
    answer({yes(), no()});
    click("ToolButton10");
    EXPECT_EQ(defaultOf("THIS WILL DELETE ALL PAGES! ARE YOU SURE?! (CANNOT BE UNDONE!)"), Answer::No);
    EXPECT_EQ(defaultOf("DO YOU WANT TO DELETE ALL WAD FILES?! (CANNOT BE UNDONE!)"), Answer::No);
    EXPECT_TRUE(fileExists("x.wad"));
}

} // namespace

namespace {

TEST_F(MainWindowFaults, TheMainWindowOpensCentredOnItsScreen)
{
    ASSERT_TRUE(start());
    const QRect screen = form().screen()->availableGeometry();
    const QPoint offset = form().geometry().center() - screen.center();
    EXPECT_LE(offset.manhattanLength(), 10) << "at " << form().x() << "," << form().y();
}

} // namespace

namespace {

TEST_F(MainWindowFaults, AFileDroppedOnThePageTitleIsNoTextForIt)
{
    addPage("kept");
    ASSERT_TRUE(start());
    writeFile("notes.txt", "text");
    QMimeData mime;   // file managers offer the path as text too
    mime.setUrls({QUrl::fromLocalFile(path("notes.txt"))});
    mime.setText(path("notes.txt"));
    QWindow* window = form().windowHandle();
    ASSERT_NE(window, nullptr);
    const QPointF where = titleEdit()->mapTo(&form(), titleEdit()->rect().center());
    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDragMoveEvent move(where.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    QDropEvent drop(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    EXPECT_EQ(pageTitle(), QStringLiteral("kept"));
    answer({yes()});
    click("ToolButton5");
    EXPECT_EQ(storedPageTitles(), QStringList{"kept"});
}

} // namespace
