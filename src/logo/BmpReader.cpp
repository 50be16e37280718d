#include "logo/BmpReader.h"

#include "formats/Bmp.h"
#include "formats/Bytes.h"
#include "logo/SprayMaker.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace logo {
namespace {

[[noreturn]] void fail(const std::string& why) { throw LogoError("cannot read the picture: " + why); }

constexpr std::size_t kHeaderBytes = 14 + 40;

} // namespace

bool looksLikeBmp(const std::uint8_t* head, std::size_t size) { return size >= 2 && head[0] == 'B' && head[1] == 'M'; }

bool readBmp(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
             const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits)
{
    if (size < kHeaderBytes || !looksLikeBmp(data, size))
        fail("the BMP file is damaged");
    const std::uint8_t* info = data + 14;
    const int bits = formats::bytes::u16(info + 14);
    if (formats::bytes::u32(info + 16) != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return false;
    const long long width = formats::bytes::i32(info + 4);
    const long long height = std::llabs(formats::bytes::i32(info + 8));
    const std::string problem = pictureSizeProblem(width, height, limits);
    if (!problem.empty())
        fail(problem);
    formats::RgbImage picture;
    try {
        picture = formats::decodeBmp(data, size);
    } catch (const formats::FormatError& e) {
        fail(e.what());
    }
    start({picture.width, picture.height}, false);
    std::vector<std::uint8_t> line(std::size_t(picture.width) * 4, 255);
    const std::uint8_t* rgb = picture.rgb.data();
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x, rgb += 3) {
            line[std::size_t(x) * 4] = rgb[0];
            line[std::size_t(x) * 4 + 1] = rgb[1];
            line[std::size_t(x) * 4 + 2] = rgb[2];
        }
        row(line.data());
    }
    return true;
}

} // namespace logo
