#include "LogoPicture.h"

#include "files/FileOps.h"
#include "files/ReadLimits.h"
#include "formats/Wad3.h"
#include "logo/GameLook.h"

namespace core {

QImage logoPicture(const QString& wadPath)
{
    const std::vector<std::uint8_t> wad = files::readAll(wadPath.toStdString(), files::kMaxWadBytes);
    const formats::WadPicture picture = formats::readWadPicture(wad.data(), wad.size());
    const logo::Rgba look = logo::gameLook(picture);
    return QImage(look.bytes.data(), look.width, look.height, look.width * 4, QImage::Format_RGBA8888).copy();
}

} // namespace core
