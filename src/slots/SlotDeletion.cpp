#include "SlotDeletion.h"

#include "SlotWithFile.h"
#include "app/MessageBox.h"
#include "app/Unit1.h"
#include "files/FileOps.h"
#include "formats/Bmp.h"
#include "store/LogoFile.h"
#include "store/ProgramLayout.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Table.h"

#include <vector>

namespace slotedit {

namespace {

// The blank picture as the field bytes of a slot picture: the file read as
// a bitmap and written as the 24-bit bitmap a picture field holds. A file
// that is missing, unreadable or no bitmap is a file error.
QByteArray blankPicture(const QString& path)
{
    const std::string file = path.toStdString();
    const std::vector<std::uint8_t> bytes = files::readAll(file);
    formats::RgbImage image;
    try {
        image = formats::decodeBmp(bytes.data(), bytes.size());
    } catch (const formats::FormatError& e) {
        throw files::FileError(file + ": " + e.what());
    }
    const std::vector<std::uint8_t> bitmap = formats::encodeBmp24(image);
    return store::wrapPicture(QByteArray(reinterpret_cast<const char*>(bitmap.data()), static_cast<qsizetype>(bitmap.size())));
}

} // namespace

void deleteClick(TForm1& form, int slot)
{
    using store::LogoPage::picture;
    using store::LogoPage::pictureTitle;
    store::Table& pages = form.Table1();

    form.UnsavedChanges = true;
    pages.edit();
    const QString blankPath = store::emptyBitmapPath();
    if (!app::MessageBox::confirm(QStringLiteral("This will delete the picture in Tagomat. Are you sure?")))
        return;
    const bool withFile = app::MessageBox::confirm(QStringLiteral("Do you want to delete the wad file of the logo? (cannot be undone!)"),
                                                       app::MessageBox::Answer::No);

    const QString wadPath = store::checkedLogoWadPath(pages.text(pictureTitle(slot)));   // before anything changes
    const QByteArray blank = blankPicture(blankPath);   // a file error stops the command here
    pages.setPicture(picture(slot), blank);
    pages.setText(pictureTitle(slot), QString());
    if (!withFile)
        return;

    const std::string file = wadPath.toStdString();
    // The cleared slot is stored before its file goes, so that cancelling
    // the page's changes cannot bring back a title naming a deleted file.
    // When the page cannot be stored the file stays.
    const bool stored = !files::exists(file) || postWithFileChange(form.Table1(), [] {});
    if (!stored || !files::removeFile(file))
        app::MessageBox::plain(QStringLiteral("Could not delete ") + wadPath);
}

} // namespace slotedit
