#include "formats/SprayCheck.h"

#include "formats/Bytes.h"
#include "formats/Wad3.h"

#include <cstring>

namespace formats {
namespace {

using bytes::fits;

constexpr std::size_t kHeaderSize = 12;
constexpr std::size_t kEntrySize = 32;
constexpr std::size_t kMipHeaderSize = 40;

bool sideOk(std::uint32_t side) { return side >= 1 && side <= std::uint32_t(kSprayMaxSide); }

// The checks of the one lump, once the file around it holds together.
void checkLump(const std::uint8_t* lump, std::uint64_t size, SprayReport& report)
{
    if (size < kMipHeaderSize) {
        report.problems.push_back("damaged picture: too short for its header");
        return;
    }
    const std::uint32_t width = bytes::u32(lump + 16);
    const std::uint32_t height = bytes::u32(lump + 20);
    if (!sideOk(width) || !sideOk(height) || width % kSprayStep != 0 || height % kSprayStep != 0)
        report.problems.push_back(sizeText(width, height) + ": at most " + std::to_string(kSprayMaxSide)
                                  + " on a side, multiples of " + std::to_string(kSprayStep));
    if (!sideOk(width) || !sideOk(height))
        return;

    // Each level starts where the one before ends.
    std::uint64_t at = bytes::u32(lump + 24);
    bool follow = at >= kMipHeaderSize;
    for (int k = 0; k < 4 && follow; ++k) {
        if (bytes::u32(lump + 24 + 4 * k) != at)
            follow = false;
        at += (std::uint64_t{width} * height) >> (2 * k);
    }
    if (!follow || !fits(at, 2, size)) {
        report.problems.push_back("damaged picture: its four sizes do not follow each other");
        return;
    }
    const unsigned colours = bytes::u16(lump + at);
    if (colours > 256)
        report.problems.push_back(std::to_string(colours) + " colours: the game takes at most 256");
    else if (colours == 0)
        report.problems.push_back("damaged picture: it has no colours");
    else if (!fits(at + 2, 3u * colours, size))
        report.problems.push_back("damaged picture: its colours lie past its end");
    else {
        std::array<std::uint8_t, 768> palette{};
        std::memcpy(palette.data(), lump + at + 2, 3u * colours);
        report.kind = sprayKind(palette);
    }
    report.hasPicture = true;
    report.width = int(width);
    report.height = int(height);
}

} // namespace

SprayKind sprayKind(const std::array<std::uint8_t, 768>& palette)
{
    const std::uint8_t* last = &palette[3 * kSeeThroughIndex];
    return last[0] == 0 && last[1] == 0 && last[2] == 255 ? SprayKind::Colour : SprayKind::Decal;
}

std::string fileSizeText(std::uint64_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    return std::to_string((bytes + 1023) / 1024) + " KB";
}

std::string sizeText(long long width, long long height)
{
    return std::to_string(width) + "\u00d7" + std::to_string(height);
}

std::string fileSizeProblem(std::uint64_t bytes)
{
    if (bytes > kSprayMaxFileBytes)
        return fileSizeText(bytes) + ": the game uses sprays of at most " + fileSizeText(kSprayMaxFileBytes);
    if (bytes < kSprayMinFileBytes)
        return fileSizeText(bytes) + ": the game uses sprays of at least " + fileSizeText(kSprayMinFileBytes);
    return {};
}

bool SprayReport::everyServer() const
{
    return gameReady() && width <= kServerSafeSide && height <= kServerSafeSide;
}

std::string SprayReport::description() const
{
    if (!hasPicture)
        return fileSizeText(fileBytes);
    return std::string(kind == SprayKind::Colour ? "colour spray" : "single-colour decal") + ", "
        + sizeText(width, height) + ", " + fileSizeText(fileBytes);
}

SprayReport checkSpray(const std::uint8_t* data, std::size_t size)
{
    SprayReport report;
    report.fileBytes = size;
    std::vector<std::string>& problems = report.problems;
    if (size < kHeaderSize || std::memcmp(data, "WAD3", 4) != 0) {
        const bool wad2 = size >= 4 && std::memcmp(data, "WAD2", 4) == 0;
        problems.push_back(std::string(wad2 ? "a WAD2 file" : "not a WAD file") + ": the game takes only WAD3 sprays");
        return report;
    }
    const std::string sizeProblem = fileSizeProblem(size);
    if (!sizeProblem.empty())
        problems.push_back(sizeProblem);

    const std::int32_t count = bytes::i32(data + 4);
    const std::int32_t tableAt = bytes::i32(data + 8);
    if (count != 1) {
        if (count < 0)
            problems.push_back("damaged file: its list of pictures is unreadable");
        else
            problems.push_back((count == 0 ? std::string("no picture") : std::to_string(count) + " pictures")
                               + ": the game takes a file with exactly one");
        return report;
    }
    if (tableAt < 0 || !fits(std::uint64_t(tableAt), kEntrySize, size)) {
        problems.push_back("damaged file: its list of pictures lies past its end");
        return report;
    }
    if (std::uint64_t(tableAt) + kEntrySize != size)
        problems.push_back("damaged file: its list of pictures is not at its end");

    const std::uint8_t* entry = data + tableAt;
    const std::int64_t offset = bytes::i32(entry);
    const std::int64_t diskSize = bytes::i32(entry + 4);
    const std::int64_t lumpSize = bytes::i32(entry + 8);
    const int type = entry[12];
    if (entry[13] != 0 || diskSize != lumpSize)
        problems.push_back("compressed picture: the game takes only uncompressed ones");
    if (offset < 0 || diskSize < 0 || !fits(std::uint64_t(offset), std::uint64_t(diskSize), size)) {
        problems.push_back("damaged file: its picture lies past its end");
        return report;
    }
    if (std::uint64_t(offset) < kHeaderSize || std::uint64_t(offset + diskSize) > std::uint64_t(tableAt))
        problems.push_back("damaged file: its picture overlaps the file's header or list");
    if (type != kWadDecal && type != kWadMipTexture) {
        problems.push_back(std::string(type == kWadPicture ? "plain picture" : "not a picture")
                           + ": the game takes only spray pictures");
        return report;
    }
    checkLump(data + offset, std::uint64_t(diskSize), report);
    return report;
}

} // namespace formats
