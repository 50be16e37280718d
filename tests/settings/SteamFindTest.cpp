// The Configuration window's Steam part: "Find" fills the list of games, a
// first start chooses a found game, and the two tempdecal.wad check boxes
// are kept across runs.
#include "DialogDriving.h"
#include "SettingsFixture.h"
#include "support/FakeSteam.h"

#include "settings/DirectoryList.h"
#include "settings/DriveBox.h"
#include "settings/unit2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <memory>

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
    // The game list's entries: the names shown, or with Qt::UserRole the folders.
    QStringList items(int role = Qt::DisplayRole)
    {
        QStringList out;
        for (int i = 0; i < games()->count(); ++i)
            out << games()->itemData(i, role).toString();
        return out;
    }
    // Starts with both settings windows saved once and `game` as the saved location.
    bool startSavedAt(const QString& game)
    {
        bothSaved();
        setConfig(Config, game);
        return start();
    }
    // Opens the Configuration window from the menu and runs `steps` in it.
    void configure(const std::function<void()>& steps)
    {
        auto ran = std::make_shared<bool>(false);
        inside("Form2", [ran, steps] {
            *ran = true;
            steps();
        });
        choose("Config1");
        EXPECT_TRUE(*ran) << "the Configuration window did not open";
    }
    FakeSteam steam;
};

