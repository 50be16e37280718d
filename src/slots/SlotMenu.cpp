#include "SlotMenu.h"

#include "SlotDrag.h"
#include "app/MessageBox.h"
#include "app/TDBImage.h"
#include "app/CommandGuard.h"
#include "core/Library.h"
#include "core/LogoCheck.h"
#include "logo/GameLook.h"
#include "files/FileOps.h"
#include "formats/Wad3.h"
#include "import/QuietFileDialog.h"
#include "store/ProgramDir.h"
#include "store/TableFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QPointer>

#include <optional>

namespace slotedit {
namespace {

std::optional<QString>& queuedPath()
{
    static std::optional<QString> path;
    return path;
}

QString askPath(QWidget* parent, const QString& title)
{
    if (queuedPath()) {
        const QString path = *queuedPath();
        queuedPath().reset();
        return path;
    }
    return logoimport::quietSaveFileName(parent, QStringLiteral("Save picture as"), title + QStringLiteral(".png"),
                                         QStringLiteral("PNG pictures (*.png)"));
}

// The library keeps its logos as .wad files in the program directory; a
// picture saved under such a name would take a slot's logo away.
bool isLogoFileOfTheLibrary(const QString& path)
{
    const QFileInfo file(path);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return file.suffix().compare(QStringLiteral("wad"), Qt::CaseInsensitive) == 0 && !folder.isEmpty()
        && folder == QFileInfo(store::programDir()).canonicalFilePath();
}

void saveSlot(const core::Library& library, QWidget* window, int slot)
{
    const QString title = library.slotTitle(slot);
    if (title.isEmpty())
        return;
    const QString path = askPath(window, title);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !isLogoFileOfTheLibrary(path)
        && !app::MessageBox::confirm(QStringLiteral("%1 already exists. Do you want to replace it?")
                                         .arg(QDir::toNativeSeparators(path)),
                                     app::MessageBox::Answer::No))
        return;
    const QString problem = savePictureAs(store::logoWadPath(title), path);
    if (!problem.isEmpty())
        app::MessageBox::error(problem);
}

void makeReady(core::Library& library, int slot)
{
    try {
        core::makeGameReady(library, slot);
    } catch (const std::exception& e) {
        app::MessageBox::error(QStringLiteral("\"%1\" could not be made game-ready: %2")
                                   .arg(library.slotTitle(slot), QString::fromUtf8(e.what())));
    }
}

} // namespace

void queueSavePath(const QString& path) { queuedPath() = path; }

QString savePictureAs(const QString& wadPath, const QString& pngPath)
{
    if (store::isTableFile(pngPath))
        return QStringLiteral("The picture could not be saved: %1 is one of the program's tables.").arg(pngPath);
    if (isLogoFileOfTheLibrary(pngPath))
        return QStringLiteral("The picture could not be saved: %1 is where the library keeps a logo. Choose another "
                              "name or folder.")
            .arg(pngPath);
    QImage image;
    try {
        const std::vector<std::uint8_t> wad = files::readAll(wadPath.toStdString(), files::kMaxWadBytes);
        const formats::WadPicture picture = formats::readWadPicture(wad.data(), wad.size());
        // As the game draws it: see-through where the game shows the wall.
        const logo::Rgba look = logo::gameLook(picture);
        image = QImage(look.bytes.data(), look.width, look.height, look.width * 4, QImage::Format_RGBA8888).copy();
    } catch (const std::exception& e) {
        return QStringLiteral("The logo could not be read from %1: %2").arg(wadPath, QString::fromUtf8(e.what()));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    try {
        files::writeAtomically(pngPath.toStdString(), std::vector<std::uint8_t>(png.begin(), png.end()));
    } catch (const files::FileError& e) {
        return QStringLiteral("The picture could not be saved: %1").arg(QString::fromUtf8(e.what()));
    }
    return {};
}

void attachSlotMenu(core::Library& library, QWidget* window, SlotDrag& drag)
{
    QObject::connect(&drag, &SlotDrag::menuRequested, window, [&library, window](TDBImage* picture, const QPoint& where) {
        const int slot = picture->slot();
        if (library.slotTitle(slot).isEmpty())
            return; // an empty slot has no menu
        auto* menu = new QMenu(window);
        menu->setObjectName(QStringLiteral("SlotMenu"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction* save = menu->addAction(QStringLiteral("Save picture as..."));
        save->setObjectName(QStringLiteral("SavePictureAs"));
        QObject::connect(save, &QAction::triggered, window, [&library, window, slot] { saveSlot(library, window, slot); });
        if (core::checkLogo(library.slotTitle(slot)).marked()) {
            QAction* fix = menu->addAction(QStringLiteral("Make game-ready"));
            fix->setObjectName(QStringLiteral("MakeGameReady"));
            QObject::connect(fix, &QAction::triggered, window, [&library, slot] {
                app::runCommand([&library, slot] { makeReady(library, slot); });
            });
        }
        menu->popup(where);
    });
}

} // namespace slotedit
