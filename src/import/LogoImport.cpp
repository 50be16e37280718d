#include "LogoImport.h"

#include "Converters.h"
#include "LogoPlacement.h"
#include "OpenDialog.h"
#include "Unit11.h"
#include "Unit4.h"
#include "WorkingFiles.h"
#include "app/Forms.h"
#include "app/MessageBox.h"
#include "app/Unit1.h"
#include "files/FileOps.h"
#include "formats/Bmp.h"
#include "formats/Jpeg.h"
#include "makelogo/PictureImport.h"
#include "settings/Unit5.h"
#include "store/LogoFile.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Table.h"
#include "store/TableFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>

namespace logoimport {

namespace {

// Drop acceptance is off while an import runs; it comes back on every way
// out, an unexpected error included.
class DropsOff {
public:
    DropsOff(TForm1& form, bool dropBusy) : form_(form), dropBusy_(dropBusy)
    {
        if (dropBusy_)
            form_.DropBusy = true;
        form_.setDropAcceptance(false);
    }
    ~DropsOff() { restore(); }
    void restore()
    {
        form_.setDropAcceptance(true);
        if (dropBusy_)
            form_.DropBusy = false;
    }

private:
    TForm1& form_;
    bool dropBusy_;
};

// A step of the import that failed after the file was placed; the text is
// for the user.
struct ImportFailure {
    QString text;
};

void pauseFor(int milliseconds, TForm11& wait)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(10, milliseconds - clock.elapsed())));
        wait.keepPainted();
    }
}

// The converted picture as the field bytes of a slot picture.
QByteArray convertedPicture()
{
    std::vector<std::uint8_t> jpeg;
    try {
        jpeg = files::readAll(convertedPicturePath().toStdString());
        const formats::RgbImage image = formats::decodeJpeg(jpeg.data(), jpeg.size());
        const std::vector<std::uint8_t> bmp = formats::encodeBmp24(image);
        return store::wrapPicture(QByteArray(reinterpret_cast<const char*>(bmp.data()), static_cast<int>(bmp.size())));
    } catch (const std::exception& e) {
        throw ImportFailure{QStringLiteral("The picture could not be loaded from temp.jpg: %1").arg(QString::fromUtf8(e.what()))};
    }
}

// The name loop: asks for a name until the chosen file has been placed as
// that name's logo wad file. Returns false when the file cannot be placed
// under any name (nothing is placed then).
bool placeUnderName(TForm1& form, const QString& source, bool rename, Placement& placed)
{
    TForm4& prompt = *forms().Form4;
    form.WadCopied = false;
    while (!form.WadCopied) {
        prompt.exec();
        const QString target = store::logoWadPath(prompt.Edit1->text());
        if (files::exists(target.toStdString())) {
            app::MessageBox::plain(QStringLiteral("Sorry, this file already exists, please enter an other name."));
            continue;
        }
        try {
            placed = placeLogo(source, target, rename);
            form.WadCopied = true;
        } catch (const files::FileError& e) {
            // Another name helps only when the name was the trouble, not
            // against a full disk, an unreadable file or a closed directory.
            if (!e.targetExists()) {
                app::MessageBox::error(QStringLiteral("The logo could not be placed in %1: %2")
                                           .arg(store::programDir(), QString::fromUtf8(e.what())));
                return false;
            }
            app::MessageBox::plain(QStringLiteral("Error renaming file. :(, please change the logo name"));
        }
    }
    return true;
}

