#include "logo/GifReader.h"

#include "logo/SprayMaker.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace logo {
namespace {

[[noreturn]] void fail(const std::string& why) { throw LogoError("cannot read the picture: " + why); }

struct Source {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

int readBytes(GifFileType* gif, GifByteType* into, int wanted)
{
    auto* source = static_cast<Source*>(gif->UserData);
    const std::size_t n = std::min<std::size_t>(std::size_t(wanted), source->size - source->at);
    std::memcpy(into, source->data + source->at, n);
    source->at += n;
    return int(n);
}

struct Closer {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

} // namespace

bool looksLikeGif(const std::uint8_t* head, std::size_t size)
{
    return size >= 6 && (std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0);
}

void readGif(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
             const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits)
{
    Source source{data, size};
    int error = 0;
    std::unique_ptr<GifFileType, Closer> gif(DGifOpen(&source, readBytes, &error));
    if (!gif)
        fail(GifErrorString(error) ? GifErrorString(error) : "no GIF picture");
    const int width = gif->SWidth, height = gif->SHeight;
    const std::string problem = pictureSizeProblem(width, height, limits);
    if (!problem.empty())
        fail(problem);
    if (width <= 0 || height <= 0)
        fail("the picture is empty");
    const auto broken = [&] { fail(GifErrorString(gif->Error) ? GifErrorString(gif->Error) : "the GIF file is damaged"); };

    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            broken();
        if (record == TERMINATE_RECORD_TYPE)
            fail("the GIF file holds no picture");
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                broken();
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
                GraphicsControlBlock control;
                if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                    transparent = control.TransparentColor;
            }
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                    broken();
            }
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
            broken();
        const GifImageDesc& frame = gif->Image;
        const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
        if (!colours)
            fail("the GIF file has no colours");
        if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0)
            fail("the GIF frame has a bad size");
        const std::string frameProblem = pictureSizeProblem(frame.Width, frame.Height, limits);
        if (!frameProblem.empty())
            fail(frameProblem);
        // The frame's indices, then the canvas: outside the frame nothing shows.
        std::vector<GifPixelType> indices(std::size_t(frame.Width) * frame.Height);
        const auto readLine = [&](int y) {
            if (DGifGetLine(gif.get(), &indices[std::size_t(y) * frame.Width], frame.Width) == GIF_ERROR)
                broken();
        };
        if (frame.Interlace) {
            for (const auto& [first, step] : {std::pair{0, 8}, std::pair{4, 8}, std::pair{2, 4}, std::pair{1, 2}})
                for (int y = first; y < frame.Height; y += step)
                    readLine(y);
        } else {
            for (int y = 0; y < frame.Height; ++y)
                readLine(y);
        }
        const bool covers = frame.Left == 0 && frame.Top == 0 && frame.Width >= width && frame.Height >= height;
        start({width, height}, transparent != NO_TRANSPARENT_COLOR || !covers);
        std::vector<std::uint8_t> line(std::size_t(width) * 4);
        for (int y = 0; y < height; ++y) {
            std::fill(line.begin(), line.end(), 0);
            const int fy = y - frame.Top;
            if (fy >= 0 && fy < frame.Height) {
                for (int x = std::max(0, frame.Left); x < std::min(width, frame.Left + frame.Width); ++x) {
                    const int index = indices[std::size_t(fy) * frame.Width + (x - frame.Left)];
                    if (index == transparent || index >= colours->ColorCount)
                        continue;
                    const GifColorType& c = colours->Colors[index];
                    std::uint8_t* p = &line[std::size_t(x) * 4];
                    p[0] = c.Red;
                    p[1] = c.Green;
                    p[2] = c.Blue;
                    p[3] = 255;
                }
            }
            row(line.data());
        }
        return;
    }
}

} // namespace logo
