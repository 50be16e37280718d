// The "Logo Installed" dialog: its buttons' states and captions, Return,
// Escape and Quit.
#include "GameFixture.h"

#include "app/Unit1.h"
#include "game/Unit6.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QPushButton>
#include <QTest>

using namespace store::ConfigRecord;

namespace {

class LogoInstalled : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        addPage(QStringLiteral("Page1"), {QStringLiteral("logo_a")});
        addLogo(QStringLiteral("logo_a"), QStringLiteral("spray-a.wad"));
    }

    void openDialog()
    {
        doubleClick(1);
        ASSERT_TRUE(dialog()->isVisible()) << shown().join(QLatin1Char('|')).toStdString();
    }

    void setSaved(int field, const QString& value)
    {
        setConfig(field, value);
    }

    QPushButton* gameButton() { return dialogButton(QStringLiteral("Button1")); }
    QPushButton* extraButton() { return dialogButton(QStringLiteral("Button4")); }
};

struct Saved {
    bool game;
    bool extra;
};
std::string savedName(const Saved& s)
{
    return std::string(s.game ? "Game" : "NoGame") + (s.extra ? "AndExtraProgram" : "NoExtraProgram");
}
void PrintTo(const Saved& s, std::ostream* out) { *out << savedName(s); }

class ButtonStates : public LogoInstalled, public ::testing::WithParamInterface<Saved> {};

TEST_P(ButtonStates, FollowTheSavedSettings)
{
    configure(GetParam().game, GetParam().extra, modFolder(), other() + QStringLiteral("/tools/gamespy.exe"));
    ASSERT_TRUE(start());
    openDialog();
    EXPECT_EQ(gameButton()->text(), QStringLiteral("Start Half-Life"));
    EXPECT_EQ(gameButton()->isEnabled(), GetParam().game);
    EXPECT_EQ(extraButton()->isEnabled(), GetParam().extra);
    EXPECT_EQ(extraButton()->text(), GetParam().extra ? QStringLiteral("Start gamespy") : QStringLiteral("Run Executable"));
    EXPECT_EQ(dialogButton(QStringLiteral("Button2"))->text(), QStringLiteral("Return to Tagomat"));
    EXPECT_EQ(dialogButton(QStringLiteral("Button3"))->text(), QStringLiteral("Quit Tagomat"));
    EXPECT_TRUE(dialogButton(QStringLiteral("Button2"))->isEnabled());
    EXPECT_TRUE(dialogButton(QStringLiteral("Button3"))->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(EachSavedSetting, ButtonStates,
                         ::testing::Values(Saved{true, false}, Saved{false, true}, Saved{true, true}),
                         [](const ::testing::TestParamInfo<Saved>& info) { return savedName(info.param); });

TEST_F(LogoInstalled, TheExtraProgramCaptionIsSetOnlyWhenItsButtonIsEnabledAtAnOpening)
{
    configure(true, false, modFolder(), other() + QStringLiteral("/browser"));
    ASSERT_TRUE(start());
    openDialog();
    EXPECT_EQ(extraButton()->text(), QStringLiteral("Run Executable"));

    // Saving the extra program while the dialog is open enables the button
    // as it is; its caption follows at the next opening.
    settings().saveExtraProgram(other() + QStringLiteral("/browser"));
    EXPECT_TRUE(extraButton()->isEnabled());
    EXPECT_EQ(extraButton()->text(), QStringLiteral("Run Executable"));
    click(QStringLiteral("Button2"));
    openDialog();
    EXPECT_EQ(extraButton()->text(), QStringLiteral("Start browser"));

    // A button left disabled keeps the caption of the earlier opening.
    click(QStringLiteral("Button2"));
    setSaved(ExtraConfigSaved, QStringLiteral("No"));
    openDialog();
    EXPECT_FALSE(extraButton()->isEnabled());
    EXPECT_EQ(extraButton()->text(), QStringLiteral("Start browser"));
}

TEST_F(LogoInstalled, ReturnAndEscapeOnlyCloseTheDialog)
{
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    click(QStringLiteral("Button2"));
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(form().isVisible());

    openDialog();
    QTest::keyClick(dialog(), Qt::Key_Escape);
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(started.isEmpty());
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(LogoInstalled, QuitClosesTheMainWindowThroughItsSaveQuestion)
{
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    library().setUnsavedChanges(true);
    answer({no()});
    click(QStringLiteral("Button3"));
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Do you want to save changes?")});
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(LogoInstalled, QuitStopsWhenTheMainWindowRefusesToClose)
{
    addPage(QStringLiteral("Page2"));
    configure(true, false);
    ASSERT_TRUE(start());
    openDialog();
    library().edit();
    library().renamePage(QStringLiteral("Page2"));
    library().setUnsavedChanges(true);
    answer({yes()});
    click(QStringLiteral("Button3"));
    ASSERT_EQ(shown().size(), 2);
    EXPECT_EQ(app::MessageBox::shown().last().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(dialog()->isVisible()) << "the dialog is not closed first";
}

} // namespace
