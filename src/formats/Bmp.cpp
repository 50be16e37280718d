#include "formats/Bmp.h"

#include "formats/Bytes.h"

#include <stdexcept>
#include <string>

namespace formats {
namespace {

using bytes::fits;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dpi

std::size_t rowBytes(std::uint64_t width, int bits)
{
    return static_cast<std::size_t>((width * bits + 31) / 32 * 4);
}

} // namespace

std::vector<std::uint8_t> encodeBmp24(const RgbImage& image)
{
    if (image.width <= 0 || image.height <= 0
        || image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        throw std::invalid_argument("encodeBmp24: bad picture size");
    const std::size_t stride = rowBytes(image.width, 24);
    const std::size_t pixelBytes = stride * image.height;
    const std::size_t headers = kFileHeaderSize + kInfoHeaderSize;

    std::vector<std::uint8_t> out{'B', 'M'};
    out.reserve(headers + pixelBytes);
    bytes::put32(out, static_cast<std::uint32_t>(headers + pixelBytes));
    bytes::put32(out, 0); // reserved
    bytes::put32(out, static_cast<std::uint32_t>(headers));
    bytes::put32(out, kInfoHeaderSize);
    bytes::put32(out, static_cast<std::uint32_t>(image.width));
    bytes::put32(out, static_cast<std::uint32_t>(image.height)); // positive: bottom-up
    bytes::put16(out, 1); // planes
    bytes::put16(out, 24);
    bytes::put32(out, kUncompressed);
    bytes::put32(out, static_cast<std::uint32_t>(pixelBytes));
    bytes::put32(out, kPixelsPerMetre);
    bytes::put32(out, kPixelsPerMetre);
    bytes::put32(out, 0); // colours used
    bytes::put32(out, 0); // important colours

    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* p = image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3;
        for (int x = 0; x < image.width; ++x, p += 3) {
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        out.resize(out.size() + stride - static_cast<std::size_t>(image.width) * 3, 0);
    }
    return out;
}

RgbImage decodeBmp(const std::uint8_t* data, std::size_t size)
{
    if (size < kFileHeaderSize + kInfoHeaderSize)
        throw FormatError("too short for a BMP file");
    if (data[0] != 'B' || data[1] != 'M')
        throw FormatError("not a BMP file");
    const std::uint32_t pixelsAt = bytes::u32(data + 10);
    const std::uint8_t* info = data + kFileHeaderSize;
    const std::uint32_t infoSize = bytes::u32(info);
    const std::int64_t width = bytes::i32(info + 4);
    const std::int64_t signedHeight = bytes::i32(info + 8);
    const int planes = bytes::u16(info + 12);
    const int bits = bytes::u16(info + 14);
    const std::uint32_t compression = bytes::u32(info + 16);
    const std::uint32_t coloursUsed = bytes::u32(info + 32);

    if (infoSize < kInfoHeaderSize || !fits(kFileHeaderSize, infoSize, size))
        throw FormatError("unsupported BMP header");
    if (planes != 1)
        throw FormatError("bad plane count " + std::to_string(planes));
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        throw FormatError("unsupported BMP depth of " + std::to_string(bits) + " bits");
    if (compression != kUncompressed)
        throw FormatError("compressed BMP files are not supported");
    const bool topDown = signedHeight < 0;
    const std::int64_t height = topDown ? -signedHeight : signedHeight;
    if (width <= 0 || height <= 0)
        throw FormatError("bad picture size " + std::to_string(width) + " x " + std::to_string(signedHeight));
    if (width > kMaxSide || height > kMaxSide)
        throw FormatError("picture too large (" + std::to_string(width) + " x " + std::to_string(height) + ")");

    const std::uint8_t* palette = data + kFileHeaderSize + infoSize;
    std::uint32_t colours = 0;
    if (bits <= 8) {
        colours = coloursUsed ? coloursUsed : 1u << bits;
        if (colours > 1u << bits)
            throw FormatError("bad colour count " + std::to_string(coloursUsed));
    }
    const std::uint64_t paletteEnd = kFileHeaderSize + std::uint64_t{infoSize} + 4u * colours;
    if (pixelsAt < paletteEnd)
        throw FormatError("pixel data overlaps the headers");
    const std::size_t stride = rowBytes(static_cast<std::uint64_t>(width), bits);
    if (!fits(pixelsAt, std::uint64_t{stride} * height, size))
        throw FormatError("pixel data cut short");

    RgbImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    std::uint8_t* out = image.rgb.data();
    for (int y = 0; y < image.height; ++y) {
        const std::size_t row = topDown ? y : image.height - 1 - y;
        const std::uint8_t* p = data + pixelsAt + row * stride;
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* bgr;
            if (bits <= 8) {
                const int perByte = 8 / bits;
                const unsigned shift = static_cast<unsigned>(8 - bits - (x % perByte) * bits);
                const std::uint32_t index = (p[x / perByte] >> shift) & ((1u << bits) - 1);
                if (index >= colours)
                    throw FormatError("colour index past the palette");
                bgr = palette + 4 * index;
            } else {
                bgr = p + static_cast<std::size_t>(x) * (bits / 8);
            }
            *out++ = bgr[2];
            *out++ = bgr[1];
            *out++ = bgr[0];
        }
    }
    return image;
}

} // namespace formats
