// Steam's library files, read by the game finder.
#include "formats/Image.h"
#include "formats/Vdf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        formats::readVdf(data, size);
    } catch (const formats::FormatError&) {
    }
    return 0;
}
