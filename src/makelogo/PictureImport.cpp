#include "makelogo/PictureImport.h"

#include "app/MessageBox.h"
#include "core/SprayIntake.h"
#include "logo/LogoMaker.h"
#include "makelogo/MakeLogoDialog.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <atomic>
#include <memory>
#include <mutex>

namespace makelogo {

QStringList picturePatterns() { return core::picturePatterns(); }

bool isPicture(const QString& path)
{
    return QFileInfo(path).isFile() && core::isPictureName(path);
}

namespace {

// What the reading thread hands back; shared, so that a read the user
// cancelled can finish after the window has moved on.
struct PictureRead {
    std::mutex mutex;
    std::atomic<bool> done{false};
    QImage picture;
    std::string error;
};

} // namespace

QImage readPictureAside(QWidget* parent, const QString& picturePath, const PictureReader& reader)
{
    auto read = std::make_shared<PictureRead>();
    // The application waits for the global pool when it ends, so a read
    // left running never outlives it.
    QThreadPool::globalInstance()->start([read, reader, picturePath] {
        QImage picture;
        std::string error;
        try {
            picture = reader(picturePath);
            if (picture.isNull())
                error = "the picture could not be read";
        } catch (const std::exception& e) {
            error = e.what();
            if (error.empty())
                error = "the picture could not be read";
        }
        const std::lock_guard<std::mutex> lock(read->mutex);
        read->picture = std::move(picture);
        read->error = std::move(error);
        read->done = true;
    });

    QProgressDialog progress(QStringLiteral("Reading %1...").arg(QFileInfo(picturePath).fileName()),
                             QStringLiteral("Cancel"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("PictureProgress"));
    progress.setWindowTitle(QStringLiteral("Make logo"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    // Shown only when the read takes a while.
    QTimer::singleShot(400, &progress, &QProgressDialog::show);

    QEventLoop loop;
    bool cancelled = false;
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        loop.quit();
    });
    // The reading thread touches nothing of this window: the loop looks
    // for its result instead of being told.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (read->done)
            loop.quit();
    });
    poll.start(10);
    if (!read->done)
        loop.exec();
    if (cancelled && !read->done)
        return {};
    const std::lock_guard<std::mutex> lock(read->mutex);
    if (!read->error.empty())
        throw logo::LogoError(read->error);
    return read->picture;
}

QString makeLogoWad(QWidget* parent, const QString& picturePath, const QTemporaryDir& workDir)
{
    QImage picture;
    try {
        picture = readPictureAside(parent, picturePath, [](const QString& path) { return logo::readPicture(path); });
    } catch (const logo::LogoError& e) {
        app::MessageBox::error(QStringLiteral("%1: %2").arg(picturePath, QString::fromStdString(e.what())));
        return {};
    }
    if (picture.isNull())
        return {};   // cancelled while it was read
    MakeLogoDialog dialog(picture, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.spray().width == 0)
        return {};
    const QString wad = workDir.filePath(QFileInfo(picturePath).completeBaseName() + QStringLiteral(".wad"));
    try {
        // A working file: the import that follows copies it durably.
        logo::writeLogoWad(wad, dialog.spray(), files::Durability::Flushed);
    } catch (const logo::LogoError& e) {
        app::MessageBox::error(QStringLiteral("The logo could not be written: %1").arg(QString::fromStdString(e.what())));
        return {};
    }
    return wad;
}

} // namespace makelogo
