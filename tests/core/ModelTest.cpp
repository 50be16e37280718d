// The library and the settings on their own, without a window: what they
// change in the tables and files, and what they signal.
#include "ProgramFixture.h"

#include "store/Errors.h"
#include "store/ProgramDir.h"
#include "store/Records.h"

#include <QSignalSpy>

namespace {

class LibraryModel : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        store::setProgramDir(dir());
    }
    void open() { library.open(dir()); }
    core::Library library;
};

TEST_F(LibraryModel, SlotsChangeInThePendingEditAndSignalWhatChanged)
{
    addPage("p", {"one", QString(), "three"});
    open();
    QSignalSpy fields(&library, &core::Library::fieldChanged);
    QSignalSpy unsaved(&library, &core::Library::unsavedChangesChanged);
    EXPECT_EQ(library.freeSlot(), 2);
    library.setSlot(2, "two", colourPicture(2));
    EXPECT_EQ(library.freeSlot(), 4);
    EXPECT_FALSE(fields.isEmpty());
    EXPECT_TRUE(library.isEditing());
    EXPECT_EQ(library.storedSlotTitles().mid(0, 3), (QStringList{"one", QString(), "three"})) << "nothing posted yet";
    EXPECT_TRUE(library.namesLogoFile(path("two.wad"))) << "the pending edit names its file too";

    library.exchangeSlots(1, 3);
    EXPECT_EQ(library.slotTitle(1), QStringLiteral("three"));
    EXPECT_EQ(library.slotTitle(3), QStringLiteral("one"));
    EXPECT_EQ(library.scratchTitle(), QStringLiteral("three"));
    EXPECT_TRUE(library.isScratchPending());
    ASSERT_EQ(unsaved.size(), 1);
    EXPECT_TRUE(library.UnsavedChanges());

    library.save();
    EXPECT_FALSE(library.UnsavedChanges());
    EXPECT_EQ(unsaved.size(), 2);
    EXPECT_EQ(library.storedSlotTitles().mid(0, 3), (QStringList{"three", "two", "one"}));
}

TEST_F(LibraryModel, EmptyingWithTheFileStoresThePageFirstAndKeepsTheFileWhenItCannot)
{
    addPage("a", {"ab"});
    addPage("b");
    writeFile("ab.wad", "logo ab");
    open();
    library.edit();
    library.renamePage("b");   // the other page's title: the page cannot be stored
    const core::Library::EmptyResult refused = library.emptySlot(1, true, store::emptyBitmapPath());
    EXPECT_TRUE(refused.duplicatePageTitle);
    EXPECT_TRUE(refused.fileKept);
    EXPECT_EQ(readFile("ab.wad"), QByteArray("logo ab"));

    library.renamePage("a");
    library.setSlot(1, "ab", colourPicture(1));
    const core::Library::EmptyResult done = library.emptySlot(1, true, store::emptyBitmapPath());
    EXPECT_FALSE(done.fileKept);
    EXPECT_FALSE(fileExists("ab.wad"));
    EXPECT_EQ(library.storedSlotTitles().first(), QString()) << "stored before the file went";

    EXPECT_THROW(library.emptySlot(1, false, path("missing.bmp")), std::exception) << "no blank picture, no change";
}

TEST_F(LibraryModel, RenamesGiveTheFileItsNameOnlyWhenTheTitleIsStored)
{
    addPage("p", {"old", "other"});
    writeFile("old.wad", "logo");
    writeFile("other.wad", "another");
    open();
    library.edit();
    QString reason;
    EXPECT_EQ(library.renameLogo(1, "other", &reason), core::Library::RenameResult::NameRefused);
    EXPECT_TRUE(reason.isEmpty()) << "a taken name is the user's to change";
    EXPECT_EQ(library.renameLogo(1, "new", &reason), core::Library::RenameResult::Renamed);
    EXPECT_EQ(readFile("new.wad"), QByteArray("logo"));
    EXPECT_FALSE(fileExists("old.wad"));
    EXPECT_EQ(library.storedSlotTitles().first(), QStringLiteral("new"));
    EXPECT_THROW(library.renameLogo(2, "../out", &reason), store::TitleError);
    EXPECT_EQ(readFile("other.wad"), QByteArray("another"));
}

TEST_F(LibraryModel, PagesAreAddedAndDeletedWithTheirFilesAfterTheRow)
{
    open();
    EXPECT_EQ(library.deletePage(true), core::Library::DeleteResult::NothingToDelete);
    library.addPage();
    EXPECT_TRUE(library.isAddingPage());
    EXPECT_EQ(library.pageTitle(), QStringLiteral("NEW"));
    library.setSlot(1, "x", colourPicture(1));
    writeFile("x.wad", "x");
    library.save();
    EXPECT_EQ(storedPageTitles(), QStringList{"NEW"});
    EXPECT_EQ(library.deletePage(true), core::Library::DeleteResult::Deleted);
    EXPECT_TRUE(storedPageTitles().isEmpty());
    EXPECT_FALSE(fileExists("x.wad"));
}

