#include "Renaming.h"

#include "SlotWithFile.h"
#include "app/MessageBox.h"
#include "app/Unit1.h"
#include "files/FileOps.h"
#include "store/LogoFile.h"
#include "store/Records.h"
#include "store/Table.h"

#include <cerrno>

namespace slotedit {

namespace {

// The errors a rename gets for the new name itself: taken, too long or not
// a valid file name.
bool isNameProblem(int error)
{
    return error == EEXIST || error == ENOTEMPTY || error == ENAMETOOLONG || error == EINVAL || error == EILSEQ;
}

} // namespace

void renameLogo(TForm1& form, int slot, const QString& name)
{
    const int titleField = store::LogoPage::pictureTitle(slot);
    store::Table& pages = form.Table1();
    const QString oldTitle = pages.text(titleField);
    const std::string oldPath = store::checkedLogoWadPath(oldTitle).toStdString();
    const std::string newPath = store::checkedLogoWadPath(name).toStdString();
    // The file gets its new name beside the old one, and loses the old one
    // only once the new title is stored: a crash in between leaves a title
    // that names an existing file, whichever title was stored.
    bool bothNames = false;
    try {
        bothNames = files::addNameNoReplace(oldPath, newPath);
    } catch (const files::FileError& e) {
        if (oldTitle.isEmpty() || isNameProblem(e.code())) {
            app::MessageBox::plain(QStringLiteral("Error renaming file, please change the logo name"));
        } else {
            // A full disk, a missing file or a refused write: another name would not help.
            app::MessageBox::error(QStringLiteral("Error renaming file: ") + QString::fromUtf8(e.what()));
        }
        return;
    }
    pages.setText(titleField, name);
    const bool stored = postWithFileChange(pages, [&] {
        try {
            if (bothNames)
                files::removeFile(newPath);
            else
                files::renameNoReplace(newPath, oldPath);
            pages.setText(titleField, oldTitle);
        } catch (const files::FileError&) {
            // The file keeps its new name, and so does the slot.
        }
    });
    if (stored && bothNames)
        files::removeFile(oldPath);
    if (stored)
        app::MessageBox::plain(QStringLiteral("Logo succesfully renamed."));
}

void renamePage(TForm1& form, const QString& name)
{
    form.Table1().setText(store::LogoPage::PageTitle, name);
    app::MessageBox::plain(QStringLiteral("Page succesfully renamed."));
}

} // namespace slotedit