// From the placement of the chosen file to the closing of the wait window.
// The slot gets the picture and the title only when every step worked;
// otherwise all the import did to the program directory is undone, and the
// result is false.
bool importInto(TForm1& form, int slot, const QString& source)
{
    TForm11& wait = *forms().Form11;
    wait.resetProgress();

    Placement placed;
    // A file of the program directory that a slot names is that slot's
    // logo: it is copied, never taken away from the slot.
    const bool rename = liesInProgramDir(source) && !namedByASlot(form.Table1(), source);
    if (!placeUnderName(form, source, rename, placed)) {
        wait.hide();
        return false;
    }

    QString pcx;
    const WhileWaiting keepPainted = [&wait] { wait.keepPainted(); };
    removeStaleWorkingFiles();
    try {
        wait.showWaiting();
        wait.advance(10, QStringLiteral("Opening WAD file..."));
        // The message names the file the user chose, not the working copy
        // the converters were given; their own line follows.
        const auto failed = [&source](const ConverterError& e, const QString& rejected) {
            const QString what = e.rejectedInput() ? QStringLiteral("%1 could not be imported: ") + rejected
                                                   : QStringLiteral("%1 could not be imported.");
            return ImportFailure{what.arg(QDir::toNativeSeparators(source)) + QLatin1Char('\n')
                                 + QString::fromUtf8(e.what())};
        };
        try {
            pcx = extractPicture(placed.target, keepPainted);
        } catch (const ConverterError& e) {
            throw failed(e, QStringLiteral("it is no spray logo WAD file, or it is damaged."));
        }
        try {
            wait.advance(10, QStringLiteral("Importing Picture..."));
            convertPicture(pcx, keepPainted);
        } catch (const ConverterError& e) {
            throw failed(e, QStringLiteral("its picture could not be converted."));
        }
        wait.advance(10);
        const QString title = bestandnaam(QFileInfo(placed.target).fileName());
        pauseFor(forms().Form5->waitMilliseconds(), wait);
        const QByteArray picture = convertedPicture();

        store::Table& table = form.Table1();
        table.edit();
        table.setPicture(store::LogoPage::picture(slot), picture);
        table.setText(store::LogoPage::pictureTitle(slot), title);
    } catch (const ImportFailure& failure) {
        QString text = failure.text;
        const QString kept = undoPlacement(placed);
        if (!pcx.isEmpty())
            QFile::remove(store::programFile(pcx));
        QFile::remove(convertedPicturePath());
        removeStaleWorkingFiles();   // of a converter stopped for taking too long
        wait.hide();
        if (!kept.isEmpty())
            text += QLatin1Char(' ') + kept;
        app::MessageBox::error(text);
        return false;
    }
    QFile::remove(convertedPicturePath());
    wait.advance(10);
    wait.advance(10);
    QFile::remove(store::programFile(pcx));
    forms().Form4->Edit1->clear();
    wait.advance(10);
    wait.hide();
    return true;
}

// The chosen file must be one that can be read without waiting: a named
// pipe or a device would hold the window forever. False, with the reason
// shown, for anything else than a regular file.
bool readableChoice(const QString& path)
{
    // Not even opened: closing it would drop the engine's locks on it.
    if (store::isTableFile(path)) {
        app::MessageBox::error(QStringLiteral("The file could not be imported: %1 is one of the program's tables.").arg(path));
        return false;
    }
    try {
        files::requireRegularFile(path.toStdString());
        return true;
    } catch (const files::FileError& e) {
        if (e.code() == ENOENT)
            return true;   // a file that went away is reported by the placement
        app::MessageBox::error(QStringLiteral("The file could not be imported: %1").arg(QString::fromUtf8(e.what())));
        return false;
    }
}

void postPage(TForm1& form)
{
    form.Table1().edit();
    form.Table1().post();
}

} // namespace

void insertClick(TForm1& form, int slot)
{
    DropsOff dropsOff(form, false);
    form.UnsavedChanges = true;
    form.Table1().edit();
    OpenDialog& dialog = OpenDialog::of(&form);
    if (dialog.execute(&form)) {
        // A picture becomes a logo WAD first, which is then imported.
        const QString picture = dialog.fileName();
        if (!readableChoice(picture))
            return;
        QTemporaryDir made;
        const QString source = makelogo::isPicture(picture) ? makelogo::makeLogoWad(&form, picture, made) : picture;
        if (source.isEmpty()) { // the logo was not made: as a cancel
            forms().Form11->advance(10);
            forms().Form11->hide();
        } else if (!importInto(form, slot, source)) {
            // A failed import has been undone and reported; the page stays
            // in its pending edit as it was.
            return;
        }
    } else {
        forms().Form11->advance(10);
        forms().Form11->hide();
    }
    dropsOff.restore();
    postPage(form);
}

void dropFiles(TForm1& form, const QList<QUrl>& urls)
{
    if (form.DropBusy)
        return;
    DropsOff dropsOff(form, true);
    form.activateWindow();
    form.setFocus();

    const QString path = urls.isEmpty() ? QString() : urls.first().toLocalFile();
    const QFileInfo file(path);
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    const bool isWad = !path.isEmpty() && dot >= 0
                       && path.mid(dot).compare(QLatin1String(".wad"), Qt::CaseInsensitive) == 0 && file.isFile();
    const bool picture = !isWad && makelogo::isPicture(path);
    if (isWad || picture) {
        form.UnsavedChanges = true;
        form.Table1().edit();
        int slot = 0;
        for (int n = 1; n <= store::LogoPage::kSlots && slot == 0; ++n) {
            if (form.Table1().text(store::LogoPage::pictureTitle(n)).isEmpty())
                slot = n;
        }
        if (slot == 0) {
            dropsOff.restore();
            app::MessageBox::error(QStringLiteral("This page does not have any space left."));
            return;
        }
        if (!readableChoice(path))
            return;
        OpenDialog::of(&form).setFileName(path);
        QTemporaryDir made;
        const QString source = picture ? makelogo::makeLogoWad(&form, path, made) : path;
        if (!source.isEmpty() && !importInto(form, slot, source))
            return;
    }
    dropsOff.restore();
    postPage(form);
}

} // namespace logoimport
