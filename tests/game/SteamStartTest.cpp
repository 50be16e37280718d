// A game that lies in a Steam library is started through Steam:
// "steam -applaunch 70 -game <mod>", the mod left out for valve.
#include "GameFixture.h"
#include "support/FakeSteam.h"

#include "game/Unit6.h"

#include <QFile>
#include <QtTest/QTest>

namespace {

using Place = FakeSteam::Place;

class SteamStart : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        addPage(QStringLiteral("Page1"), {QStringLiteral("logo_a")});
        addLogo(QStringLiteral("logo_a"), QStringLiteral("spray-a.wad"));
        library = steam.addLibrary(QStringLiteral("SteamLibrary"), {QStringLiteral("valve"), QStringLiteral("cstrike")});
        steam.writeLibraryFile(Place::Native, {steam.steamDir(Place::Native), library});
    }
    void startFrom(const QString& location)
    {
        configure(true, false, location);
        ASSERT_TRUE(start());
        doubleClick(1);
        ASSERT_TRUE(dialog()->isVisible()) << shown().join(QLatin1Char('|')).toStdString();
        click(QStringLiteral("Button1"));
    }
    FakeSteam steam;
    QString library;
};

TEST_F(SteamStart, RunsTheSteamCommandOnPathWithTheModAndRecordsItsArguments)
{
    steam.installSteamCommand();
    startForReal();
    startFrom(FakeSteam::modFolder(library, QStringLiteral("cstrike")));
    QTRY_COMPARE_WITH_TIMEOUT(steam.steamCalls(), QStringList{QStringLiteral("-applaunch 70 -game cstrike")}, 30000);
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(SteamStart, LeavesTheGameOutForValve)
{
    steam.installSteamCommand();
    startFrom(FakeSteam::modFolder(library, QStringLiteral("valve")));
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, steam.steamCommand());
    EXPECT_EQ(started[0].arguments, (QStringList{QStringLiteral("-applaunch"), QStringLiteral("70")}));
}

TEST_F(SteamStart, WithoutSteamOnPathTheGameStartsAsBefore)
{
    const QString root = library + QStringLiteral("/steamapps/common/Half-Life");
    writeScript(root + QStringLiteral("/hl.sh"), "exit 0\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(steam.home() + QStringLiteral("/empty")));
    startFrom(FakeSteam::modFolder(library, QStringLiteral("cstrike")));
    qputenv("PATH", path);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, root + QStringLiteral("/hl.sh"));
}

TEST_F(SteamStart, AGameOutsideTheLibrariesStartsAsBeforeEvenWithSteam)
{
    steam.installSteamCommand();
    writeScript(gameRoot() + QStringLiteral("/hl.sh"), "exit 0\n");
    startFrom(modFolder());
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].program, gameRoot() + QStringLiteral("/hl.sh"));
    EXPECT_TRUE(steam.steamCalls().isEmpty());
}

} // namespace
