// The Configuration window's Steam part: "Find" fills the list of games, a
// first start chooses a found game, and the two tempdecal.wad check boxes
// are kept across runs.
#include "DialogDriving.h"
#include "SettingsFixture.h"
#include "support/FakeSteam.h"

#include "settings/unit2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace store::ConfigRecord;
using namespace dialogtest;

namespace {

using Place = FakeSteam::Place;

class SteamFind : public SettingsFixture {
protected:
    TForm2* dialog() { return &window<TForm2>(); }
    QComboBox* games() { return in<QComboBox>(dialog(), "GameList"); }
    QCheckBox* box(const char* name) { return in<QCheckBox>(dialog(), name); }
    void press(const char* button) { click(in<QPushButton>(dialog(), button)); }
    QStringList listed()
    {
        QStringList items;
        for (int i = 0; i < games()->count(); ++i)
            items << games()->itemData(i).toString();
        return items;
    }
    FakeSteam steam;
};

TEST_F(SteamFind, FindFillsTheListChoosesTheFirstAndSaveStoresIt)
{
    const QString a = steam.addLibrary(QStringLiteral("a"), {QStringLiteral("cstrike"), QStringLiteral("valve")});
    const QString b = steam.addLibrary(QStringLiteral("b"), {QStringLiteral("dod")});
    steam.writeLibraryFile(Place::Native, {a, steam.home() + QStringLiteral("/gone"), b});
    const QString own = folder("half-life/tfc");
    bothSaved();
    setConfig(Config, own);
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        EXPECT_EQ(games()->count(), 0) << "a saved location is not replaced by itself";
        EXPECT_EQ(settings().gameLocation(), own);
        press("FindButton");
        const QString valve = FakeSteam::modFolder(a, QStringLiteral("valve"));
        EXPECT_EQ(listed(), (QStringList{valve, FakeSteam::modFolder(a, QStringLiteral("cstrike")),
                                         FakeSteam::modFolder(b, QStringLiteral("dod"))}));
        EXPECT_EQ(games()->currentIndex(), 0);
        EXPECT_EQ(settings().gameLocation(), valve);
        EXPECT_EQ(in<QLabel>(dialog(), "LocationLabel")->toolTip(), valve);
        games()->setCurrentIndex(2);
        emit games()->activated(2);
        EXPECT_EQ(settings().gameLocation(), FakeSteam::modFolder(b, QStringLiteral("dod")));
        press("bSave");
    });
    choose("Config1");
    EXPECT_EQ(storedConfig(Config), FakeSteam::modFolder(b, QStringLiteral("dod")));
}

TEST_F(SteamFind, AFirstStartChoosesAFoundGame)
{
    const QString lib = steam.addLibrary(QStringLiteral("lib"), {QStringLiteral("cstrike")});
    steam.writeLibraryFile(Place::Flatpak, {lib});
    QString chosen;
    inside("Form2", [&] {
        chosen = settings().gameLocation();
        press("bSave");
    });
    answer({no()});
    ASSERT_TRUE(start());
    EXPECT_EQ(chosen, FakeSteam::modFolder(lib, QStringLiteral("cstrike")));
    EXPECT_EQ(storedConfig(Config), chosen);
}

TEST_F(SteamFind, ADamagedOrMissingSteamChangesNothingButTheList)
{
    steam.writeRawLibraryFile(Place::Native, "\"libraryfolders\" { \"0\" { \"path\" ");
    steam.writeRawLibraryFile(Place::Legacy, QByteArray("\0\1\2}{", 5));
    const QString own = folder("half-life/cstrike");
    bothSaved();
    setConfig(Config, own);
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        games()->addItem(QStringLiteral("stale"), QStringLiteral("stale"));
        press("FindButton");
        EXPECT_EQ(games()->count(), 0);
        EXPECT_EQ(settings().gameLocation(), own);
        EXPECT_FALSE(dialog()->followsList());
        press("bCancel");
    });
    EXPECT_EQ(storedConfig(Config), own);
    EXPECT_TRUE(shown().isEmpty()) << shown().join('|').toStdString();
}

TEST_F(SteamFind, TheCheckBoxesAreOnByDefaultAndKeptAcrossRuns)
{
    const QString own = folder("half-life/cstrike");
    bothSaved();
    setConfig(Config, own);
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        EXPECT_TRUE(box("TempdecalBox")->isChecked());
        EXPECT_TRUE(box("ReadOnlyBox")->isChecked());
        EXPECT_EQ(box("TempdecalBox")->text(), QStringLiteral("Also install as tempdecal.wad"));
        EXPECT_EQ(box("ReadOnlyBox")->text(), QStringLiteral("Make tempdecal.wad read-only"));
        click(box("ReadOnlyBox"));
        press("bSave");
    });
    choose("Config1");
    EXPECT_TRUE(settings().savedInstallOptions().tempdecal);
    EXPECT_FALSE(settings().savedInstallOptions().readOnly);

    stop();
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        EXPECT_FALSE(box("ReadOnlyBox")->isChecked()) << "kept across runs";
        click(box("TempdecalBox"));
        EXPECT_FALSE(box("ReadOnlyBox")->isEnabled()) << "nothing to make read-only";
        click(box("ReadOnlyBox"));
        press("bCancel");
    });
    choose("Config1");
    EXPECT_TRUE(settings().savedInstallOptions().tempdecal) << "Cancel keeps what was saved";
    inside("Form2", [&] {
        EXPECT_TRUE(box("TempdecalBox")->isChecked());
        click(box("TempdecalBox"));
        press("bSave");
    });
    choose("Config1");
    EXPECT_FALSE(settings().savedInstallOptions().tempdecal);
    EXPECT_EQ(storedConfig(Config), own) << "the settings table is as before";
}

TEST_F(SteamFind, TheNewControlsFitTheWindowWithoutOverlapping)
{
    bothSaved();
    setConfig(Config, folder("half-life"));
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        const auto isNew = [](QWidget* w) {
            return QStringList{QStringLiteral("FindButton"), QStringLiteral("GameList"), QStringLiteral("TempdecalBox"),
                               QStringLiteral("ReadOnlyBox"), QStringLiteral("Label3"), QStringLiteral("TargetList")}
                .contains(w->objectName());
        };
        QList<QWidget*> controls;
        for (QWidget* w : dialog()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!w->isWindow() && w->x() < 216 && !w->objectName().startsWith(QStringLiteral("qt_")))
                controls << w;
        for (QWidget* w : controls) {
            EXPECT_LE(w->geometry().right(), 215) << w->objectName().toStdString();
            EXPECT_LE(w->geometry().bottom(), dialog()->height()) << w->objectName().toStdString();
            for (QWidget* other : controls)
                if (w != other && (isNew(w) || isNew(other)))
                    EXPECT_FALSE(w->geometry().intersects(other->geometry()))
                        << w->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
        }
        for (const char* name : {"TempdecalBox", "ReadOnlyBox"})
            EXPECT_LE(box(name)->sizeHint().width(), box(name)->width()) << name << " has room for its text";
        press("bCancel");
    });
}

} // namespace
