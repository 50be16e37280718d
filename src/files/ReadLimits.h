// How much of a file from outside is read before it is refused, by kind of
// file. The counts are of bytes read, not of what the file system says, so
// that a link into /proc or a file that grows while it is read is caught
// too.
#pragma once

#include <cstddef>
#include <string>

namespace files {

// A spray logo WAD file: the largest the game takes is well under 1 MiB.
constexpr std::size_t kMaxWadBytes = std::size_t(16) << 20;
// A picture file (PNG, JPEG, BMP, GIF, WebP, PCX).
constexpr std::size_t kMaxPictureFileBytes = std::size_t(64) << 20;
// A small text file of settings: Steam's .vdf files, .ini files, the
// game's liblist.gam.
constexpr std::size_t kMaxSettingsFileBytes = std::size_t(4) << 20;

// "16 MiB", "4 KiB", "100 bytes": a limit in plain words.
std::string describeLimit(std::size_t bytes);

} // namespace files