TEST_F(SteamFind, FindListsTheGamesByNameChoosesCounterStrikeAndSaveStoresIt)
{
    const QString a = steam.addLibrary(QStringLiteral("a"), {QStringLiteral("cstrike"), QStringLiteral("valve")});
    const QString b = steam.addLibrary(QStringLiteral("b"), {QStringLiteral("dod")});
    steam.writeLibraryFile(Place::Native, {a, steam.home() + QStringLiteral("/gone"), b});
    const QString own = folder("half-life/tfc");
    const QString valve = FakeSteam::modFolder(a, QStringLiteral("valve")),
                  cstrike = FakeSteam::modFolder(a, QStringLiteral("cstrike")),
                  dod = FakeSteam::modFolder(b, QStringLiteral("dod"));
    ASSERT_TRUE(startSavedAt(own));
    configure([&] {
        EXPECT_EQ(games()->count(), 0) << "a saved location is not replaced by itself";
        EXPECT_EQ(settings().gameLocation(), own);
        press("FindButton");
        EXPECT_EQ(items(Qt::UserRole), (QStringList{valve, cstrike, dod}));
        EXPECT_EQ(items(), (QStringList{"Half-Life", "Counter-Strike", "Day of Defeat"}));
        EXPECT_EQ(games()->currentIndex(), 1);
        EXPECT_EQ(settings().gameLocation(), cstrike);
        EXPECT_EQ(in<QLabel>(dialog(), "LocationLabel")->toolTip(), cstrike);
        games()->setCurrentIndex(2);
        emit games()->activated(2);
        EXPECT_EQ(settings().gameLocation(), dod);
        press("bSave");
    });
    EXPECT_EQ(storedConfig(Config), dod);
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
    ASSERT_TRUE(startSavedAt(own));
    configure([&] {
        games()->addItem(QStringLiteral("stale"), QStringLiteral("stale"));
        press("FindButton");
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
    ASSERT_TRUE(startSavedAt(own));
    configure([&] {
        EXPECT_TRUE(box("TempdecalBox")->isChecked());
        EXPECT_TRUE(box("ReadOnlyBox")->isChecked());
        EXPECT_EQ(box("TempdecalBox")->text(), QStringLiteral("Also install as tempdecal.wad"));
        EXPECT_EQ(box("ReadOnlyBox")->text(), QStringLiteral("Make tempdecal.wad read-only"));
        click(box("ReadOnlyBox"));
        press("bSave");
    });
    EXPECT_TRUE(settings().savedInstallOptions().tempdecal);
    EXPECT_FALSE(settings().savedInstallOptions().readOnly);

    stop();
    ASSERT_TRUE(start());
    configure([&] {
        EXPECT_FALSE(box("ReadOnlyBox")->isChecked()) << "kept across runs";
        click(box("TempdecalBox"));
        EXPECT_FALSE(box("ReadOnlyBox")->isEnabled()) << "nothing to make read-only";
        click(box("ReadOnlyBox"));
        press("bCancel");
    });
    EXPECT_TRUE(settings().savedInstallOptions().tempdecal) << "Cancel keeps what was saved";
    configure([&] {
        EXPECT_TRUE(box("TempdecalBox")->isChecked());
        click(box("TempdecalBox"));
        press("bSave");
    });
    EXPECT_FALSE(settings().savedInstallOptions().tempdecal);
    EXPECT_EQ(storedConfig(Config), own) << "the settings table is as before";
}

TEST_F(SteamFind, TheNewControlsFitTheWindowWithoutOverlapping)
{
    ASSERT_TRUE(startSavedAt(folder("half-life")));
    configure([&] {
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

// A new user's first start. With Steam: a Counter-Strike player who also
// has Half-Life is asked which game, Counter-Strike chosen already, and one
// Save installs for it. Without Steam: the list starts at home, and a folder
// that is no game folder is saved only after a question naming it.
TEST_F(SteamFind, AFirstStartWithSeveralGamesAsksWhichAndPreselectsCounterStrike)
{
    const QString lib = steam.addLibrary(QStringLiteral("games"), {QStringLiteral("valve"), QStringLiteral("cstrike")});
    steam.writeLibraryFile(Place::Native, {lib});
    QStringList shownNames;
    bool asked = false;
    inside("Form2", [&] {
        asked = in<QLabel>(dialog(), "GameQuestion")->isVisible();
        shownNames = items();
        EXPECT_EQ(games()->currentText(), QStringLiteral("Counter-Strike"));
        press("bSave");
    });
    answer({no()});
    ASSERT_TRUE(start());
    EXPECT_TRUE(asked);
    EXPECT_EQ(shownNames, (QStringList{"Half-Life", "Counter-Strike"})) << "names, not paths";
    EXPECT_EQ(storedConfig(Config), FakeSteam::modFolder(lib, QStringLiteral("cstrike")));

    // Once saved, the window asks no more.
    configure([&] {
        EXPECT_FALSE(in<QLabel>(dialog(), "GameQuestion")->isVisible());
        press("bCancel");
    });
}

TEST_F(SteamFind, AFirstStartWithoutSteamStartsAtHomeAndSavesNoFolderWithoutLiblistUnasked)
{
    const QString plain = steam.home() + QStringLiteral("/Downloads");
    ASSERT_TRUE(QDir().mkpath(plain));
    auto list = [this] { return in<settings::DirectoryList>(dialog(), "DirectoryListBox1"); };
    QString startedAt;
    QStringList asked;
    bool openAfterNo = false;
    inside("Form2", [&] {
        startedAt = list()->shownFolder();
        EXPECT_FALSE(in<QLabel>(dialog(), "GameQuestion")->isVisible());
        answer({no()});
        press("bSave");   // nothing chosen: the home folder itself
        asked = shown();
        openAfterNo = dialog()->isVisible();
        app::MessageBox::clearShown();
        dialogtest::doubleClickItem(list(), dialogtest::folderItem(list(), plain));
        answer({yes(), no()});
        press("bSave");   // saved only on Yes
    });
    ASSERT_TRUE(start());
    EXPECT_EQ(startedAt, steam.home()) << "not the folder the program was started from";
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QStringLiteral("\"%1\" holds no liblist.gam").arg(steam.home()))) << asked[0].toStdString();
    EXPECT_TRUE(openAfterNo) << "No keeps the window open";
    EXPECT_TRUE(shown().first().contains(plain)) << "the question names the folder";
    EXPECT_EQ(storedConfig(Config), plain);
}

TEST(DriveBoxVolumes, TheHomeTheRootAndMountedVolumesButNoSystemOrSandboxMounts)
{
    const QString home = QStringLiteral("/home/player");
    for (const char* kept : {"/", "/media/player/USB", "/mnt/games", "/run/media/player/disk", "/home/player/ssd"})
        EXPECT_TRUE(settings::DriveBox::isUserVolume(QLatin1String(kept), home)) << kept;
    for (const char* left : {"/proc", "/sys/fs/cgroup", "/dev/shm", "/run/user/1000/doc", "/etc/hosts", "/snap/core/1",
                             "/boot/efi", "/app", "/usr", "/media/", "/home/player/.var/app/x", "/home/other/disk",
                             "/tmp/.X11-unix"})
        EXPECT_FALSE(settings::DriveBox::isUserVolume(QLatin1String(left), home)) << left;
}

} // namespace
