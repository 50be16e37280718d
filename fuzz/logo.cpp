// Pictures from outside on their way to a logo: any bytes Qt's image
// readers take, made into a spray, written as a WAD and read back.
#include "formats/Wad3.h"
#include "formats/Wad3Writer.h"
#include "logo/LogoMaker.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QImage picture;
    try {
        picture = logo::readPicture(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)));
    } catch (const logo::LogoError&) {
        return 0;
    }
    if (picture.width() > 1024 || picture.height() > 1024)
        return 0; // large pictures only slow the search down
    try {
        logo::LogoOptions options;
        options.dither = size % 2 == 1;
        const formats::SprayLevels spray = logo::makeSpray(picture, options);
        const std::vector<std::uint8_t> wad = formats::writeSprayWad(spray);
        const formats::WadPicture back = formats::readWadPicture(wad.data(), wad.size());
        if (back.width != spray.width || back.height != spray.height || back.indices != spray.levels[0])
            std::abort();
    } catch (const logo::LogoError&) {
    }
    return 0;
}
