// The commands on whole pages: add, delete with or without the logo wad
// files, delete all, refresh, save, cancel, and the page title.
#include "Unit1.h"

#include "Forms.h"
#include "MessageBox.h"
#include "TDBEdit.h"
#include "slots/Unit9.h"
#include "store/LogoFile.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QFile>

using store::LogoPage::PageTitle;
using store::LogoPage::pictureTitle;

namespace {

// The logo wad files the current page names. Every title is checked before
// any file is touched, so a title that leaves the program directory stops
// the command with nothing changed.
QStringList logoWadFilesOf(const store::Table& pages)
{
    QStringList paths;
    for (int n = 1; n <= store::LogoPage::kSlots; ++n)
        paths << store::checkedLogoWadPath(pages.text(pictureTitle(n)));
    return paths;
}

// The files go only after the rows that named them are stored as deleted:
// a failed delete keeps page and logos, a kill in between leaves at worst
// files that no page names.
void removeFiles(const QStringList& paths)
{
    for (const QString& path : paths)
        QFile::remove(path);   // a missing file is no error
}

} // namespace

void TForm1::bInsertClick()
{
    UnsavedChanges = true;
    Table1().insert();
    Table1().setText(PageTitle, QStringLiteral("NEW"));
    pageTitleEdit()->setFocus();
    pageTitleEdit()->selectAll();
}

void TForm1::bDeleteClick()
{
    UnsavedChanges = true;
    if (!app::MessageBox::confirm(QStringLiteral("This will delete the current page. Are you sure?")))
        return;
    const bool withFiles = app::MessageBox::confirm(QStringLiteral("Do you want to delete all the wad files? (Cannot be undone)"),
                                                    app::MessageBox::Answer::No);
    if (Table1().isEmpty() && Table1().state() != store::Table::State::Insert) {
        app::MessageBox::plain(QStringLiteral("There is nothing to delete."));
        return;
    }
    const QStringList paths = withFiles ? logoWadFilesOf(Table1()) : QStringList();
    Table1().deleteRecord();   // an engine error goes to the error box, the files stay
    removeFiles(paths);
}

void TForm1::ToolButton10Click()
{
    store::Table& pages = Table1();
    pages.edit();
    if (!app::MessageBox::warning(QStringLiteral("THIS WILL DELETE ALL PAGES! ARE YOU SURE?! (CANNOT BE UNDONE!)"),
                                  app::MessageBox::Answer::No))
        return;
    const bool withFiles = app::MessageBox::warning(QStringLiteral("DO YOU WANT TO DELETE ALL WAD FILES?! (CANNOT BE UNDONE!)"),
                                                    app::MessageBox::Answer::No);
    QStringList paths;
    if (withFiles) {
        pages.first();
        const int n = pages.rowCount();
        for (int i = 0; i < n; ++i) {
            paths << logoWadFilesOf(pages);
            pages.next();
        }
    }
    pages.close();
    try {
        pages.emptyTable();
    } catch (...) {
        pages.open();
        throw;
    }
    pages.open();
    removeFiles(paths);
}

void TForm1::bRefreshClick() { Table1().refresh(); }

void TForm1::bSaveClick()
{
    if (!app::MessageBox::confirm(QStringLiteral("Do you want to save changes?")))
        return;
    try {
        Table1().edit();
        Table1().post();
        UnsavedChanges = false;
    } catch (const store::EngineError& e) {
        // Only a duplicate title is the user's to mend; a locked or full
        // file goes to the error box with the engine's text.
        if (!store::isKeyViolation(e))
            throw;
        app::MessageBox::plain(QStringLiteral("A page with this name already exists, please change it."));
    }
}

void TForm1::bCancelClick()
{
    if (!app::MessageBox::confirm(QStringLiteral("Do you want to cancel changes?")))
        return;
    Table1().cancel();
    Table1().refresh();
}

void TForm1::DBEditClick(int tag)
{
    RenameTarget = tag;
    forms().Form9->exec();
}

void TForm1::BitBtn1Click()
{
    const QString text = pageTitleEdit()->text();
    if (text == Table1().text(PageTitle))
        return;   // nothing to take over
    try {
        Table1().edit();
        Table1().setText(PageTitle, text);
        UnsavedChanges = true;
    } catch (const store::EngineError& e) {
        if (!store::isKeyViolation(e))
            throw;
        app::MessageBox::plain(QStringLiteral("This name already exists, please pick an other"));
    }
}
