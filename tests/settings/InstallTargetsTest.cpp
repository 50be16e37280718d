// The Configuration window's list of the game folders a logo goes into:
// every one found in Steam's libraries, the game location always among them.
#include "SettingsFixture.h"
#include "support/FakeSteam.h"

#include "settings/unit2.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace store::ConfigRecord;

namespace {

using Place = FakeSteam::Place;

class InstallTargets : public SettingsFixture {
protected:
    TForm2* dialog() { return &window<TForm2>(); }
    QListWidget* targets() { return in<QListWidget>(dialog(), "TargetList"); }
    void press(const char* button) { QTest::mouseClick(in<QPushButton>(dialog(), button), Qt::LeftButton); }
    QListWidgetItem* item(const QString& name)
    {
        const QList<QListWidgetItem*> found = targets()->findItems(name, Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << name.toStdString();
        return found.isEmpty() ? nullptr : found.front();
    }
    // The space bar on the item, as a user ticks it.
    void tick(const QString& name)
    {
        targets()->setCurrentItem(item(name));
        QTest::keyClick(targets(), Qt::Key_Space);
    }
    FakeSteam steam;
};

TEST_F(InstallTargets, ListsEveryGameFolderAndSaveKeepsTheTickedOnesBesideTheTables)
{
    const QString a = steam.addLibrary(QStringLiteral("a"), {QStringLiteral("cstrike"), QStringLiteral("valve")});
    const QString b = steam.addLibrary(QStringLiteral("b"), {});
    const QString sven = FakeSteam::addSvenCoop(b);
    steam.writeLibraryFile(Place::Native, {a, b});
    const QString cstrike = FakeSteam::modFolder(a, QStringLiteral("cstrike"));
    bothSaved();
    setConfig(Config, cstrike);
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        QStringList names;
        for (int i = 0; i < targets()->count(); ++i)
            names << targets()->item(i)->text();
        EXPECT_EQ(names, (QStringList{QStringLiteral("Half-Life"), QStringLiteral("Counter-Strike"), QStringLiteral("Sven Co-op")}));
        EXPECT_EQ(item(QStringLiteral("Sven Co-op"))->toolTip(), sven);
        EXPECT_EQ(item(QStringLiteral("Counter-Strike"))->checkState(), Qt::Checked) << "the game location";
        EXPECT_FALSE(item(QStringLiteral("Counter-Strike"))->flags() & Qt::ItemIsEnabled);
        EXPECT_EQ(item(QStringLiteral("Sven Co-op"))->checkState(), Qt::Unchecked);
        tick(QStringLiteral("Sven Co-op"));
        press("bSave");
    });
    choose("Config1");
    EXPECT_EQ(settings().chosenTargets(), QStringList{sven});
    EXPECT_EQ(settings().installTargets(), (QStringList{cstrike, sven}));
    EXPECT_TRUE(fileExists(QStringLiteral("GameTargets.ini")));

    stop();
    ASSERT_TRUE(start());
    EXPECT_EQ(settings().installTargets(), (QStringList{cstrike, sven})) << "kept across runs";
    inside("Form2", [&] {
        EXPECT_EQ(item(QStringLiteral("Sven Co-op"))->checkState(), Qt::Checked);
        tick(QStringLiteral("Sven Co-op"));
        tick(QStringLiteral("Half-Life"));
        press("bCancel");
    });
    choose("Config1");
    EXPECT_EQ(settings().chosenTargets(), QStringList{sven}) << "Cancel keeps what was saved";
    EXPECT_EQ(storedConfig(Config), cstrike);
}

} // namespace
