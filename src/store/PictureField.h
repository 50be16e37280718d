// The content of a picture field: a Windows bitmap in the layout of a BMP
// file, written behind an 8-byte graphic header (count 1, type 0x0100, the
// number of bitmap bytes that follow, all little-endian).
#pragma once

#include <QByteArray>
#include <QImage>

namespace formats { struct RgbImage; }

namespace store {

// The field bytes for a bitmap: the header, then the bitmap.
QByteArray wrapPicture(const QByteArray& bitmap);

// The bitmap in a field: the header is skipped only when it is a valid one
// (count 1, type 0x0100, size = field length - 8); otherwise the bitmap
// starts at the first byte.
QByteArray unwrapPicture(const QByteArray& field);

// The field decoded for display; a null image when it holds no picture or
// one that cannot be decoded.
QImage pictureImage(const QByteArray& field);

// A 24-bit bitmap of an image, wrapped for a picture field.
QByteArray pictureFromImage(const QImage& image);
QByteArray pictureFromRgb(const formats::RgbImage& image);

} // namespace store
