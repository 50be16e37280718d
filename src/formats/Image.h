// The picture type the format modules exchange, and the error they raise.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace formats {

// Top-down rows of 3 bytes per pixel (red, green, blue), no row padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Raised for input that is not a well-formed picture file; what() says
// what is wrong, without the file name (the caller knows the file).
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest width or height any decoder here accepts.
constexpr int kMaxSide = 4096;

} // namespace formats
