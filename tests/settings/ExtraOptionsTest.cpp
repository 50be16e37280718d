// The extra program dialog: the file list and its filter, Save's messages
// and what it enables, Cancel, and folders that are gone.
#include "DialogDriving.h"
#include "SettingsFixture.h"

#include "game/Unit6.h"
#include "settings/FileList.h"
#include "settings/Unit8.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace store::ConfigRecord;
using namespace dialogtest;

namespace {

const QString kSaved = QStringLiteral(
    "Settings Saved, if you want to change something in the future just click \"advanced\" in the main menu.");
const QString kSelectMod = QStringLiteral("You have to select the location of the MOD you want");

class ExtraOptions : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        gamespy_ = plainFolder("gamespy");
        file("gamespy/gamespy.exe");
        file("gamespy/readme.txt");
        file("gamespy/update", QFile::ExeOwner);
        file("gamespy/setup.COM");
        folder("gamespy/skins");
    }
    TForm8* dialog() { return &window<TForm8>(); }
    settings::FileList* files() { return in<settings::FileList>(dialog(), "FileListBox1"); }
    QString pathBox() { return in<QLineEdit>(dialog(), "Edit1")->text(); }
    void press(const char* button) { click(in<QPushButton>(dialog(), button)); }
    void pick(const QString& name)
    {
        QListWidgetItem* item = fileItem(files(), name);
        ASSERT_NE(item, nullptr) << "not listed: " << name.toStdString();
        clickItem(files(), item);
    }
    // Opens the dialog from the menu with the list in the gamespy folder.
    void startIn(const QString& stored)
    {
        setConfig(ExtraConfig, stored);
        ASSERT_TRUE(start());
    }
    QString gamespy_;
};

TEST_F(ExtraOptions, TheExecutablesFilterListsProgramsByExtensionOrPermission)
{
    bothSaved();
    startIn(gamespy_ + QStringLiteral("/old.exe"));
    QStringList listed, all;
    inside("Form8", [&] {
        listed = fileNames(files());
        in<QComboBox>(dialog(), "FilterComboBox1")->setCurrentIndex(1);
        all = fileNames(files());
        press("bCancel");
    });
    choose("Extraoptions1");
    EXPECT_EQ(listed, (QStringList{"gamespy.exe", "setup.COM", "update"}));
    EXPECT_EQ(all, (QStringList{"gamespy.exe", "readme.txt", "setup.COM", "update"})) << "files only, no folders";
}

TEST_F(ExtraOptions, SavingAChosenFileStoresItsFullPathAndNamesTheInstalledDialogsButton)
{
    bothSaved();
    startIn(QString());
    setConfig(ExtraConfigSaved, QStringLiteral("No"));
    window<TForm6>().showInstalled();
    auto* extraButton = in<QPushButton>(&window<TForm6>(), "Button4");
    EXPECT_FALSE(extraButton->isEnabled());
    window<TForm6>().hide();

    settings().setExtraProgram(gamespy_ + QStringLiteral("/gone.exe"));
    inside("Form8", [&] {
        pick("gamespy.exe");
        EXPECT_EQ(pathBox(), gamespy_ + QStringLiteral("/gamespy.exe"));
        press("bSave");
        EXPECT_TRUE(extraButton->isEnabled()) << "Save enables the extra program button";
    });
    choose("Extraoptions1");
    EXPECT_EQ(storedConfig(ExtraConfig), gamespy_ + QStringLiteral("/gamespy.exe"));
    EXPECT_EQ(storedConfig(ExtraConfigSaved), QStringLiteral("Yes"));
    EXPECT_EQ(shown(), QStringList{kSaved});

    window<TForm6>().showInstalled();
    EXPECT_EQ(extraButton->text(), QStringLiteral("Start gamespy"));
}

TEST_F(ExtraOptions, AnyFileOfAllFilesCanBeChosenAndStored)
{
    bothSaved();
    startIn(gamespy_ + QStringLiteral("/gamespy.exe"));
    inside("Form8", [&] {
        in<QComboBox>(dialog(), "FilterComboBox1")->setCurrentIndex(1);
        pick("readme.txt");
        press("bSave");
    });
    choose("Extraoptions1");
    EXPECT_EQ(storedConfig(ExtraConfig), gamespy_ + QStringLiteral("/readme.txt"));
}

