#include "LogoCheck.h"

#include "files/FileOps.h"
#include "Library.h"
#include "logo/GameLook.h"
#include "logo/GameReady.h"
#include "store/PictureField.h"
#include "store/ProgramDir.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

#include <QPainter>

namespace core {

namespace {

struct Cached {
    qint64 size = -1;
    QDateTime modified;
    LogoCheck check;
};

// A page shows eight logos: a few pages' worth is plenty.
constexpr int kCachedFiles = 64;

QHash<QString, Cached>& cache()
{
    static QHash<QString, Cached> files;
    return files;
}

LogoCheck readCheck(const QString& path, qint64 size)
{
    LogoCheck check;
    check.found = true;
    if (size > qint64(files::kMaxWadBytes)) {
        // Judged by its size alone: the game would not take it anyway.
        check.report.fileBytes = static_cast<std::uint64_t>(size);
        check.report.problems.push_back(formats::fileSizeProblem(check.report.fileBytes));
        return check;
    }
    std::vector<std::uint8_t> bytes;
    try {
        bytes = files::readAll(path.toStdString(), files::kMaxWadBytes);
    } catch (const files::FileError&) {
        check.found = false;   // unreadable: reported by whatever uses the file
        return check;
    }
    check.report = formats::checkSpray(bytes.data(), bytes.size());
    try {
        check.picture = formats::readWadPicture(bytes.data(), bytes.size());
    } catch (const std::exception&) {
    }
    return check;
}

} // namespace

QStringList LogoCheck::reasons() const
{
    QStringList lines;
    for (const std::string& problem : report.problems)
        lines << QString::fromStdString(problem);
    return lines;
}

LogoCheck checkLogo(const QString& title)
{
    if (title.isEmpty() || !store::titleNamesFile(title))
        return {};
    const QString path = store::logoWadPath(title);
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    auto& files = cache();
    const auto hit = files.constFind(path);
    if (hit != files.constEnd() && hit->size == info.size() && hit->modified == info.lastModified())
        return hit->check;
    if (files.size() >= kCachedFiles)
        files.clear();
    Cached entry{info.size(), info.lastModified(), readCheck(path, info.size())};
    files.insert(path, entry);
    return entry.check;
}

QImage gameLookImage(const formats::WadPicture& picture, const QColor& background)
{
    const logo::Rgba look = logo::gameLook(picture);
    QImage image(look.width, look.height, QImage::Format_RGB32);
    image.fill(background);
    const QImage over(look.bytes.data(), look.width, look.height, look.width * 4, QImage::Format_RGBA8888);
    QPainter(&image).drawImage(0, 0, over);
    return image;
}

void makeGameReady(Library& library, int slot)
{
    const QString title = library.slotTitle(slot);
    const QString path = store::checkedLogoWadPath(title);
    const std::vector<std::uint8_t> old = files::readAll(path.toStdString(), files::kMaxWadBytes);
    const std::vector<std::uint8_t> remade = logo::remakeGameReady(formats::readWadPicture(old.data(), old.size()));
    const formats::WadPicture picture = formats::readWadPicture(remade.data(), remade.size());
    files::writeAtomically(path.toStdString(), remade);
    library.setSlot(slot, title, store::pictureFromRgb(formats::toRgb(picture)));
    library.store();
}

void forgetLogoChecks() { cache().clear(); }

} // namespace core
