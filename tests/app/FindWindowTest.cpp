// Find (Ctrl+F, Edit, "Find..."): the list as one types, Enter or a click
// going to the page, the mark on the slot.
#include "ProgramFixture.h"

#include "app/FindWindow.h"
#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "store/Records.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

class Find : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    }
};

TEST_F(Find, CtrlFFindsALogoAndEnterGoesToItsPageAndMarksTheSlot)
{
    addPage("Birds", {"crow", "Rare_Bird"});
    addPage("Cats", {"tabby"});
    addPage("Zoo", {"zebra", QString(), "birdcage"});
    ASSERT_TRUE(start());
    QTest::keyClick(&form(), Qt::Key_F, Qt::ControlModifier);
    FindWindow* find = form().findWindow();
    ASSERT_TRUE(find->isVisible());
    QTest::keyClicks(find->field(), "BIRD");
    ASSERT_EQ(find->list()->count(), 2) << "as one types, in page order";
    EXPECT_EQ(find->list()->item(0)->text(), "Rare_Bird   (page Birds, slot 2)");
    EXPECT_EQ(find->list()->item(1)->text(), "birdcage   (page Zoo, slot 3)");

    QTest::keyClick(find->field(), Qt::Key_Down);
    EXPECT_EQ(find->list()->currentRow(), 1);
    QTest::keyClick(find->field(), Qt::Key_Return);
    EXPECT_EQ(library().pageTitle(), "Zoo");
    EXPECT_TRUE(form().picture(3)->isMarked());
    EXPECT_FALSE(form().picture(1)->isMarked());

    QTest::keyClicks(find->field(), "x");   // "BIRDx": nothing
    EXPECT_EQ(find->list()->count(), 0);
    find->field()->setText("cat");
    ASSERT_EQ(find->list()->count(), 1);
    QTest::mouseClick(find->list()->viewport(), Qt::LeftButton, {},
                      find->list()->visualItemRect(find->list()->item(0)).center());
    EXPECT_EQ(library().pageTitle(), "Cats");
    EXPECT_FALSE(form().picture(3)->isMarked()) << "the mark stays on its page";
}

} // namespace
