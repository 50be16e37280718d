// The game location dialog: following the folder list, Save and Cancel, the
// closing steps of the modal and the non-modal opening, and the label.
#include "DialogDriving.h"
#include "SettingsFixture.h"

#include "app/TDBImage.h"
#include "settings/DriveBox.h"
#include "settings/Unit8.h"
#include "settings/unit2.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace store::ConfigRecord;
using namespace dialogtest;

namespace {

const QString kSaved = QStringLiteral(
    "Settings Saved, if you want to change something in the future just click \"config\" in the main menu.");
const QString kUsePlus = QStringLiteral("Use '+' to add or change a logo.");
const QString kGameSpy = QStringLiteral(
    "You can use programs like GameSpy to start after installing a logo too, do you want to go to that config now?");
const QString kConfigure = QStringLiteral("You have to configure Tagomat to install logos properly.");
const QString kExtraSaved = QStringLiteral(
    "Settings Saved, if you want to change something in the future just click \"advanced\" in the main menu.");

class Configuration : public SettingsFixture {
protected:
    TForm2* dialog() { return &window<TForm2>(); }
    settings::DirectoryList* list() { return in<settings::DirectoryList>(dialog(), "DirectoryListBox1"); }
    QLabel* locationLabel() { return in<QLabel>(dialog(), "LocationLabel"); }
    void press(const char* button) { click(in<QPushButton>(dialog(), button)); }
    void openFolder(const QString& path)
    {
        QListWidgetItem* item = folderItem(list(), path);
        ASSERT_NE(item, nullptr) << "not listed: " << path.toStdString();
        doubleClickItem(list(), item);
    }
};

TEST_F(Configuration, FirstRunSaveShowsItsMessagesThenTheQuestionAndNoClosesWithoutMore)
{
    const QString mod = folder("half-life/cstrike");
    setConfig(Config, mod);
    inside("Form2", [&] { press("bSave"); });
    answer({no()});
    ASSERT_TRUE(start());
    EXPECT_EQ(shown(), (QStringList{kSaved, kUsePlus, kGameSpy}));
    EXPECT_EQ(storedConfig(Config), mod);
    EXPECT_EQ(storedConfig(ConfigSaved), QStringLiteral("Yes"));
    EXPECT_EQ(storedConfig(ExtraConfigSaved), QStringLiteral("No"));
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_FALSE(window<TForm8>().isVisible());
    EXPECT_EQ(settings().gameLocation(), mod);
}

TEST_F(Configuration, FirstRunYesOpensTheExtraOptionsAfterTheWindowClosed)
{
    setConfig(Config, folder("half-life/cstrike"));
    bool configurationHidden = false;
    inside("Form2", [&] {
        press("bCancel");
        inside("Form8", [&] {
            configurationHidden = !dialog()->isVisible();
            click(in<QPushButton>(&window<TForm8>(), "bCancel"));
        });
    });
    answer({yes()});
    ASSERT_TRUE(start());
    EXPECT_TRUE(configurationHidden);
    EXPECT_EQ(shown(), (QStringList{kConfigure, kGameSpy}));
    EXPECT_EQ(storedConfig(ConfigSaved), QStringLiteral("No"));
}

TEST_F(Configuration, CancelBeforeAnyDoubleClickKeepsTheStoredLocation)
{
    const QString halfLife = folder("half-life");
    const QString tfc = folder("half-life/tfc");
    bothSaved();
    setConfig(Config, halfLife);
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        EXPECT_EQ(list()->shownFolder(), halfLife);
        QListWidgetItem* item = folderItem(list(), tfc);
        ASSERT_NE(item, nullptr);
        clickItem(list(), item);   // highlighted only
        EXPECT_EQ(list()->directory(), halfLife);
        press("bCancel");
    });
    choose("Config1");
    EXPECT_EQ(settings().gameLocation(), halfLife);
    EXPECT_FALSE(dialog()->followsList());
    EXPECT_TRUE(shown().isEmpty()) << shown().join('|').toStdString();
}