TEST_F(ExtraOptions, ADoubleClickWithNoFileSelectedEmptiesThePathAndThatIsStoredToo)
{
    folder("empty");
    file("empty/notes.txt");
    setConfig(ConfigSaved, QStringLiteral("Yes"));
    startIn(tree_.path() + QStringLiteral("/empty/tool.exe"));
    inside("Form8", [&] {
        EXPECT_EQ(files()->count(), 0);
        QTest::mouseDClick(files()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_EQ(pathBox(), QString());
        press("bSave");
    });
    choose("Extraoptions1");
    EXPECT_EQ(storedConfig(ExtraConfig), QString());
    EXPECT_EQ(storedConfig(ExtraConfigSaved), QStringLiteral("Yes"));
    EXPECT_EQ(settings().extraProgram(), QString());
}

TEST_F(ExtraOptions, SavingWithoutTouchingTheListStoresThePathItHoldsAndAsksForTheMod)
{
    setConfig(ExtraConfigSaved, QStringLiteral("Yes"));   // no first run; ConfigSaved stays "No"
    const QString stored = gamespy_ + QStringLiteral("/update");
    startIn(stored);
    inside("Form8", [&] {
        EXPECT_EQ(pathBox(), stored);
        press("bSave");
    });
    choose("Extraoptions1");
    EXPECT_EQ(storedConfig(ExtraConfig), stored);
    EXPECT_EQ(shown(), (QStringList{kSaved, kSelectMod}));
    EXPECT_FALSE(dialog()->isVisible()) << "the window is closed before the last message";
}

TEST_F(ExtraOptions, CancelKeepsTheChosenFileInEffectButStoresNothing)
{
    bothSaved();
    const QString stored = gamespy_ + QStringLiteral("/gamespy.exe");
    startIn(stored);
    inside("Form8", [&] {
        pick("update");
        press("bCancel");
    });
    choose("Extraoptions1");
    EXPECT_EQ(settings().extraProgram(), gamespy_ + QStringLiteral("/update"));
    EXPECT_EQ(storedConfig(ExtraConfig), stored);
    QString atOpening;
    inside("Form8", [&] {
        atOpening = pathBox();
        QTest::keyClick(dialog(), Qt::Key_Escape);
    });
    choose("Extraoptions1");
    EXPECT_EQ(atOpening, gamespy_ + QStringLiteral("/update"));
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(ExtraOptions, AFolderThatIsGoneListsItsNearestAncestorAndKeepsThePath)
{
    bothSaved();
    const QString stored = gamespy_ + QStringLiteral("/old version/gamespy.exe");
    startIn(stored);
    inside("Form8", [&] {
        EXPECT_EQ(in<settings::DirectoryList>(dialog(), "DirectoryListBox1")->shownFolder(), gamespy_);
        EXPECT_EQ(files()->folder(), gamespy_);
        EXPECT_EQ(pathBox(), stored);
        press("bCancel");
    });
    choose("Extraoptions1");
    EXPECT_EQ(settings().extraProgram(), stored);
}

TEST_F(ExtraOptions, OpeningAnotherFolderRefillsTheFileListWithoutChangingThePath)
{
    bothSaved();
    file("gamespy/skins/skin.exe");
    const QString stored = gamespy_ + QStringLiteral("/gamespy.exe");
    startIn(stored);
    inside("Form8", [&] {
        auto* list = in<settings::DirectoryList>(dialog(), "DirectoryListBox1");
        QListWidgetItem* skins = folderItem(list, gamespy_ + QStringLiteral("/skins"));
        ASSERT_NE(skins, nullptr);
        doubleClickItem(list, skins);
        EXPECT_EQ(fileNames(files()), QStringList{"skin.exe"});
        EXPECT_EQ(pathBox(), stored);
        press("bCancel");
    });
    choose("Extraoptions1");
}

TEST_F(ExtraOptions, HelpWidensAndNarrows)
{
    bothSaved();
    startIn(QString());
    QList<int> widths;
    inside("Form8", [&] {
        QLabel* help = in<QLabel>(dialog(), "HelpLabel");
        widths << dialog()->width();
        click(help);
        widths << dialog()->width();
        click(help);
        widths << dialog()->width();
        click(help);
        press("bCancel");
    });
    choose("Extraoptions1");
    inside("Form8", [&] {
        widths << dialog()->width();
        press("bCancel");
    });
    choose("Extraoptions1");
    EXPECT_EQ(widths, (QList<int>{384, 574, 384, 384}));
}

} // namespace
