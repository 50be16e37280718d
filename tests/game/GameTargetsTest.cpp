// One double click installs into every chosen game folder of the Steam
// libraries (Half-Life's mods and Sven Co-op), each folder on its own; the
// logo-installed dialog says where it went and starts the chosen game.
#include "GameFixture.h"
#include "support/FakeSteam.h"
#include "support/LockedDirectory.h"

#include "app/Unit1.h"
#include "game/Unit6.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

using Place = FakeSteam::Place;

class GameTargets : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        addPage(QStringLiteral("Page1"), {QStringLiteral("wolf")});
        addLogo(QStringLiteral("wolf"), QStringLiteral("spray-a.wad"));
        // Steam's own library and one on a second disk.
        first = steam.addLibrary(QStringLiteral(".local/share/Steam"), {QStringLiteral("valve"), QStringLiteral("cstrike")});
        second = steam.addLibrary(QStringLiteral("SecondDisk"), {QStringLiteral("dod"), QStringLiteral("tfc")});
        sven = FakeSteam::addSvenCoop(second);
        steam.writeLibraryFile(Place::Native, {first, second});
        steam.installSteamCommand();
        configure(true, false, mod(first, "cstrike"));
    }
    static QString mod(const QString& library, const char* name)
    {
        return FakeSteam::modFolder(library, QLatin1String(name));
    }
    static QString tempdecal(const QString& folder) { return folder + QStringLiteral("/tempdecal.wad"); }
    QByteArray logo() const { return fixtureBytes(QStringLiteral("spray-a.wad")); }

    FakeSteam steam;
    QString first, second, sven;
};

TEST_F(GameTargets, OneDoubleClickInstallsIntoEveryChosenFolderAndNamesEachFailure)
{
    // tfc's tempdecal.wad leads to another file, which is never written through.
    const QString elsewhere = steam.home() + QStringLiteral("/notes.txt");
    writeBytes(elsewhere, "the player's notes");
    ASSERT_TRUE(QFile::link(elsewhere, tempdecal(mod(second, "tfc"))));
    ASSERT_TRUE(start());
    ASSERT_TRUE(settings().saveChosenTargets({mod(first, "valve"), mod(second, "dod"), mod(second, "tfc"), sven}));
    {
        LockedDirectory readOnly(mod(second, "dod"));
        if (!readOnly.locked())
            GTEST_SKIP() << "this file system cannot lock a directory against root";
        doubleClick(1);
    }

    for (const QString& folder : {mod(first, "cstrike"), mod(first, "valve"), sven}) {
        EXPECT_EQ(bytesOf(tempdecal(folder)), logo()) << folder.toStdString();
        EXPECT_EQ(bytesOf(folder + QStringLiteral("/pldecal.wad")), logo()) << folder.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(tempdecal(mod(second, "dod"))));
    EXPECT_TRUE(QFileInfo(tempdecal(mod(second, "tfc"))).isSymLink());
    EXPECT_EQ(bytesOf(elsewhere), QByteArray("the player's notes"));

    ASSERT_EQ(shown().size(), 1) << shown().join(QLatin1Char('|')).toStdString();
    const QString report = shown().first();
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(report.contains(mod(second, "dod"))) << report.toStdString();
    EXPECT_TRUE(report.contains(tempdecal(mod(second, "tfc")) + QStringLiteral("\" is a symbolic link"))) << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("Steam/steamapps"))) << "the folders that worked are not named";

    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_EQ(dialog()->findChild<QLabel*>(QStringLiteral("InstalledLabel"))->text(),
              QStringLiteral("Installed in Counter-Strike, Half-Life and Sven Co-op"));
}

TEST_F(GameTargets, TheReportNamesTheSprayFilesWrittenInEachGameAlsoWhereOneFailed)
{
    // tfc's tempdecal.wad is a link, Sven Co-op's pldecal.wad a folder: tfc
    // still gets pldecal.wad, Sven Co-op nothing.
    const QString elsewhere = steam.home() + QStringLiteral("/notes.txt");
    writeBytes(elsewhere, "the player's notes");
    ASSERT_TRUE(QFile::link(elsewhere, tempdecal(mod(second, "tfc"))));
    ASSERT_TRUE(QDir().mkpath(sven + QStringLiteral("/pldecal.wad")));
    ASSERT_TRUE(start());
    ASSERT_TRUE(settings().saveChosenTargets({mod(first, "valve"), mod(second, "tfc"), sven}));
    doubleClick(1);

    EXPECT_EQ(bytesOf(mod(second, "tfc") + QStringLiteral("/pldecal.wad")), logo());
    ASSERT_EQ(shown().size(), 1) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(shown().first(),
              QStringLiteral("The logo was not installed into every game:\n"
                             "The logo was not installed into \"%1\": \"%1\" is a symbolic link and was left alone. "
                             "pldecal.wad was written there.\n"
                             "The logo was not installed into \"%2\": \"%2\" is a directory, not a file.\n"
                             "pldecal.wad and tempdecal.wad were written in Counter-Strike and Half-Life.")
                  .arg(tempdecal(mod(second, "tfc")), sven + QStringLiteral("/pldecal.wad")));

    // Without tempdecal.wad only pldecal.wad goes in, and the report says so.
    settings().saveInstallOptions({false, false});
    ASSERT_TRUE(QFile::remove(tempdecal(mod(second, "tfc"))));
    ASSERT_TRUE(settings().saveChosenTargets({mod(second, "tfc"), sven}));
    doubleClick(1);
    ASSERT_EQ(shown().size(), 2) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown().last().endsWith(QStringLiteral("\npldecal.wad was written in Counter-Strike and Team Fortress Classic.")))
        << shown().last().toStdString();
}

