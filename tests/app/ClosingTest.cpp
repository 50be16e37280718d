// Closing the main window: the save question and a refused post.
#include "ProgramFixture.h"

#include "app/Unit1.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

using store::LogoPage::PageTitle;

namespace {

class Closing : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    }
};

TEST_F(Closing, WithoutChangesThereIsNoQuestionAndTypedTextIsDropped)
{
    addPage("kept");
    ASSERT_TRUE(start());
    auto* edit = widget<QLineEdit>("DBEdit9");
    edit->setFocus();
    QTest::keyClicks(edit, "typed");
    EXPECT_TRUE(form().close());
    EXPECT_TRUE(shown().isEmpty());
    stop();
    EXPECT_EQ(storedPageTitles(), QStringList{"kept"});
}

TEST_F(Closing, UnsavedChangesOnAnEmptyLibraryStoreNoBlankPageOnYes)
{
    ASSERT_TRUE(start());
    library().setUnsavedChanges(true);
    answer({yes()});
    EXPECT_TRUE(form().close());
    EXPECT_EQ(shown(), QStringList{"Do you want to save changes?"});
    EXPECT_TRUE(storedPageTitles().isEmpty());
}

TEST_F(Closing, UnsavedChangesAnsweredNoCloseWithoutSaving)
{
    addPage("a");
    ASSERT_TRUE(start());
    library().edit();
    library().renamePage("b");
    library().setUnsavedChanges(true);
    answer({no()});
    EXPECT_TRUE(form().close());
    EXPECT_EQ(storedPageTitles(), QStringList{"a"});
}

TEST_F(Closing, ARefusedPostKeepsTheWindowOpen)
{
    addPage("a");
    addPage("b");
    ASSERT_TRUE(start());
    library().edit();
    library().renamePage("b");
    library().setUnsavedChanges(true);
    answer({yes()});
    EXPECT_FALSE(form().close());
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(shown().last(), QStringLiteral("Key violation."));
    EXPECT_EQ(app::MessageBox::shown().last().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(library().isEditing());
    EXPECT_TRUE(library().UnsavedChanges());
}

TEST_F(Closing, ExitAsksFirst)
{
    ASSERT_TRUE(start());
    answer({no()});
    form().findChild<QAction*>("Exit1")->trigger();
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(shown(), QStringList{"Press \"Yes\" to exit."});
    answer({yes()});
    form().findChild<QAction*>("Exit1")->trigger();
    EXPECT_FALSE(form().isVisible());
}

} // namespace
