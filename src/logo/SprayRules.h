// The sizes the game accepts for a spray logo.
#pragma once

#include "logo/Pixels.h"

#include <string>
#include <vector>

namespace logo {

constexpr int kStep = 16;               // width and height are multiples of this
constexpr int kMaxSprayside = 256;      // neither may exceed this
constexpr int kDefaultMaxArea = 10752;  // pixels every server accepts
constexpr int kLargestMaxArea = 12288;  // the most a user may allow
constexpr int kSmallestMaxArea = kStep * kStep;

// Empty when `size` is a valid spray size under `maxArea`, else why not.
std::string sizeProblem(Size size, int maxArea);
// Empty when `maxArea` is a limit a user may choose, else why not.
std::string maxAreaProblem(int maxArea);

// The valid sizes whose aspect lies close to the picture's, largest first.
// Never empty: when none is close, the one closest in aspect.
std::vector<Size> sizesNear(Size picture, int maxArea = kDefaultMaxArea);

// The largest valid size that keeps the picture's aspect.
Size chooseSize(Size picture, int maxArea = kDefaultMaxArea);

} // namespace logo