TEST_F(GameTargets, TheDialogStartsTheChosenGameThroughSteam)
{
    ASSERT_TRUE(start());
    ASSERT_TRUE(settings().saveChosenTargets({sven, mod(second, "dod")}));
    doubleClick(1);
    ASSERT_TRUE(dialog()->isVisible()) << shown().join(QLatin1Char('|')).toStdString();
    auto* games = dialog()->findChild<QComboBox*>(QStringLiteral("GameChoice"));
    ASSERT_TRUE(games->isVisible());
    EXPECT_EQ(games->currentText(), QStringLiteral("Counter-Strike")) << "the game location comes first";
    EXPECT_EQ(dialogButton(QStringLiteral("Button1"))->text(), QStringLiteral("Start Counter-Strike"));
    EXPECT_EQ(dialog()->findChild<QLabel*>(QStringLiteral("Label1"))->toolTip(),
              QStringLiteral("pldecal.wad and tempdecal.wad were written in %1, %2 and %3.")
                  .arg(games->itemText(0), games->itemText(1), games->itemText(2)));
    games->setCurrentIndex(games->findText(QStringLiteral("Sven Co-op")));
    EXPECT_EQ(dialogButton(QStringLiteral("Button1"))->text(), QStringLiteral("Start Sven Co-op"));
    click(QStringLiteral("Button1"));
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, steam.steamCommand());
    EXPECT_EQ(started[0].arguments, (QStringList{QStringLiteral("-applaunch"), QStringLiteral("225840")}));
    EXPECT_FALSE(dialog()->isVisible());

    // With the game location alone the dialog is the one it always was.
    ASSERT_TRUE(settings().saveChosenTargets({}));
    doubleClick(1);
    EXPECT_FALSE(games->isVisible());
    EXPECT_EQ(dialog()->size(), QSize(172, 199));
    EXPECT_EQ(dialog()->findChild<QLabel*>(QStringLiteral("Label1"))->toolTip(),
              QStringLiteral("pldecal.wad and tempdecal.wad were written in Counter-Strike."));
    click(QStringLiteral("Button1"));
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[1].arguments,
              (QStringList{QStringLiteral("-applaunch"), QStringLiteral("70"), QStringLiteral("-game"), QStringLiteral("cstrike")}));
}

TEST_F(GameTargets, SettingsThatHideTheSprayAreNamedOnceWithFileAndLine)
{
    writeBytes(mod(first, "cstrike") + QStringLiteral("/config.cfg"),
               "bind \"t\" \"impulse 201\"\nname \"Player\"\ncl_allowupload \"0\"\nhpk_maxsize \"4\"\n");
    writeBytes(sven + QStringLiteral("/userconfig.cfg"), "hpk_maxsize 0.5 // keep the cache small\n");
    const QByteArray config = bytesOf(mod(first, "cstrike") + QStringLiteral("/config.cfg"));
    ASSERT_TRUE(start());
    ASSERT_TRUE(settings().saveChosenTargets({sven}));
    doubleClick(1);
    ASSERT_EQ(shown().size(), 1) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(shown().first(),
              QStringLiteral("Other players will not see your spray in Counter-Strike: line 3 of \"%1/config.cfg\" reads "
                             "cl_allowupload \"0\".\nOther players will not see your spray in Sven Co-op: line 1 of "
                             "\"%2/userconfig.cfg\" reads hpk_maxsize 0.5 // keep the cache small.")
                  .arg(mod(first, "cstrike"), sven));
    EXPECT_EQ(bytesOf(mod(first, "cstrike") + QStringLiteral("/config.cfg")), config) << "only read";
    doubleClick(1);
    EXPECT_EQ(shown().size(), 1) << "said once";
}

TEST_F(GameTargets, AFolderNoLongerChosenIsNotWatchedAndAGoneOneIsNamed)
{
    ASSERT_TRUE(start());
    ASSERT_TRUE(settings().saveChosenTargets({sven}));
    doubleClick(1);
    ASSERT_EQ(bytesOf(tempdecal(sven)), logo());
    ASSERT_TRUE(settings().saveChosenTargets({}));
    QFile::remove(tempdecal(sven));
    writeBytes(tempdecal(sven), "Sven Co-op's own decal");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&form(), &activate);
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();

    const QString gone = steam.home() + QStringLiteral("/gone/cstrike");
    ASSERT_TRUE(settings().saveChosenTargets({gone}));
    doubleClick(1);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("The logo was not installed into every game:\nThe logo was not "
                                                  "installed: the game folder \"%1\" is not an existing directory.\n"
                                                  "pldecal.wad and tempdecal.wad were written in Counter-Strike.")
                                       .arg(gone)});
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(bytesOf(tempdecal(mod(first, "cstrike"))), logo());
}

} // namespace