TEST_F(Configuration, SaveTakesTheFolderLastOpenedNotTheHighlightedOne)
{
    const QString halfLife = folder("half-life");
    const QString cstrike = folder("half-life/cstrike");
    const QString maps = folder("half-life/cstrike/maps");
    bothSaved();
    setConfig(Config, halfLife);
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        openFolder(cstrike);
        EXPECT_TRUE(dialog()->followsList());
        EXPECT_EQ(settings().gameLocation(), cstrike) << "the opened folder is the location at once";
        EXPECT_EQ(locationLabel()->toolTip(), cstrike);
        QListWidgetItem* item = folderItem(list(), maps);
        ASSERT_NE(item, nullptr);
        clickItem(list(), item);
        press("bSave");
    });
    choose("Config1");
    EXPECT_EQ(storedConfig(Config), cstrike);
    EXPECT_EQ(settings().gameLocation(), cstrike);
    EXPECT_EQ(shown(), QStringList{kSaved}) << "both settings saved: no hint, no question";
}

TEST_F(Configuration, EnterOpensTheHighlightedFolder)
{
    const QString halfLife = folder("half-life");
    const QString tfc = folder("half-life/tfc");
    bothSaved();
    setConfig(Config, halfLife);
    ASSERT_TRUE(start());
    inside("Form2", [&] {
        QListWidgetItem* item = folderItem(list(), tfc);
        ASSERT_NE(item, nullptr);
        clickItem(list(), item);
        QTest::keyClick(list(), Qt::Key_Return);
        EXPECT_EQ(list()->shownFolder(), tfc);
        EXPECT_TRUE(dialog()->isVisible()) << "Enter in the list does not press Save";
        press("bCancel");
    });
    choose("Config1");
    EXPECT_EQ(settings().gameLocation(), tfc);
    EXPECT_EQ(storedConfig(Config), halfLife);
}

TEST_F(Configuration, BrowsingAfterASaveThenCancelKeepsTheBrowsedFolderUntilTheNextOpening)
{
    const QString cstrike = folder("half-life/cstrike");
    const QString tfc = folder("half-life/tfc");
    bothSaved();
    setConfig(Config, cstrike);
    ASSERT_TRUE(start());
    inside("Form2", [&] { press("bSave"); });
    choose("Config1");
    ASSERT_EQ(storedConfig(Config), cstrike);

    inside("Form2", [&] {
        openFolder(folder("half-life"));
        openFolder(tfc);
        press("bCancel");
    });
    choose("Config1");
    EXPECT_EQ(settings().gameLocation(), tfc) << "installation and game start use the browsed folder";
    EXPECT_EQ(storedConfig(Config), cstrike);

    QString atOpening;
    inside("Form2", [&] {
        atOpening = settings().gameLocation();
        press("bCancel");
    });
    choose("Config1");
    EXPECT_EQ(atOpening, cstrike) << "each opening goes back to the stored location";
}

TEST_F(Configuration, ALongPathIsStoredAndUsedWholeAndShownShortened)
{
    QString relative = QStringLiteral("Sierra");
    for (const char* part : {"Half-Life Game of the Year Edition", "installed copies", "second harddisk",
                             "my modifications", "counter-strike beta 6.5"})
        relative += QLatin1Char('/') + QLatin1String(part);
    const QString deep = folder(relative);
    ASSERT_GT(deep.size(), 120);
    bothSaved();
    setConfig(Config, deep);
    ASSERT_TRUE(start());
    QString labelText;
    inside("Form2", [&] {
        press("bSave");
        labelText = locationLabel()->text();
    });
    choose("Config1");
    EXPECT_EQ(storedConfig(Config), deep);
    EXPECT_EQ(settings().gameLocation(), deep);
    EXPECT_NE(labelText, deep);
    EXPECT_TRUE(labelText.contains(QChar(0x2026))) << labelText.toStdString();
    EXPECT_TRUE(labelText.startsWith(deep.left(3)));
    EXPECT_TRUE(labelText.endsWith(deep.right(3)));
}

