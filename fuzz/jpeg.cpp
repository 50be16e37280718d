// The import's load of the converted picture.
#include "formats/Jpeg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        formats::decodeJpeg(data, size);
    } catch (const formats::FormatError&) {
    }
    return 0;
}
