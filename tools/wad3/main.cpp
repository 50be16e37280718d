// wad3 WADPATH: writes the picture of a spray logo WAD file as an 8-bit PCX
// file into the working directory, named after the WAD file ("/dir/name.wad"
// gives "name.pcx").
#include "files/FileOps.h"
#include "formats/Pcx.h"
#include "formats/Wad3.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

// The file name without its directory and its last extension, plus ".pcx".
std::string pcxNameFor(const std::string& wadPath)
{
    const std::string name = wadPath.substr(wadPath.find_last_of('/') + 1);
    return name.substr(0, name.find_last_of('.')) + ".pcx";
}

// A spray larger than this on a side is no logo: its picture would bloat
// every page that shows it.
constexpr int kMaxSide = 1024;

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: wad3 WADPATH\n");
        return 2;
    }
    const std::string wadPath = argv[1];
    try {
        const std::vector<std::uint8_t> wad = files::readAll(wadPath, files::kMaxWadBytes);
        const formats::WadPicture picture = formats::readWadPicture(wad.data(), wad.size());
        if (picture.width > kMaxSide || picture.height > kMaxSide) {
            std::fprintf(stderr, "wad3: %s: the picture is %dx%d, larger than %d on a side\n", wadPath.c_str(),
                         static_cast<int>(picture.width), static_cast<int>(picture.height), kMaxSide);
            return 1;
        }
        // A working file that the import reads and deletes at once: it needs
        // to be whole when it appears, not to survive a power cut.
        files::writeAtomically(pcxNameFor(wadPath),
                               formats::writePcx8(picture.width, picture.height, picture.indices, picture.palette),
                               files::Durability::Flushed);
        return 0;
    } catch (const files::FileError& e) {
        std::fprintf(stderr, "wad3: %s\n", e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wad3: %s: %s\n", wadPath.c_str(), e.what());
    }
    return 1;
}
