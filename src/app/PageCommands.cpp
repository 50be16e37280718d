// The commands on whole pages: add, delete with or without the logo wad
// files, delete all, refresh, save, cancel, and the page title.
#include "Unit1.h"

#include "MessageBox.h"
#include "PageTitleTaken.h"
#include "TDBEdit.h"
#include "core/Library.h"
#include "slots/Unit9.h"
#include "store/Errors.h"

void TForm1::bInsertClick()
{
    library_.addPage();
    pageTitleEdit()->setFocus();
    pageTitleEdit()->selectAll();
}

void TForm1::bDeleteClick()
{
    library_.setUnsavedChanges(true);
    if (!app::MessageBox::confirm(QStringLiteral("This will delete the current page. Are you sure?")))
        return;
    const bool withFiles = app::MessageBox::confirm(QStringLiteral("Do you want to delete all the wad files? (Cannot be undone)"),
                                                    app::MessageBox::Answer::No);
    if (library_.deletePage(withFiles) == core::Library::DeleteResult::NothingToDelete)
        app::MessageBox::plain(QStringLiteral("There is nothing to delete."));
}

void TForm1::ToolButton10Click()
{
    library_.edit();
    if (!app::MessageBox::warning(QStringLiteral("THIS WILL DELETE ALL PAGES! ARE YOU SURE?! (CANNOT BE UNDONE!)"),
                                  app::MessageBox::Answer::No))
        return;
    const bool withFiles = app::MessageBox::warning(QStringLiteral("DO YOU WANT TO DELETE ALL WAD FILES?! (CANNOT BE UNDONE!)"),
                                                    app::MessageBox::Answer::No);
    library_.deleteAllPages(withFiles);
}

void TForm1::bRefreshClick() { library_.refresh(); }

void TForm1::bSaveClick()
{
    if (!app::MessageBox::confirm(QStringLiteral("Do you want to save changes?")))
        return;
    try {
        library_.save();
    } catch (const store::EngineError& e) {
        // Only a duplicate title is the user's to mend; a locked or full
        // file goes to the error box with the engine's text.
        if (!store::isKeyViolation(e))
            throw;
        app::showPageTitleTaken();
    }
}

void TForm1::bCancelClick()
{
    if (!app::MessageBox::confirm(QStringLiteral("Do you want to cancel changes?")))
        return;
    library_.cancel();
}

void TForm1::DBEditClick(int tag)
{
    if (tag >= 1 && tag <= 8 && refuseDamagedSlot(tag, QStringLiteral("renamed")))
        return;
    // An empty slot has no logo, and so no file, to rename.
    if (tag >= 1 && tag <= 8 && library_.slotTitle(tag).isEmpty())
        return;
    RenameTarget = tag;
    form9().execFor(tag);
}

void TForm1::BitBtn1Click()
{
    // Refused now, not by the move that would store it.
    if (library_.pageTitleTaken(pageTitleEdit()->text())) {
        app::MessageBox::plain(QStringLiteral("This name already exists, please pick an other"));
        pageTitleEdit()->setFocus();
        pageTitleEdit()->selectAll();
        return;
    }
    try {
        library_.setPageTitle(pageTitleEdit()->text());
    } catch (const store::EngineError& e) {
        if (!store::isKeyViolation(e))
            throw;
        app::MessageBox::plain(QStringLiteral("This name already exists, please pick an other"));
    }
}
