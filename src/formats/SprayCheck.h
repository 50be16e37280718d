// Whether the game uses a file as a player's spray: the checks the game's
// server and client make on a tempdecal.wad, each failed one told in a
// short sentence a player understands.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace formats {

// The game's rules for a spray file.
constexpr std::size_t kSprayMinFileBytes = 1024;   // smaller: the default logo is sprayed
constexpr std::size_t kSprayMaxFileBytes = 20480;  // larger: likewise
constexpr int kSprayMaxSide = 256;
constexpr int kSprayStep = 16;       // the renderer and every tool want multiples of this
constexpr int kServerSafeSide = 64;  // servers with large sprays off take nothing larger
constexpr int kSeeThroughIndex = 255;

enum class SprayKind {
    Colour, // palette entry 255 is pure blue: index 255 is see-through
    Decal,  // any other entry 255: one colour, the index is its opacity
};

// The kind the game makes of a picture with this palette.
SprayKind sprayKind(const std::array<std::uint8_t, 768>& palette);

struct SprayReport {
    std::vector<std::string> problems; // why the game does not use it; empty when it does
    bool hasPicture = false; // the picture's size and kind below are known
    SprayKind kind = SprayKind::Colour;
    int width = 0;
    int height = 0;
    std::uint64_t fileBytes = 0;

    bool gameReady() const { return problems.empty(); }
    // Game-ready and small enough for servers that turn large sprays off.
    bool everyServer() const;
    // What it is: "colour spray, 112×128, 20 KB".
    std::string description() const;
};

// Checks a whole file's bytes; never throws for any content.
SprayReport checkSpray(const std::uint8_t* data, std::size_t size);

// The problem with a file of this many bytes, or "" when the game takes that size.
std::string fileSizeProblem(std::uint64_t bytes);

// A file size as a player reads it: "900 bytes", "20 KB" (rounded up).
std::string fileSizeText(std::uint64_t bytes);

// "112×128".
std::string sizeText(long long width, long long height);

} // namespace formats
