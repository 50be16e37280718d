#include "formats/Wad3.h"

#include "formats/Bytes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace formats {
namespace {

using bytes::fits;

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kEntrySize = 32;
constexpr std::size_t kNameSize = 16;
constexpr std::size_t kMipHeaderSize = kNameSize + 2 * 4 + 4 * 4;

using Entry = WadLump;

Entry readEntry(const std::uint8_t* p, int index)
{
    Entry e;
    e.index = index;
    e.offset = bytes::i32(p);
    e.diskSize = bytes::i32(p + 4);
    e.size = bytes::i32(p + 8);
    e.type = p[12];
    e.compression = p[13];
    const char* name = reinterpret_cast<const char*>(p + 16);
    e.name.assign(name, strnlen(name, kNameSize));
    return e;
}

bool isLogoName(const std::string& name)
{
    static const char logo[] = "{LOGO";
    if (name.size() != sizeof logo - 1)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != logo[i])
            return false;
    return true;
}

// Lump names come from the file: anything unprintable is shown as '?', so
// that a message stays one line.
[[noreturn]] void fail(const Entry& e, const std::string& what)
{
    std::string name = e.name;
    for (char& c : name)
        if (!std::isprint(static_cast<unsigned char>(c)))
            c = '?';
    throw FormatError("lump \"" + name + "\": " + what);
}

// Checks the stated size against the limit and against the bytes at hand.
void checkDimensions(const Entry& e, std::int64_t width, std::int64_t height,
                     std::uint64_t pixelsAt, std::uint64_t lumpSize)
{
    if (width <= 0 || height <= 0)
        fail(e, "bad picture size " + std::to_string(width) + " x " + std::to_string(height));
    if (width > kMaxSide || height > kMaxSide)
        fail(e, "picture too large (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    if (!fits(pixelsAt, static_cast<std::uint64_t>(width * height), lumpSize))
        fail(e, "picture data lies past the end of the lump");
}

void readPalette(const Entry& e, const std::uint8_t* lump, std::uint64_t lumpSize,
                 std::uint64_t at, WadPicture& picture)
{
    if (!fits(at, 2, lumpSize))
        fail(e, "palette lies past the end of the lump");
    const int count = bytes::i16(lump + at);
    if (count < 1 || count > 256)
        fail(e, "bad colour count " + std::to_string(count));
    if (!fits(at + 2, 3u * count, lumpSize))
        fail(e, "palette cut short");
    std::memcpy(picture.palette.data(), lump + at + 2, 3u * count);
}

void copyIndices(const std::uint8_t* from, WadPicture& picture)
{
    picture.indices.assign(from, from + static_cast<std::size_t>(picture.width) * picture.height);
}

void readMipTexture(const Entry& e, const std::uint8_t* lump, std::uint64_t size, WadPicture& picture)
{
    if (size < kMipHeaderSize)
        fail(e, "too short for a picture header");
    const std::uint32_t width = bytes::u32(lump + 16);
    const std::uint32_t height = bytes::u32(lump + 20);
    const std::uint32_t fullLevelAt = bytes::u32(lump + 24);
    const std::uint32_t smallestLevelAt = bytes::u32(lump + 36);
    checkDimensions(e, width, height, fullLevelAt, size);
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    readPalette(e, lump, size, std::uint64_t{smallestLevelAt} + (width / 8) * (height / 8), picture);
    copyIndices(lump + fullLevelAt, picture);
    for (int k = 1; k < 4; ++k) {
        const std::uint64_t at = bytes::u32(lump + 24 + 4 * k);
        const std::uint64_t length = std::uint64_t{width >> k} * (height >> k);
        if (length == 0 || !fits(at, length, size)) {
            for (auto& level : picture.smallerLevels)
                level.clear();
            break;
        }
        picture.smallerLevels[k - 1].assign(lump + at, lump + at + length);
    }
}

void readPlainPicture(const Entry& e, const std::uint8_t* lump, std::uint64_t size, WadPicture& picture)
{
    if (size < 8)
        fail(e, "too short for a picture header");
    const std::int32_t width = bytes::i32(lump);
    const std::int32_t height = bytes::i32(lump + 4);
    checkDimensions(e, width, height, 8, size);
    picture.width = width;
    picture.height = height;
    readPalette(e, lump, size, 8 + std::uint64_t(width) * height, picture);
    copyIndices(lump + 8, picture);
}

} // namespace

std::vector<WadLump> readWadLumps(const std::uint8_t* data, std::size_t size)
{
    if (size < kHeaderSize)
        throw FormatError("too short for a WAD file");
    if (std::memcmp(data, "WAD3", 4) != 0 && std::memcmp(data, "WAD2", 4) != 0)
        throw FormatError("not a WAD3 file");
    const std::int32_t count = bytes::i32(data + 4);
    const std::int32_t tableAt = bytes::i32(data + 8);
    if (count < 0)
        throw FormatError("bad lump count " + std::to_string(count));
    if (tableAt < 0 || !fits(static_cast<std::uint64_t>(tableAt), std::uint64_t{kEntrySize} * count, size))
        throw FormatError("lump table lies past the end of the file");
    std::vector<WadLump> lumps;
    lumps.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        lumps.push_back(readEntry(data + tableAt + kEntrySize * i, i));
    return lumps;
}

bool isPictureLump(const WadLump& lump)
{
    return lump.type == kWadDecal || lump.type == kWadPicture || lump.type == kWadMipTexture;
}

std::vector<WadLump> listWadPictures(const std::uint8_t* data, std::size_t size)
{
    std::vector<WadLump> pictures = readWadLumps(data, size);
    pictures.erase(std::remove_if(pictures.begin(), pictures.end(), [](const WadLump& l) { return !isPictureLump(l); }),
                   pictures.end());
    return pictures;
}

WadPicture readWadPicture(const std::uint8_t* data, std::size_t size, const WadLump& chosen)
{
    if (!isPictureLump(chosen))
        fail(chosen, "holds no picture");
    if (chosen.compression != 0)
        fail(chosen, "compressed lumps are not supported");
    if (chosen.offset < 0 || chosen.diskSize < 0
        || !fits(static_cast<std::uint64_t>(chosen.offset), static_cast<std::uint64_t>(chosen.diskSize), size))
        fail(chosen, "lies past the end of the file");

    WadPicture picture;
    picture.lumpName = chosen.name;
    picture.type = chosen.type;
    const std::uint8_t* lump = data + chosen.offset;
    if (chosen.type == kWadPicture)
        readPlainPicture(chosen, lump, static_cast<std::uint64_t>(chosen.diskSize), picture);
    else
        readMipTexture(chosen, lump, static_cast<std::uint64_t>(chosen.diskSize), picture);
    return picture;
}

WadPicture readWadPicture(const std::uint8_t* data, std::size_t size)
{
    const std::vector<WadLump> pictures = listWadPictures(data, size);
    if (pictures.empty())
        throw FormatError("no picture lump");
    const auto logo = std::find_if(pictures.begin(), pictures.end(), [](const WadLump& l) { return isLogoName(l.name); });
    return readWadPicture(data, size, logo != pictures.end() ? *logo : pictures.front());
}

RgbImage toRgb(const WadPicture& picture)
{
    RgbImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.rgb.resize(picture.indices.size() * 3);
    std::uint8_t* out = image.rgb.data();
    for (std::uint8_t index : picture.indices) {
        std::memcpy(out, &picture.palette[3u * index], 3);
        out += 3;
    }
    return image;
}

} // namespace formats
