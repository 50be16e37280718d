// The extractor's path: a WAD file read, its picture written as PCX, which
// must read back as the same pixels.
#include "formats/Pcx.h"
#include "formats/Wad3.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const formats::WadPicture picture = formats::readWadPicture(data, size);
        const auto pcx = formats::writePcx8(picture.width, picture.height, picture.indices, picture.palette);
        if (formats::readPcx(pcx.data(), pcx.size()).rgb != formats::toRgb(picture).rgb)
            std::abort();
    } catch (const formats::FormatError&) {
    }
    return 0;
}