TEST_F(Configuration, AStoredFolderThatIsGoneListsItsNearestAncestorAndIsKept)
{
    const QString halfLife = folder("half-life");
    const QString gone = halfLife + QStringLiteral("/removed/cstrike");
    const QString valve = folder("half-life/valve");
    bothSaved();
    setConfig(Config, gone);
    ASSERT_TRUE(start());
    EXPECT_EQ(settings().gameLocation(), gone);
    inside("Form2", [&] {
        EXPECT_EQ(list()->shownFolder(), halfLife);
        EXPECT_EQ(locationLabel()->toolTip(), gone);
        answer({yes()});   // it holds no liblist.gam: saved all the same
        press("bSave");   // nothing picked: the stored path stays
    });
    choose("Config1");
    EXPECT_EQ(storedConfig(Config), gone);

    inside("Form2", [&] {
        openFolder(valve);
        EXPECT_EQ(locationLabel()->toolTip(), valve);
        press("bCancel");
    });
    choose("Config1");
    EXPECT_EQ(settings().gameLocation(), valve);
}

TEST_F(Configuration, TheInstallationOpensItWithoutModalityAndItsClosingStepsRunInsideSave)
{
    addPage("page", {"logo"});
    writeFile("logo.wad", "wad");
    setConfig(Config, folder("half-life/cstrike"));
    inside("Form2", [&] { press("bCancel"); });   // the first run's opening
    ASSERT_TRUE(start());
    app::MessageBox::clearShown();

    QTest::mouseDClick(widget<TDBImage>("DBImage1"), Qt::LeftButton);
    ASSERT_TRUE(dialog()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(form().isEnabled());

    inside("Form8", [&] { click(in<QPushButton>(&window<TForm8>(), "bSave")); });
    answer({yes()});
    press("bSave");
    EXPECT_EQ(shown(), (QStringList{kSaved, kGameSpy, kExtraSaved}))
        << "the extra program was saved before Save's hint: no hint follows";
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_EQ(storedConfig(ExtraConfigSaved), QStringLiteral("Yes"));
}

TEST_F(Configuration, WithoutModalityNoToTheQuestionIsFollowedBySavesHint)
{
    addPage("page", {"logo"});
    writeFile("logo.wad", "wad");
    setConfig(ConfigSaved, QStringLiteral("No"));
    setConfig(ExtraConfigSaved, QStringLiteral("maybe"));   // no first run
    setConfig(Config, folder("half-life/cstrike"));
    ASSERT_TRUE(start());
    setConfig(ExtraConfigSaved, QStringLiteral("No"));
    dialog()->showModeless();
    ASSERT_TRUE(dialog()->isVisible());
    answer({no()});
    press("bSave");
    EXPECT_EQ(shown(), (QStringList{kSaved, kGameSpy, kUsePlus}));
}

TEST_F(Configuration, ClosingStepsCompareWithNoExactly)
{
    setConfig(ConfigSaved, QStringLiteral("no"));
    setConfig(ExtraConfigSaved, QString());
    ASSERT_TRUE(start());
    inside("Form2", [&] { dialog()->close(); });
    choose("Config1");
    EXPECT_TRUE(shown().isEmpty()) << shown().join('|').toStdString();

    setConfig(ConfigSaved, QStringLiteral("No"));
    inside("Form2", [&] { QTest::keyClick(dialog(), Qt::Key_Escape); });
    choose("Config1");
    EXPECT_EQ(shown(), QStringList{kConfigure});
}

TEST_F(Configuration, HelpWidensAndNarrowsAndEachOpeningStartsNarrow)
{
    bothSaved();
    ASSERT_TRUE(start());
    QList<int> widths;
    inside("Form2", [&] {
        widths << dialog()->width();
        QLabel* help = in<QLabel>(dialog(), "HelpLabel");
        EXPECT_EQ(help->text(), QStringLiteral("Help"));
        EXPECT_TRUE(help->font().bold());
        EXPECT_EQ(help->toolTip(), QStringLiteral("Click for help"));
        click(help);
        widths << dialog()->width();
        click(help);
        widths << dialog()->width();
        click(help);
        press("bCancel");
    });
    choose("Config1");
    inside("Form2", [&] {
        widths << dialog()->width();
        press("bCancel");
    });
    choose("Config1");
    EXPECT_EQ(widths, (QList<int>{216, 376, 216, 216}));
}

TEST_F(Configuration, ADriveChangeMovesTheFollowingLocation)
{
    const QString halfLife = folder("half-life");
    const QString cstrike = folder("half-life/cstrike");
    bothSaved();
    setConfig(Config, halfLife);
    ASSERT_TRUE(start());
    auto* drives = in<settings::DriveBox>(dialog(), "DriveComboBox1");
    ASSERT_GT(drives->count(), 1);
    EXPECT_EQ(drives->itemData(0).toString(), QDir::homePath()) << "the home folder first";
    EXPECT_EQ(drives->itemData(1).toString(), QStringLiteral("/")) << "then the root";
    inside("Form2", [&] {
        openFolder(cstrike);
        emit drives->activated(1);
        EXPECT_EQ(list()->shownFolder(), QStringLiteral("/"));
        press("bCancel");
    });
    choose("Config1");
    EXPECT_EQ(settings().gameLocation(), QStringLiteral("/"));
}

TEST_F(Configuration, APathTheTableCannotHoldWholeIsRefusedAndNothingIsStored)
{
    QString relative = QStringLiteral("games");
    while (relative.size() < 270)
        relative += QStringLiteral("/a folder with a long name");
    const QString tooLong = folder(relative);
    bothSaved();
    setConfig(Config, folder("half-life"));
    ASSERT_TRUE(start());
    dialog()->showModeless();
    ASSERT_TRUE(dialog()->isVisible());
    settings::DirectoryList* l = list();
    l->moveTo(tooLong);
    press("bSave");
    EXPECT_EQ(shown(), QStringList{QStringLiteral(
                           "This path is too long or holds characters that cannot be stored, please choose another one.")});
    EXPECT_TRUE(dialog()->isVisible()) << "the window stays open for another choice";
    EXPECT_EQ(storedConfig(Config), folder("half-life"));
    EXPECT_EQ(settings().gameLocation(), tooLong) << "the location follows the list all the same";
    press("bCancel");
}

TEST_F(Configuration, ClosingRestoresAMinimizedMainWindow)
{
    bothSaved();
    ASSERT_TRUE(start());
    form().setWindowState(Qt::WindowMinimized);
    dialog()->showModeless();
    press("bCancel");
    EXPECT_FALSE(form().windowState() & Qt::WindowMinimized);
}

TEST(DirectoryList, AFolderThatCannotBeOpenedLeavesTheListWhereItWas)
{
    QTemporaryDir tree;
    settings::DirectoryList list;
    list.moveTo(tree.path());
    const int items = list.count();
    EXPECT_FALSE(list.openFolder(tree.path() + QStringLiteral("/missing")));
    EXPECT_EQ(list.shownFolder(), QDir::cleanPath(tree.path()));
    EXPECT_EQ(list.count(), items);
}

TEST(DirectoryList, APathOfAnotherSystemIsKeptWithoutMovingTheList)
{
    QTemporaryDir tree;
    settings::DirectoryList list;
    list.moveTo(tree.path());
    list.moveTo(QStringLiteral("C:\\Sierra\\Half-Life\\cstrike"));
    EXPECT_EQ(list.directory(), QStringLiteral("C:\\Sierra\\Half-Life\\cstrike"));
    EXPECT_EQ(list.shownFolder(), QDir::cleanPath(tree.path()));
}

} // namespace
