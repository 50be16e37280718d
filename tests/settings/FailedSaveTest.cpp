// The wait-time and extra-program dialogs when their save cannot be posted:
// no success is reported and nothing is offered that was not stored.
#include "SettingsFixture.h"

#include "game/Unit6.h"
#include "settings/Unit5.h"
#include "settings/Unit8.h"
#include "store/Sqlite.h"

#include <QPushButton>
#include <QSlider>
#include <QTest>

using namespace store::ConfigRecord;

namespace {

class FailedSettingsSave : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        bothSaved();
    }
    // Another program holds the write lock of the settings file.
    void lockConfig()
    {
        other_.open(path(QStringLiteral("ConfigDB.db")), false);
        other_.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    void pressSaveIn(QDialog* dialog)
    {
        QTest::mouseClick(in<QPushButton>(dialog, "bSave"), Qt::LeftButton);
        dialog->done(QDialog::Rejected);
    }
    void expectOnlyAnError()
    {
        ASSERT_EQ(app::MessageBox::shown().size(), 1) << shown().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
        EXPECT_TRUE(shown().first().contains(QStringLiteral("locked"))) << shown().first().toStdString();
    }
    void TearDown() override
    {
        other_.close();
        SettingsFixture::TearDown();
    }
    store::SqliteDb other_;
};

TEST_F(FailedSettingsSave, TheWaitTimeDialogShowsTheErrorAlone)
{
    setConfig(WaitTime, QStringLiteral("300"));
    ASSERT_TRUE(start());
    lockConfig();
    inside("Form5", [&] {
        QTest::keyClick(in<QSlider>(&window<TForm5>(), "TrackBar1"), Qt::Key_Home);
        pressSaveIn(&window<TForm5>());
    });
    choose("Advanced1");
    expectOnlyAnError();
    other_.exec(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(storedConfig(WaitTime), QStringLiteral("300"));
}

TEST_F(FailedSettingsSave, TheExtraProgramDialogShowsTheErrorAloneAndOffersNoProgram)
{
    setConfig(ExtraConfigSaved, QStringLiteral("No"));
    ASSERT_TRUE(start());
    window<TForm6>().showInstalled();
    auto* extraButton = in<QPushButton>(&window<TForm6>(), "Button4");
    window<TForm6>().hide();
    ASSERT_FALSE(extraButton->isEnabled());
    lockConfig();
    settings().setExtraProgram(file(QStringLiteral("tool.exe")));
    inside("Form8", [&] { pressSaveIn(&window<TForm8>()); });
    choose("Extraoptions1");
    expectOnlyAnError();
    EXPECT_FALSE(extraButton->isEnabled()) << "Run Executable waits for a stored program";
}

} // namespace
