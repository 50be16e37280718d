#include "logo/JpegReader.h"

#include "files/FileOps.h"
#include "formats/Jpeg.h"
#include "logo/SprayMaker.h"

#include <cstring>
#include <vector>

namespace logo {
namespace {

[[noreturn]] void fail(const std::string& why) { throw LogoError("cannot read the picture: " + why); }

// RGB to RGBA, opaque.
void widen(const std::uint8_t* rgb, std::uint8_t* rgba, int width)
{
    for (int x = 0; x < width; ++x, rgb += 3, rgba += 4) {
        rgba[0] = rgb[0];
        rgba[1] = rgb[1];
        rgba[2] = rgb[2];
        rgba[3] = 255;
    }
}

} // namespace

bool looksLikeJpeg(const std::uint8_t* head, std::size_t size)
{
    return size >= 2 && head[0] == 0xff && head[1] == 0xd8;
}

void readJpeg(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
              const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits, const LeastSize& least)
{
    try {
        formats::JpegDecoder::Options options;
        options.strict = false; // a photograph cut short still shows, as in other viewers
        options.maxMemory = limits.maxBytes() * 2;
        formats::JpegDecoder decoder(data, size, options);
        const std::string problem = pictureSizeProblem(decoder.width(), decoder.height(), limits);
        if (!problem.empty())
            fail(problem);
        if (decoder.width() == 0 || decoder.height() == 0)
            fail("the picture is empty");
        const int orientation = decoder.orientation();
        const bool sideways = orientation >= 5;
        if (least) {
            const Size full = sideways ? Size{decoder.height(), decoder.width()} : Size{decoder.width(), decoder.height()};
            const Size wanted = least(full);
            if (!wanted.empty())
                decoder.scaleToAtLeast(sideways ? wanted.height : wanted.width, sideways ? wanted.width : wanted.height);
        }
        const int w = decoder.outputWidth(), h = decoder.outputHeight();
        std::vector<std::uint8_t> rgb(std::size_t(w) * 3);
        if (orientation == 1) {
            start({w, h}, false);
            std::vector<std::uint8_t> line(std::size_t(w) * 4);
            for (int y = 0; y < h; ++y) {
                decoder.readRow(rgb.data());
                widen(rgb.data(), line.data(), w);
                row(line.data());
            }
            return;
        }
        // Turned or mirrored: the whole picture first.
        std::vector<std::uint8_t> whole(std::size_t(w) * h * 4);
        for (int y = 0; y < h; ++y) {
            decoder.readRow(rgb.data());
            widen(rgb.data(), whole.data() + std::size_t(y) * w * 4, w);
        }
        const int ow = sideways ? h : w, oh = sideways ? w : h;
        start({ow, oh}, false);
        std::vector<std::uint8_t> line(std::size_t(ow) * 4);
        for (int y = 0; y < oh; ++y) {
            for (int x = 0; x < ow; ++x) {
                int sx = x, sy = y;
                switch (orientation) {
                case 2: sx = w - 1 - x; break;
                case 3: sx = w - 1 - x; sy = h - 1 - y; break;
                case 4: sy = h - 1 - y; break;
                case 5: sx = y; sy = x; break;
                case 6: sx = y; sy = h - 1 - x; break;
                case 7: sx = w - 1 - y; sy = h - 1 - x; break;
                case 8: sx = w - 1 - y; sy = x; break;
                default: break;
                }
                std::memcpy(&line[std::size_t(x) * 4], &whole[(std::size_t(sy) * w + sx) * 4], 4);
            }
            row(line.data());
        }
    } catch (const formats::FormatError& e) {
        fail(e.what());
    }
}

void readJpeg(const std::string& path, const std::function<void(Size, bool)>& start,
              const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits, const LeastSize& least)
{
    std::vector<std::uint8_t> data;
    try {
        data = files::readAll(path, files::kMaxPictureFileBytes);
    } catch (const files::FileError& e) {
        throw LogoError(e.what());
    }
    readJpeg(data.data(), data.size(), start, row, limits, least);
}

} // namespace logo
