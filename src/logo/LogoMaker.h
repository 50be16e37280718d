// Logos from pictures in any format Qt's image plugins read: the picture
// readers and the conversions between QImage and the logo maker's pixels.
#pragma once

#include "logo/PictureLimits.h"
#include "logo/SprayMaker.h"

#include <QImage>
#include <QString>

namespace logo {

// The first frame of a picture in any format Qt's image plugins read, turned
// upright as its orientation says. A JPEG picture is read with libjpeg
// itself, its scans capped. The file may hold at most
// files::kMaxPictureFileBytes, the picture no more than `limits` allow: a
// picture that says in its header it is larger is refused before it is
// decoded, and the decoder allocates no more than such a picture needs.
QImage readPicture(const QString& path, const PictureLimits& limits = kPictureLimits);
QImage readPicture(const QByteArray& data, const PictureLimits& limits = kPictureLimits);

// Straight RGBA pixels of `image`; hasAlpha when its format has an alpha channel.
Rgba toRgba(const QImage& image);

// Throws LogoError when the picture or the options break a rule.
formats::SprayLevels makeSpray(const QImage& picture, const LogoOptions& options);

// The full-size level as the game shows it; the see-through parts transparent.
QImage sprayPicture(const formats::SprayLevels& spray);

// Writes the WAD file atomically: on failure no file is left.
void writeLogoWad(const QString& path, const formats::SprayLevels& spray,
                  files::Durability durability = files::Durability::Synced);

} // namespace logo
