#include "formats/Pcx.h"

#include "formats/Bytes.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace formats {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint8_t kManufacturer = 0x0A;
constexpr std::uint8_t kPaletteMarker = 0x0C;
constexpr std::size_t kPaletteTrailer = 1 + 768;
constexpr unsigned kMaxRun = 63;

void encodeLine(const std::uint8_t* line, std::size_t length, std::vector<std::uint8_t>& out)
{
    std::size_t i = 0;
    while (i < length) {
        const std::uint8_t value = line[i];
        std::size_t run = 1;
        while (i + run < length && run < kMaxRun && line[i + run] == value)
            ++run;
        if (run > 1 || value >= 0xC0)
            out.push_back(static_cast<std::uint8_t>(0xC0 | run));
        out.push_back(value);
        i += run;
    }
}

// Unpacks the RLE stream; a run may carry over from one scan line to the next.
class RunDecoder {
public:
    RunDecoder(const std::uint8_t* data, std::size_t end) : data_(data), end_(end) {}

    void fill(std::uint8_t* out, std::size_t length)
    {
        for (std::size_t i = 0; i < length; ++i) {
            while (left_ == 0) {
                const std::uint8_t b = next();
                if (b >= 0xC0) {
                    left_ = b & 0x3F;
                    value_ = next();
                } else {
                    left_ = 1;
                    value_ = b;
                }
            }
            out[i] = value_;
            --left_;
        }
    }

private:
    std::uint8_t next()
    {
        if (pos_ >= end_)
            throw FormatError("scan lines cut short");
        return data_[pos_++];
    }

    const std::uint8_t* data_;
    std::size_t end_;
    std::size_t pos_ = kHeaderSize;
    unsigned left_ = 0;
    std::uint8_t value_ = 0;
};

} // namespace

std::vector<std::uint8_t> writePcx8(int width, int height, const std::vector<std::uint8_t>& indices,
                                    const std::array<std::uint8_t, 768>& palette)
{
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide
        || indices.size() != static_cast<std::size_t>(width) * height)
        throw std::invalid_argument("writePcx8: bad picture size");
    const int bytesPerLine = width + (width & 1); // lines hold an even number of bytes

    std::vector<std::uint8_t> out{kManufacturer, 5, 1, 8};
    bytes::put16(out, 0); // xmin
    bytes::put16(out, 0); // ymin
    bytes::put16(out, width - 1);
    bytes::put16(out, height - 1);
    bytes::put16(out, 72); // resolution
    bytes::put16(out, 72);
    out.resize(65, 0); // 16-colour palette and reserved byte
    out.push_back(1);  // planes
    bytes::put16(out, bytesPerLine);
    bytes::put16(out, 1); // palette kind: colour
    out.resize(kHeaderSize, 0);

    std::vector<std::uint8_t> line(bytesPerLine, 0);
    for (int y = 0; y < height; ++y) {
        std::copy_n(indices.begin() + static_cast<std::ptrdiff_t>(y) * width, width, line.begin());
        encodeLine(line.data(), line.size(), out);
    }
    out.push_back(kPaletteMarker);
    out.insert(out.end(), palette.begin(), palette.end());
    return out;
}

RgbImage readPcx(const std::uint8_t* data, std::size_t size)
{
    if (size < kHeaderSize)
        throw FormatError("too short for a PCX file");
    if (data[0] != kManufacturer)
        throw FormatError("not a PCX file");
    if (data[2] != 1)
        throw FormatError("unsupported PCX encoding " + std::to_string(data[2]));
    const int bits = data[3];
    const int planes = data[65];
    if (bits != 8 || (planes != 1 && planes != 3))
        throw FormatError("unsupported PCX kind: " + std::to_string(bits) + " bits per pixel, "
                          + std::to_string(planes) + " planes");
    const int xmin = bytes::u16(data + 4), ymin = bytes::u16(data + 6);
    const int xmax = bytes::u16(data + 8), ymax = bytes::u16(data + 10);
    const int bytesPerLine = bytes::u16(data + 66);
    if (xmax < xmin || ymax < ymin)
        throw FormatError("bad picture bounds");
    const int width = xmax - xmin + 1, height = ymax - ymin + 1;
    if (width > kMaxSide || height > kMaxSide)
        throw FormatError("picture too large (" + std::to_string(width) + " x " + std::to_string(height) + ")");
    if (bytesPerLine < width)
        throw FormatError("scan line shorter than the picture width");

    std::size_t end = size;
    const std::uint8_t* palette = nullptr;
    if (planes == 1) {
        if (size < kHeaderSize + kPaletteTrailer || data[size - kPaletteTrailer] != kPaletteMarker)
            throw FormatError("no 256-colour palette at the end");
        end = size - kPaletteTrailer;
        palette = data + size - 768;
    }
    // Two bytes of RLE give at most 63; refuse sizes the data cannot fill.
    const std::size_t lineBytes = static_cast<std::size_t>(bytesPerLine) * planes;
    const std::uint64_t unpacked = std::uint64_t{lineBytes} * height;
    if (unpacked > (std::uint64_t{end - kHeaderSize} / 2 + 1) * kMaxRun)
        throw FormatError("scan lines cut short");

    RgbImage image;
    image.width = width;
    image.height = height;
    image.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    std::vector<std::uint8_t> line(lineBytes);
    RunDecoder decoder(data, end);
    std::uint8_t* out = image.rgb.data();
    for (int y = 0; y < height; ++y) {
        decoder.fill(line.data(), lineBytes);
        for (int x = 0; x < width; ++x) {
            if (palette) {
                const std::uint8_t* colour = palette + 3 * line[x];
                *out++ = colour[0];
                *out++ = colour[1];
                *out++ = colour[2];
            } else {
                *out++ = line[x];
                *out++ = line[bytesPerLine + x];
                *out++ = line[2 * bytesPerLine + x];
            }
        }
    }
    return image;
}

} // namespace formats
