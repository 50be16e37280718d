#include "logo/PictureLimits.h"

namespace logo {

std::string pictureSizeProblem(long long width, long long height, const PictureLimits& limits)
{
    if (width <= limits.maxSide && height <= limits.maxSide && width * height <= limits.maxPixels)
        return {};
    return "the picture is too large (" + std::to_string(width) + "x" + std::to_string(height) + "): at most "
        + std::to_string(limits.maxSide) + " pixels on a side and " + std::to_string(limits.maxPixels / 1000000)
        + " megapixels";
}

} // namespace logo
