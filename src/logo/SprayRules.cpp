#include "logo/SprayRules.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace logo {
namespace {

// How far an aspect may stray from the picture's and still count as close
// (as a factor: 6 %). Pad or crop take up the rest.
constexpr double kAspectTolerance = 0.06;

double aspectError(Size size, double aspect)
{
    return std::abs(std::log(double(size.width) / size.height / aspect));
}

std::string dimensions(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

} // namespace

std::string sizeProblem(Size size, int maxArea, int maxSide)
{
    const int w = size.width;
    const int h = size.height;
    if (w <= 0 || h <= 0 || w % kStep != 0 || h % kStep != 0)
        return dimensions(w, h) + ": width and height must be multiples of " + std::to_string(kStep);
    if (w > maxSide || h > maxSide)
        return dimensions(w, h) + ": width and height may be at most " + std::to_string(maxSide);
    if (w * h > maxArea)
        return dimensions(w, h) + ": " + std::to_string(w * h) + " pixels, more than the limit of " + std::to_string(maxArea);
    return {};
}

std::string maxAreaProblem(int maxArea)
{
    if (maxArea < kSmallestMaxArea || maxArea > kLargestMaxArea)
        return "the largest area must lie between " + std::to_string(kSmallestMaxArea) + " and "
            + std::to_string(kLargestMaxArea) + " pixels, not " + std::to_string(maxArea);
    return {};
}

std::vector<Size> sizesNear(Size picture, int maxArea, int maxSide)
{
    const double aspect = picture.empty() ? 1.0 : double(picture.width) / picture.height;
    std::vector<Size> close;
    Size best;
    double bestError = 1e9;
    for (int w = kStep; w <= maxSide; w += kStep)
        for (int h = kStep; h <= maxSide; h += kStep) {
            const Size size{w, h};
            if (w * h > maxArea)
                continue;
            const double error = aspectError(size, aspect);
            if (error <= kAspectTolerance)
                close.push_back(size);
            if (error < bestError - 1e-12
                || (error < bestError + 1e-12 && w * h > best.area())) {
                bestError = error;
                best = size;
            }
        }
    if (close.empty())
        return {best};
    std::stable_sort(close.begin(), close.end(), [aspect](Size a, Size b) {
        const int areaA = a.area();
        const int areaB = b.area();
        if (areaA != areaB)
            return areaA > areaB;
        return aspectError(a, aspect) < aspectError(b, aspect);
    });
    return close;
}

Size chooseSize(Size picture, int maxArea, int maxSide)
{
    return sizesNear(picture, maxArea, maxSide).front();
}

} // namespace logo
