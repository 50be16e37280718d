// The game root, the mod folder and the command lines derived from a game
// location, and the extra program's caption.
#include "game/ExtraProgram.h"
#include "core/GameCommand.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using game::splitGameLocation;

namespace {

TEST(GameLocation, SplitsAtTheLastSeparator)
{
    EXPECT_EQ(splitGameLocation(QStringLiteral("/games/half-life/cstrike")).root, QStringLiteral("/games/half-life"));
    EXPECT_EQ(splitGameLocation(QStringLiteral("/games/half-life/cstrike")).modFolder, QStringLiteral("cstrike"));
    EXPECT_EQ(splitGameLocation(QStringLiteral("/games/half-life/")).root, QStringLiteral("/games/half-life"));
    EXPECT_EQ(splitGameLocation(QStringLiteral("/games/half-life/")).modFolder, QString());
    EXPECT_EQ(splitGameLocation(QStringLiteral("/cstrike")).root, QStringLiteral("/"));
    EXPECT_EQ(splitGameLocation(QStringLiteral("/cstrike")).modFolder, QStringLiteral("cstrike"));
    EXPECT_EQ(splitGameLocation(QStringLiteral("/")).root, QStringLiteral("/"));
    EXPECT_EQ(splitGameLocation(QStringLiteral("/")).modFolder, QString());
    EXPECT_EQ(splitGameLocation(QStringLiteral("cstrike")).root, QStringLiteral("cstrike"));
    EXPECT_EQ(splitGameLocation(QStringLiteral("cstrike")).modFolder, QStringLiteral("cstrike"));
}

TEST(GameLocation, TheModFolderIsOneArgumentLeftOutWhenEmpty)
{
    EXPECT_EQ(game::gameArguments(QStringLiteral("my mod")),
              (QStringList{QStringLiteral("-console"), QStringLiteral("-game"), QStringLiteral("my mod")}));
    EXPECT_EQ(game::gameArguments(QString()), (QStringList{QStringLiteral("-console"), QStringLiteral("-game")}));
}

TEST(GameLocation, OnlyAFileInAFullPathRootIsStarted)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("hl.sh")));
    EXPECT_TRUE(game::gameCommands(root.path() + QStringLiteral("/valve")).isEmpty()) << "a folder is no executable";
    EXPECT_TRUE(game::gameCommands(QStringLiteral("valve")).isEmpty()) << "a relative location starts nothing";
    EXPECT_TRUE(game::gameCommands(QString()).isEmpty());
}

TEST(ExtraProgramCaption, IsTheFileNameWithoutItsExtension)
{
    EXPECT_EQ(game::extraProgramCaption(QStringLiteral("/opt/gamespy/gamespy.exe")), QStringLiteral("Start gamespy"));
    EXPECT_EQ(game::extraProgramCaption(QStringLiteral("/usr/bin/browser")), QStringLiteral("Start browser"));
    EXPECT_EQ(game::extraProgramCaption(QStringLiteral("/opt/a.b/run")), QStringLiteral("Start run"));
    EXPECT_EQ(game::extraProgramCaption(QStringLiteral("/opt/x.tar.gz")), QStringLiteral("Start x.tar"));
    EXPECT_EQ(game::extraProgramCaption(QStringLiteral("run.sh")), QStringLiteral("Start run"));
    EXPECT_EQ(game::extraProgramCaption(QString()), QStringLiteral("Run Executable"));
    EXPECT_EQ(game::extraProgramCaption(QStringLiteral("/opt/tools/")), QStringLiteral("Run Executable"));
}

} // namespace
