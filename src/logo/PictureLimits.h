// How large a picture the logo maker takes: checked from the picture's
// header before anything is decoded, so that a small file that claims a
// huge picture costs neither memory nor time.
#pragma once

#include "logo/Pixels.h"

#include <string>

namespace logo {

struct PictureLimits {
    int maxSide = 16384;                // pixels on either side
    long long maxPixels = 64'000'000;   // 64 megapixels
    // The most a decoder may allocate for the picture: 4 bytes a pixel.
    long long maxBytes() const { return maxPixels * 4; }
};

// The limits every picture is held to.
inline constexpr PictureLimits kPictureLimits{};

// Progressive JPEG files may hold any number of scans, each a pass over the
// whole picture; far more than any encoder writes only costs time.
inline constexpr int kMaxJpegScans = 256;

// Empty when a picture of `width` x `height` is within `limits`, else why not.
std::string pictureSizeProblem(long long width, long long height, const PictureLimits& limits = kPictureLimits);

} // namespace logo