// Undo walks back the slot changes of the current page, last first, and
// forgets them once the page is saved or left; a step whose logo file has
// been deleted is refused and dropped.
TEST_F(LibraryModel, UndoTakesBackSlotChangesUntilThePageIsSavedOrLeft)
{
    addPage("a", {"one", QString(), "three"});
    addPage("b");
    writeFile("one.wad", "1");
    writeFile("three.wad", "3");
    writeFile("two.wad", "2");
    open();
    const QByteArray onePicture = library.slotPicture(1);
    EXPECT_EQ(library.undoSlotChange(), core::Library::UndoResult::NothingToUndo);

    library.setSlot(2, "two", colourPicture(2));
    library.exchangeSlots(1, 3);
    library.emptySlot(2, false, store::emptyBitmapPath());
    EXPECT_EQ(library.undoSlotChange(), core::Library::UndoResult::Undone);
    EXPECT_EQ(library.slotTitle(2), QStringLiteral("two"));
    EXPECT_EQ(library.undoSlotChange(), core::Library::UndoResult::Undone);
    EXPECT_EQ(library.slotTitle(1), QStringLiteral("one"));
    EXPECT_EQ(library.slotTitle(3), QStringLiteral("three"));
    EXPECT_EQ(library.slotPicture(1), onePicture);
    EXPECT_EQ(library.undoSlotChange(), core::Library::UndoResult::Undone);
    EXPECT_EQ(library.slotTitle(2), QString());
    EXPECT_FALSE(library.canUndo());

    // Emptied with its file: the file is gone, so the step cannot come back.
    library.emptySlot(1, true, store::emptyBitmapPath());
    QString gone;
    EXPECT_EQ(library.undoSlotChange(&gone), core::Library::UndoResult::FileGone);
    EXPECT_EQ(gone, QStringLiteral("one"));
    EXPECT_EQ(library.slotTitle(1), QString());
    EXPECT_FALSE(library.canUndo()) << "the refused step is forgotten";

    library.exchangeSlots(2, 3);
    library.save();
    EXPECT_FALSE(library.canUndo()) << "saved";
    library.exchangeSlots(2, 3);
    library.next();
    EXPECT_FALSE(library.canUndo()) << "left";
    EXPECT_EQ(library.undoSlotChange(), core::Library::UndoResult::NothingToUndo);
}

class SettingsModel : public ProgramFixture {
protected:
    core::Settings settings;
};

TEST_F(SettingsModel, ValuesInUseChangeAtOnceAndReachTheRecordOnlyOnSave)
{
    setConfig(store::ConfigRecord::Config, "/games/hl/cstrike");
    setConfig(store::ConfigRecord::WaitTime, "300");
    settings.open(dir());
    settings.useSavedValues();
    settings.useSavedWaitTime();
    EXPECT_EQ(settings.gameLocation(), QStringLiteral("/games/hl/cstrike"));
    EXPECT_EQ(settings.waitMilliseconds(), 300);

    QSignalSpy changed(&settings, &core::Settings::changed);
    settings.setGameLocation("/games/hl/valve");
    settings.setGameLocation("/games/hl/valve");
    settings.setWaitPosition(99);
    EXPECT_EQ(changed.size(), 2) << "one signal a change, none for the same value";
    EXPECT_EQ(settings.waitPosition(), core::Settings::kMaxWaitPosition);
    EXPECT_EQ(settings.savedGameLocation(), QStringLiteral("/games/hl/cstrike"));
    EXPECT_FALSE(settings.gameLocationSaved());

    settings.saveGameLocation("/games/hl/valve");
    settings.saveWaitPosition(3);
    core::Settings reread;
    reread.open(dir());
    EXPECT_TRUE(reread.gameLocationSaved());
    EXPECT_EQ(reread.savedGameLocation(), QStringLiteral("/games/hl/valve"));
    EXPECT_EQ(reread.savedWaitTime(), QStringLiteral("60"));

    EXPECT_FALSE(settings.fitsGameLocation(QString(300, QLatin1Char('a'))));
    EXPECT_FALSE(settings.fitsExtraProgram(QStringLiteral("/tmp/\u4e2d")));
    EXPECT_THROW(core::Settings::positionFromWaitTime("fast"), std::runtime_error);
}

TEST_F(SettingsModel, InstallOptionsAreOnUntilSavedOtherwise)
{
    settings.open(dir());
    EXPECT_TRUE(settings.installOptions().tempdecal);
    EXPECT_TRUE(settings.installOptions().readOnly);
    ASSERT_TRUE(settings.saveInstallOptions({true, false}));
    core::Settings reread;
    reread.open(dir());
    EXPECT_EQ(reread.installOptions(), (core::InstallOptions{true, false}));
    EXPECT_TRUE(fileExists("InstallOptions.ini"));
}

} // namespace
