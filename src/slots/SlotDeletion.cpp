#include "SlotDeletion.h"

#include "app/MessageBox.h"
#include "app/PageTitleTaken.h"
#include "core/Library.h"
#include "store/ProgramDir.h"

namespace slotedit {

void deleteClick(core::Library& library, int slot)
{
    library.setUnsavedChanges(true);
    library.edit();
    if (!app::MessageBox::confirm(QStringLiteral("This will delete the picture in Tagomat. Are you sure?")))
        return;
    const bool withFile = app::MessageBox::confirm(QStringLiteral("Do you want to delete the wad file of the logo? (cannot be undone!)"),
                                                   app::MessageBox::Answer::No);
    const core::Library::EmptyResult result = library.emptySlot(slot, withFile, store::emptyBitmapPath());
    if (result.duplicatePageTitle)
        app::showPageTitleTaken();
    if (result.titleNamesNoFile && withFile)
        app::MessageBox::plain(QStringLiteral("The slot has been emptied, but its title \"%1\" is no valid file name, "
                                              "so no file was deleted.")
                                   .arg(result.title));
    else if (result.fileKept)
        app::MessageBox::plain(QStringLiteral("Could not delete ") + result.file);
}

} // namespace slotedit
