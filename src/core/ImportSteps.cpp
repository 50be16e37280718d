#include "ImportSteps.h"

#include "Converters.h"
#include "Library.h"
#include "Settings.h"
#include "WorkingFiles.h"
#include "files/FileOps.h"
#include "formats/Jpeg.h"
#include "store/PictureField.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace core {

namespace {

void pauseFor(int milliseconds, const ImportProgress& progress)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(10, milliseconds - clock.elapsed())));
        progress.keepPainted();
    }
}

// The converted picture as the field bytes of a slot picture.
QByteArray convertedPicture()
{
    try {
        const std::vector<std::uint8_t> jpeg = files::readAll(logoimport::convertedPicturePath().toStdString(), files::kMaxPictureFileBytes);
        return store::pictureFromRgb(formats::decodeJpeg(jpeg.data(), jpeg.size()));
    } catch (const std::exception& e) {
        throw ImportFailure{QStringLiteral("The picture could not be loaded from temp.jpg: %1").arg(QString::fromUtf8(e.what()))};
    }
}

} // namespace

void convertIntoSlot(Library& library, const Settings& settings, int slot, const logoimport::Placement& placed,
                     const QString& source, const ImportProgress& progress)
{
    using namespace logoimport;
    QString pcx;
    removeStaleWorkingFiles();
    try {
        progress.advance(10, QStringLiteral("Opening WAD file..."));
        // The message names the file the user chose, not the working copy
        // the converters were given; their own line follows.
        const auto failed = [&source](const ConverterError& e, const QString& rejected) {
            const QString what = e.rejectedInput() ? QStringLiteral("%1 could not be imported: ") + rejected
                                                   : QStringLiteral("%1 could not be imported.");
            return ImportFailure{what.arg(QDir::toNativeSeparators(source)) + QLatin1Char('\n')
                                 + QString::fromUtf8(e.what())};
        };
        try {
            pcx = extractPicture(placed.working, progress.keepPainted);
        } catch (const ConverterError& e) {
            throw failed(e, QStringLiteral("it is no spray logo WAD file, or it is damaged."));
        }
        try {
            progress.advance(10, QStringLiteral("Importing Picture..."));
            convertPicture(pcx, progress.keepPainted);
        } catch (const ConverterError& e) {
            throw failed(e, QStringLiteral("its picture could not be converted."));
        }
        progress.advance(10, QString());
        const QString title = bestandnaam(QFileInfo(placed.target).fileName());
        pauseFor(settings.waitMilliseconds(), progress);
        const QByteArray picture = convertedPicture();
        library.setSlot(slot, title, picture);
        // The file takes the logo's name as the page is stored, or neither happens.
        try {
            storeWithLogo(library, placed);
        } catch (const std::exception& e) {
            library.undoSlotChange();
            throw ImportFailure{QStringLiteral("The logo %1 could not be stored: %2").arg(title, QString::fromUtf8(e.what()))};
        }
    } catch (ImportFailure& failure) {
        const QString kept = undoPlacement(placed);
        if (!pcx.isEmpty())
            QFile::remove(workingFile(pcx));
        QFile::remove(convertedPicturePath());
        removeStaleWorkingFiles();   // of a converter stopped for taking too long
        if (!kept.isEmpty())
            failure.text += QLatin1Char(' ') + kept;
        throw;
    }
    QFile::remove(convertedPicturePath());
    progress.advance(10, QString());
    progress.advance(10, QString());
    QFile::remove(workingFile(pcx));
}

} // namespace core
