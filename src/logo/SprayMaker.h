// Turning a picture into a spray logo: scale to a valid size, quantise to
// 255 colours, see-through colour at index 255, four mip levels. Plain
// types only, so that the converter starts without any windowing library.
#pragma once

#include "files/FileOps.h"
#include "formats/Wad3Writer.h"
#include "logo/Pixels.h"
#include "logo/Resample.h"
#include "logo/SprayRules.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace logo {

// A picture that cannot become a logo, or a logo that cannot be written;
// what() is one line.
class LogoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Fit { Pad, Crop, Stretch };

enum class SeeThrough {
    Auto,   // from the alpha channel when the picture has one, else none
    None,
    Alpha,  // pixels less than half opaque
    Colour, // pixels of exactly `colour`
};

struct LogoOptions {
    Size size;                  // 0x0: the largest that keeps the aspect
    int maxArea = kDefaultMaxArea;
    bool serverSafe = false;    // at most 64x64, for servers with large sprays off
    Fit fit = Fit::Pad;
    SeeThrough seeThrough = SeeThrough::Auto;
    std::uint32_t colour = 0;   // 0xAARRGGBB, for SeeThrough::Colour
    bool dither = false;
};

// Makes the spray from a picture handed over a row at a time (as a decoder
// delivers it), so that a large picture is never held whole.
class SprayMaker {
public:
    // Throws LogoError when the picture or the options break a rule.
    SprayMaker(Size picture, bool hasAlpha, const LogoOptions& options);
    // The logo's size for a picture of this size: the options' own, or the
    // one chosen for its aspect. Throws LogoError as the constructor does.
    static Size logoSize(Size picture, const LogoOptions& options);
    // The next row: picture.width straight RGBA pixels.
    void addRow(const std::uint8_t* rgba);
    // After the last row. Throws LogoError when nothing is left to show.
    formats::SprayLevels finish();

private:
    Size size_;      // the logo's
    Size inner_;     // the scaled picture's, before pad or crop
    bool seeThrough_;
    bool keyed_;
    bool forceOpaque_;
    std::uint32_t key_;
    bool dither_;
    std::vector<std::uint8_t> row_;
    std::unique_ptr<Resampler> resampler_;
};

// The same for a whole picture.
formats::SprayLevels makeSpray(const Rgba& picture, const LogoOptions& options);

// Writes the WAD file atomically: on failure no file is left, and a reader
// never sees a partial file; `durability` says how far it is flushed.
void writeLogoWad(const std::string& path, const formats::SprayLevels& spray,
                  files::Durability durability = files::Durability::Synced);

// Options parsed from text such as "112x96", "crop", "ff00ff". Empty when
// the text is well-formed, else why not; a size must be positive.
std::string parseSize(const std::string& text, Size& size);
std::string parseFit(const std::string& text, Fit& fit);
// A whole number as a user types it ("96", "-3"); false for anything else.
bool parseNumber(const std::string& text, int& value);
std::string parseSeeThrough(const std::string& text, SeeThrough& mode, std::uint32_t& colour);

} // namespace logo
