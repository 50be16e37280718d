#include "logo/WebpReader.h"

#include "logo/SprayMaker.h"

#include <webp/decode.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace logo {
namespace {

[[noreturn]] void fail(const std::string& why) { throw LogoError("cannot read the picture: " + why); }

} // namespace

bool looksLikeWebp(const std::uint8_t* head, std::size_t size)
{
    return size >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WEBP", 4) == 0;
}

bool readWebp(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
              const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits, const LeastSize& least)
{
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        fail("libwebp does not match its header");
    if (WebPGetFeatures(data, size, &config.input) != VP8_STATUS_OK)
        fail("the WebP file is damaged");
    if (config.input.has_animation)
        return false;
    const int width = config.input.width, height = config.input.height;
    const std::string problem = pictureSizeProblem(width, height, limits);
    if (!problem.empty())
        fail(problem);
    if (width <= 0 || height <= 0)
        fail("the picture is empty");
    Size out{width, height};
    if (least) {
        const Size wanted = least(out);
        // Scaled by the same factor both ways, to no less than asked.
        if (!wanted.empty() && wanted.width < width && wanted.height < height) {
            const double factor = std::max(double(wanted.width) / width, double(wanted.height) / height);
            out = {std::min(width, int(width * factor + 0.999)), std::min(height, int(height * factor + 0.999))};
            config.options.use_scaling = 1;
            config.options.scaled_width = out.width;
            config.options.scaled_height = out.height;
        }
    }
    config.output.colorspace = MODE_RGBA;
    if (WebPDecode(data, size, &config) != VP8_STATUS_OK) {
        WebPFreeDecBuffer(&config.output);
        fail("the WebP file is damaged");
    }
    try {
        start(out, config.input.has_alpha != 0);
        const WebPRGBABuffer& pixels = config.output.u.RGBA;
        for (int y = 0; y < out.height; ++y)
            row(pixels.rgba + std::size_t(y) * pixels.stride);
    } catch (...) {
        WebPFreeDecBuffer(&config.output);
        throw;
    }
    WebPFreeDecBuffer(&config.output);
    return true;
}

} // namespace logo
