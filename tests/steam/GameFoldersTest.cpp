// The game folders a spray can go into: Half-Life's mods and Sven Co-op in
// every library, their names from liblist.gam, and how Steam starts each.
#include "support/FakeSteam.h"

#include "steam/GameFolders.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Place = FakeSteam::Place;

TEST(GameFolders, ListsTheModsThenSvenCoopOfEveryLibraryWithTheirNamesAndSteamStarts)
{
    FakeSteam steam;
    const QString first = steam.addLibrary(QStringLiteral("a"), {QStringLiteral("cstrike"), QStringLiteral("valve")});
    const QString second = steam.addLibrary(QStringLiteral("b"), {QStringLiteral("gearbox")});
    const QString sven = FakeSteam::addSvenCoop(second);
    steam.writeLibraryFile(Place::Native, {first, second});
    const QString valve = FakeSteam::modFolder(first, QStringLiteral("valve"));
    const QString cstrike = FakeSteam::modFolder(first, QStringLiteral("cstrike"));
    const QString gearbox = FakeSteam::modFolder(second, QStringLiteral("gearbox"));
    ASSERT_EQ(steam::gameFolders(), (QStringList{valve, cstrike, gearbox, sven}));

    EXPECT_EQ(steam::gameName(cstrike), QStringLiteral("Counter-Strike"));
    EXPECT_EQ(steam::gameName(gearbox), QStringLiteral("Opposing Force"));
    EXPECT_EQ(steam::gameName(sven), QStringLiteral("Sven Co-op"));
    QFile::remove(gearbox + QStringLiteral("/liblist.gam"));
    EXPECT_EQ(steam::gameName(gearbox), QStringLiteral("gearbox")) << "the folder's name without liblist.gam";
    QFile file(valve + QStringLiteral("/liblist.gam"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("gamedll \"dlls\\hl.dll\"\n  mpentity \"info_player_deathmatch\"\n");
    file.close();
    EXPECT_EQ(steam::gameName(valve), QStringLiteral("valve")) << "a liblist.gam without a game line";

    EXPECT_EQ(steam::steamLaunchArguments(sven), (QStringList{QStringLiteral("-applaunch"), QStringLiteral("225840")}));
    EXPECT_EQ(steam::steamLaunchArguments(cstrike),
              (QStringList{QStringLiteral("-applaunch"), QStringLiteral("70"), QStringLiteral("-game"), QStringLiteral("cstrike")}));
    EXPECT_TRUE(steam::steamLaunchArguments(steam.home()).isEmpty());
    EXPECT_EQ(steam::joinNames({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}), QStringLiteral("A, B and C"));
    EXPECT_EQ(steam::joinNames({QStringLiteral("A")}), QStringLiteral("A"));
}

} // namespace
