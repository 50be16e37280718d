// The wait-time dialog: the two conversions, Save, Cancel and Close.
#include "DialogDriving.h"
#include "SettingsFixture.h"

#include "settings/Unit5.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

using namespace store::ConfigRecord;
using namespace dialogtest;

namespace {

const QString kSaved = QStringLiteral("Settings saved.");
const QString kSaveChanges = QStringLiteral("Do you want to save changes?");

class Advanced : public SettingsFixture {
protected:
    void startWith(const QString& waitTime)
    {
        bothSaved();
        setConfig(WaitTime, waitTime);
        ASSERT_TRUE(start());
    }
    TForm5* dialog() { return &window<TForm5>(); }
    QSlider* slider() { return in<QSlider>(dialog(), "TrackBar1"); }
    QString shownValue() { return in<QLabel>(dialog(), "ValueLabel")->text(); }
    void press(const char* button) { click(in<QPushButton>(dialog(), button)); }
    void key(Qt::Key k) { QTest::keyClick(slider(), k); }
};

struct Conversion {
    const char* stored;
    int position;
};
void PrintTo(const Conversion& c, std::ostream* out) { *out << '"' << c.stored << "\" at " << c.position; }

class StoredWaitTime : public Advanced, public ::testing::WithParamInterface<Conversion> {};

TEST_P(StoredWaitTime, SetsTheSliderAtStartUp)
{
    startWith(QLatin1String(GetParam().stored));
    EXPECT_EQ(dialog()->position(), GetParam().position);
    EXPECT_EQ(dialog()->waitMilliseconds(), GetParam().position * 20);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredWaitTime,
                         ::testing::Values(Conversion{"300", 15}, Conversion{"310", 15}, Conversion{"999", 30},
                                           Conversion{"0", 0}, Conversion{"600", 30}, Conversion{"19", 0}),
                         [](const auto& info) { return std::string("WaitTime") + info.param.stored; });

TEST_F(Advanced, SavingAtEitherEndStoresZeroAndSixHundred)
{
    startWith(QStringLiteral("300"));
    QStringList values;
    inside("Form5", [&] {
        values << shownValue();
        key(Qt::Key_Home);
        values << shownValue();
        press("bSave");
    });
    choose("Advanced1");
    EXPECT_EQ(storedConfig(WaitTime), QStringLiteral("0"));
    inside("Form5", [&] {
        key(Qt::Key_End);
        values << shownValue();
        press("bSave");
    });
    choose("Advanced1");
    EXPECT_EQ(storedConfig(WaitTime), QStringLiteral("600"));
    EXPECT_EQ(values, (QStringList{"300", "0", "600"}));
    EXPECT_EQ(shown(), (QStringList{kSaved, kSaved}));
}

TEST_F(Advanced, CloseWithoutAChangeAsksNothing)
{
    startWith(QStringLiteral("300"));
    inside("Form5", [&] { press("bClose"); });
    choose("Advanced1");
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(Advanced, CloseAfterAChangeAndNoKeepsTheMovedTimeForThisRunOnly)
{
    startWith(QStringLiteral("300"));
    answer({no()});
    inside("Form5", [&] {
        key(Qt::Key_Right);
        key(Qt::Key_Right);
        press("bClose");
    });
    choose("Advanced1");
    EXPECT_EQ(shown(), QStringList{kSaveChanges});
    EXPECT_EQ(dialog()->waitMilliseconds(), 340) << "the import uses the moved time";
    EXPECT_EQ(storedConfig(WaitTime), QStringLiteral("300"));

    stop();
    ASSERT_TRUE(start());
    EXPECT_EQ(dialog()->waitMilliseconds(), 300) << "after a restart the stored time is back";
}

TEST_F(Advanced, CloseAfterAChangeAndYesSavesWithItsMessage)
{
    startWith(QStringLiteral("300"));
    answer({yes()});
    inside("Form5", [&] {
        key(Qt::Key_Left);
        press("bClose");
    });
    choose("Advanced1");
    EXPECT_EQ(shown(), (QStringList{kSaveChanges, kSaved}));
    EXPECT_EQ(storedConfig(WaitTime), QStringLiteral("280"));
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(Advanced, CancelPutsTheSliderBackAndTheNextOpeningClearsTheChange)
{
    startWith(QStringLiteral("100"));
    inside("Form5", [&] {
        key(Qt::Key_End);
        press("bCancel");
    });
    choose("Advanced1");
    EXPECT_EQ(dialog()->position(), 5);
    EXPECT_EQ(dialog()->waitMilliseconds(), 100);
    EXPECT_TRUE(dialog()->waitTimeChanged()) << "the slider moved back";
    inside("Form5", [&] {
        EXPECT_FALSE(dialog()->waitTimeChanged());
        press("bClose");
    });
    choose("Advanced1");
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(Advanced, CancelWithAStoredTimeThatIsNoNumberGoesToTheDefault)
{
    startWith(QStringLiteral("100"));
    setConfig(WaitTime, QString());
    inside("Form5", [&] {
        EXPECT_EQ(dialog()->position(), 5);
        press("bCancel");
    });
    choose("Advanced1");
    EXPECT_EQ(dialog()->position(), 15);
    EXPECT_TRUE(shown().isEmpty()) << "no error at Cancel";
}

TEST_F(Advanced, TheTitleBarCloseStoresNothingAndKeepsTheSlider)
{
    startWith(QStringLiteral("300"));
    inside("Form5", [&] {
        key(Qt::Key_PageUp);
        dialog()->close();
    });
    choose("Advanced1");
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(dialog()->position(), 17);
    EXPECT_EQ(storedConfig(WaitTime), QStringLiteral("300"));
}

TEST_F(Advanced, HelpWidensAndNarrowsTheWindow)
{
    startWith(QStringLiteral("300"));
    QList<QSize> sizes;
    inside("Form5", [&] {
        QLabel* help = in<QLabel>(dialog(), "HelpLabel");
        sizes << dialog()->size();
        click(help);
        sizes << dialog()->size();
        click(help);
        sizes << dialog()->size();
        click(help);
        press("bClose");
    });
    choose("Advanced1");
    inside("Form5", [&] {
        sizes << dialog()->size();
        press("bClose");
    });
    choose("Advanced1");
    EXPECT_EQ(sizes, (QList<QSize>{{313, 250}, {593, 308}, {313, 250}, {313, 250}}));
}

} // namespace
