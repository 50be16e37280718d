// The picture the logo maker works on, and the sizes it deals in; plain
// types, so that the converter needs no windowing library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace logo {

struct Size {
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    int area() const { return width * height; }
    friend bool operator==(Size a, Size b) { return a.width == b.width && a.height == b.height; }
    friend bool operator!=(Size a, Size b) { return !(a == b); }
};

// Straight (not premultiplied) RGBA, 4 bytes a pixel, rows top-down with no
// padding. `hasAlpha` tells whether the picture came with an alpha channel
// (or a transparent colour), whatever its pixels hold.
struct Rgba {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<std::uint8_t> bytes;

    Size size() const { return {width, height}; }
    std::uint8_t* row(int y) { return bytes.data() + std::size_t(y) * width * 4; }
    const std::uint8_t* row(int y) const { return bytes.data() + std::size_t(y) * width * 4; }
};

// Colours as 0xAARRGGBB.
constexpr std::uint32_t rgb(int r, int g, int b) { return 0xff000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b); }
constexpr int redOf(std::uint32_t c) { return int(c >> 16) & 0xff; }
constexpr int greenOf(std::uint32_t c) { return int(c >> 8) & 0xff; }
constexpr int blueOf(std::uint32_t c) { return int(c) & 0xff; }

} // namespace logo
