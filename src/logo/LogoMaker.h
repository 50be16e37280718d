// Turning any picture into a spray logo: read, scale to a valid size,
// quantise to 255 colours, see-through colour at index 255, four mip levels.
#pragma once

#include "formats/Wad3Writer.h"
#include "logo/SprayRules.h"

#include <QImage>
#include <QString>

#include <stdexcept>
#include <string>

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
    QSize size;                 // empty: the largest that keeps the aspect
    int maxArea = kDefaultMaxArea;
    Fit fit = Fit::Pad;
    SeeThrough seeThrough = SeeThrough::Auto;
    QRgb colour = 0;            // for SeeThrough::Colour
    bool dither = false;
};

// The first frame of a picture in any format Qt's image plugins read.
QImage readPicture(const QString& path);
QImage readPicture(const QByteArray& data);

// Throws LogoError when the picture or the options break a rule.
formats::SprayLevels makeSpray(const QImage& picture, const LogoOptions& options);

// The full-size level as the game shows it; the see-through parts transparent.
QImage sprayPicture(const formats::SprayLevels& spray);

// Writes the WAD file atomically: on failure no file is left.
void writeLogoWad(const QString& path, const formats::SprayLevels& spray);

// Options parsed from text such as "112x96", "crop", "ff00ff". Empty when
// the text is well-formed, else why not.
QString parseSize(const QString& text, QSize& size);
QString parseFit(const QString& text, Fit& fit);
QString parseSeeThrough(const QString& text, SeeThrough& mode, QRgb& colour);

} // namespace logo
