// The dialogs are made when first used, not at start-up, and each is then
// kept: a second use shows the same window.
#include "ProgramFixture.h"

#include "app/FindWindow.h"
#include "app/Unit1.h"
#include "info/Unit7.h"
#include "settings/Unit8.h"
#include "settings/unit2.h"
#include "store/Records.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

using namespace store::ConfigRecord;

namespace {

class LazyDialogs : public ProgramFixture {};

TEST_F(LazyDialogs, MadeOnFirstUseAndKept)
{
    setConfig(ConfigSaved, QStringLiteral("Yes"));
    ASSERT_TRUE(start());
    EXPECT_EQ(form().findChild<TForm8*>(), nullptr) << "the Extra options window is not made at start-up";
    EXPECT_EQ(form().findChild<TForm2*>(), nullptr) << "nor the Configuration window";
    EXPECT_EQ(form().findChild<TAboutBox*>(), nullptr);
    EXPECT_EQ(form().findChild<FindWindow*>(), nullptr) << "nor Find";

    QList<QPointer<QWidget>> opened;
    for (int i = 0; i < 2; ++i) {
        whenModal([&](QWidget* modal) {
            opened << modal;
            static_cast<QDialog*>(modal)->reject();
        });
        form().Extraoptions1Click();
    }
    ASSERT_EQ(opened.size(), 2);
    EXPECT_NE(qobject_cast<TForm8*>(opened[0]), nullptr);
    EXPECT_EQ(opened[0], opened[1]) << "the same window both times";
    EXPECT_EQ(form().findChildren<TForm8*>().size(), 1);
    EXPECT_EQ(form().findChild<TForm2*>(), nullptr) << "only the window used is made";
}

TEST_F(LazyDialogs, FindIsMadeByCtrlFAndKeptWithItsText)
{
    setConfig(ConfigSaved, QStringLiteral("Yes"));
    ASSERT_TRUE(start());
    ASSERT_EQ(form().findChild<FindWindow*>(), nullptr);

    QTest::keyClick(&form(), Qt::Key_F, Qt::ControlModifier);
    const QPointer<FindWindow> first = form().findChild<FindWindow*>();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    QTest::keyClicks(first->field(), "wolf");
    first->hide();

    QTest::keyClick(&form(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(form().findChildren<FindWindow*>().size(), 1);
    EXPECT_EQ(form().findChild<FindWindow*>(), first) << "the same window again";
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->field()->text(), QStringLiteral("wolf"));
}

} // namespace
