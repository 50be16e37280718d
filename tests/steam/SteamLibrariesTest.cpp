// Finding the game in Steam's libraries under a made-up home directory.
#include "support/FakeSteam.h"

#include "steam/SteamLibraries.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Place = FakeSteam::Place;

class SteamLibraries : public ::testing::Test {
protected:
    FakeSteam steam;
};

TEST_F(SteamLibraries, FindsTheGameInEveryLibraryOfEveryPlaceEachOnce)
{
    const QString native = steam.steamDir(Place::Native);
    QDir().mkpath(native);
    const QString games = steam.addLibrary(QStringLiteral("games"), {QStringLiteral("cstrike"), QStringLiteral("valve"), QStringLiteral("dod")});
    const QString flat = steam.addLibrary(QStringLiteral("flat"), {QStringLiteral("tfc")});
    QDir().mkpath(FakeSteam::modFolder(flat, QStringLiteral("not_a_mod")));   // no liblist.gam
    steam.writeLibraryFile(Place::Native, {native, games, steam.home() + QStringLiteral("/unplugged")});
    steam.writeLibraryFile(Place::Legacy, {games});   // the same library by its second way in
    steam.writeLibraryFile(Place::Flatpak, {flat});

    // The older link comes first, as Steam's own scripts look there first.
    EXPECT_EQ(steam::libraries(), (QStringList{steam.steamDir(Place::Legacy), games, native, steam.steamDir(Place::Flatpak), flat}))
        << steam::libraries().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(steam::games(), (QStringList{FakeSteam::modFolder(games, QStringLiteral("valve")),
                                           FakeSteam::modFolder(games, QStringLiteral("cstrike")),
                                           FakeSteam::modFolder(games, QStringLiteral("dod")),
                                           FakeSteam::modFolder(flat, QStringLiteral("tfc"))}));
    EXPECT_TRUE(steam::inLibrary(FakeSteam::modFolder(flat, QStringLiteral("tfc"))));
    EXPECT_TRUE(steam::inLibrary(FakeSteam::modFolder(games, QStringLiteral("cstrike")) + QLatin1Char('/')));
    EXPECT_FALSE(steam::inLibrary(games + QStringLiteral("/steamapps/common/Half-Life")))
        << "the game root is no mod";
    EXPECT_FALSE(steam::inLibrary(steam.home()));
}

TEST_F(SteamLibraries, DamagedOrMissingFilesAddOnlyWhatTheyCan)
{
    EXPECT_TRUE(steam::libraries().isEmpty()) << "no Steam at all";
    EXPECT_TRUE(steam::games().isEmpty());

    const QString lib = steam.addLibrary(QStringLiteral("lib"), {QStringLiteral("cstrike")});
    steam.writeRawLibraryFile(Place::Native, "\"libraryfolders\" { \"0\" { \"path\" \"" + lib.toUtf8() + "\" } } }");
    steam.writeRawLibraryFile(Place::Flatpak, QByteArray("\x89PNG\r\n\x1a\n\0\0", 10));
    EXPECT_EQ(steam::libraries(), (QStringList{steam.steamDir(Place::Native), steam.steamDir(Place::Flatpak)}))
        << "a damaged file lists nothing, its Steam folder stays a library";
    EXPECT_TRUE(steam::games().isEmpty());
}

TEST_F(SteamLibraries, ALibraryFileLinkedIntoProcIsPassedOver)
{
    // /proc/self/pagemap says it is empty and reads for hundreds of gigabytes.
    const QString native = steam.steamDir(Place::Native);
    QDir().mkpath(native + QStringLiteral("/steamapps"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/pagemap"), native + QStringLiteral("/steamapps/libraryfolders.vdf")));
    EXPECT_EQ(steam::libraries(), QStringList{native});
    EXPECT_TRUE(steam::games().isEmpty());
}

TEST(SteamLaunch, LeavesTheGameOutForValve)
{
    EXPECT_EQ(steam::launchArguments(QStringLiteral("cstrike")),
              (QStringList{QStringLiteral("-applaunch"), QStringLiteral("70"), QStringLiteral("-game"), QStringLiteral("cstrike")}));
    EXPECT_EQ(steam::launchArguments(QStringLiteral("valve")), (QStringList{QStringLiteral("-applaunch"), QStringLiteral("70")}));
    EXPECT_EQ(steam::launchArguments(QString()), (QStringList{QStringLiteral("-applaunch"), QStringLiteral("70")}));
}

} // namespace
