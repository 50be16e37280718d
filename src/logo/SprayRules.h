// The sizes the game accepts for a spray logo.
#pragma once

#include "formats/SprayCheck.h"
#include "formats/Wad3Writer.h"
#include "logo/Pixels.h"

#include <string>
#include <vector>

namespace logo {

constexpr int kStep = formats::kSprayStep;            // width and height are multiples of this
constexpr int kMaxSprayside = formats::kSprayMaxSide;  // neither may exceed this
// The most pixels whose spray file the game still takes (112x128 and the
// like: 14,592 would fit the file too, but no two multiples of 16 up to
// 256 make it).
constexpr int kLargestMaxArea = 14336;
constexpr int kDefaultMaxArea = kLargestMaxArea;
constexpr int kSmallestMaxArea = kStep * kStep;
// Servers with large sprays off take nothing wider or higher than this.
constexpr int kServerSafeSide = formats::kServerSafeSide;

static_assert(formats::sprayWadBytes(kLargestMaxArea) <= formats::kSprayMaxFileBytes,
              "the largest logo must stay within the game's file size");
static_assert(formats::sprayWadBytes(kSmallestMaxArea) >= formats::kSprayMinFileBytes,
              "the smallest logo must reach the game's smallest file size");

// The longest side under the server-safe rule or without it.
constexpr int maxSideFor(bool serverSafe) { return serverSafe ? kServerSafeSide : kMaxSprayside; }

// Empty when `size` is a valid spray size under `maxArea` and `maxSide`, else why not.
std::string sizeProblem(Size size, int maxArea, int maxSide = kMaxSprayside);
// Empty when `maxArea` is a limit a user may choose, else why not.
std::string maxAreaProblem(int maxArea);

// The valid sizes whose aspect lies close to the picture's, largest first.
// Never empty: when none is close, the one closest in aspect.
std::vector<Size> sizesNear(Size picture, int maxArea = kDefaultMaxArea, int maxSide = kMaxSprayside);

// The largest valid size that keeps the picture's aspect.
Size chooseSize(Size picture, int maxArea = kDefaultMaxArea, int maxSide = kMaxSprayside);

} // namespace logo
