// The extractor's path: a WAD file read, its picture written as PCX, which
// must read back as the same pixels. The spray check runs on the same
// bytes: what it calls game-ready must be readable, at the size it names.
#include "formats/Pcx.h"
#include "formats/SprayCheck.h"
#include "formats/Wad3.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const formats::SprayReport report = formats::checkSpray(data, size);
    if (report.gameReady()) {
        try {
            const formats::WadPicture picture = formats::readWadPicture(data, size);
            if (picture.width != report.width || picture.height != report.height)
                std::abort();
        } catch (const formats::FormatError&) {
            std::abort();
        }
    }
    try {
        const formats::WadPicture picture = formats::readWadPicture(data, size);
        const auto pcx = formats::writePcx8(picture.width, picture.height, picture.indices, picture.palette);
        if (formats::readPcx(pcx.data(), pcx.size()).rgb != formats::toRgb(picture).rgb)
            std::abort();
    } catch (const formats::FormatError&) {
    }
    return 0;
}
