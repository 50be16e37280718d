// Slot pictures read back from the tables; a decoded picture must survive
// being stored again.
#include "formats/Bmp.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const formats::RgbImage image = formats::decodeBmp(data, size);
        const auto bmp = formats::encodeBmp24(image);
        if (formats::decodeBmp(bmp.data(), bmp.size()).rgb != image.rgb)
            std::abort();
    } catch (const formats::FormatError&) {
    }
    return 0;
}
