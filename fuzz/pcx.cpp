// The converter's path: a PCX file read and encoded as JPEG.
#include "formats/Jpeg.h"
#include "formats/Pcx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        formats::encodeJpeg(formats::readPcx(data, size), 95);
    } catch (const formats::FormatError&) {
    }
    return 0;
}
