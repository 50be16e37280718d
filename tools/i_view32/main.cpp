// i_view32 PCXPATH /convert=JPGPATH: converts an 8-bit or 24-bit PCX file
// into a baseline JPEG file of quality 95 with full-resolution colour.
#include "files/FileOps.h"
#include "formats/Jpeg.h"
#include "formats/Pcx.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

constexpr char kConvertOption[] = "/convert=";
constexpr std::size_t kConvertOptionLength = sizeof kConvertOption - 1;
constexpr int kQuality = 95;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || std::strncmp(argv[2], kConvertOption, kConvertOptionLength) != 0
        || argv[2][kConvertOptionLength] == '\0') {
        std::fprintf(stderr, "usage: i_view32 PCXPATH /convert=JPGPATH\n");
        return 2;
    }
    const std::string pcxPath = argv[1];
    const std::string jpgPath = argv[2] + kConvertOptionLength;
    try {
        const std::vector<std::uint8_t> pcx = files::readAll(pcxPath, files::kMaxPictureFileBytes);
        const formats::RgbImage image = formats::readPcx(pcx.data(), pcx.size());
        // A working file that the import reads and deletes at once: it needs
        // to be whole when it appears, not to survive a power cut.
        files::writeAtomically(jpgPath, formats::encodeJpeg(image, kQuality),
                               files::Durability::Flushed);
        return 0;
    } catch (const files::FileError& e) {
        std::fprintf(stderr, "i_view32: %s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "i_view32: %s: %s\n", pcxPath.c_str(), e.what());
    }
    return 1;
}
