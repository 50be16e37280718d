// JPEG encoding and decoding through libjpeg, failing with FormatError
// rather than ending the process.
#pragma once

#include "formats/Image.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace formats {

// A baseline JPEG file with full-resolution colour (4:4:4); quality 1 to 100.
std::vector<std::uint8_t> encodeJpeg(const RgbImage& image, int quality);

// Decodes any JPEG file libjpeg reads, as RGB. Corrupt or truncated data,
// which libjpeg itself only warns about, is refused too.
RgbImage decodeJpeg(const std::uint8_t* data, std::size_t size);

// Progressive files may hold any number of scans, each a pass over the
// whole picture; far more than any encoder writes only costs time.
constexpr int kMaxJpegScans = 256;

// A JPEG file decoded a row at a time. The header is read first, so that
// the caller can refuse a picture by its size before anything is decoded.
// Every failure is a FormatError.
class JpegDecoder {
public:
    struct Options {
        int maxScans = kMaxJpegScans;
        // The most libjpeg may allocate (a progressive picture keeps all its
        // coefficients, 2 bytes a sample).
        long long maxMemory = 512LL << 20;
        // Corrupt or truncated data, which libjpeg only warns about and
        // shows grey, is refused too.
        bool strict = true;
    };

    // `data` must outlive the decoder.
    JpegDecoder(const std::uint8_t* data, std::size_t size, const Options& options);
    JpegDecoder(const std::uint8_t* data, std::size_t size) : JpegDecoder(data, size, Options{}) {}
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    int width() const;
    int height() const;
    // The EXIF orientation, 1 to 8 (1, upright, when the file names none):
    // 2 mirrored, 3 upside down, 4 mirrored upside down, 5 mirrored and
    // turned a quarter left, 6 to be turned a quarter right, 7 mirrored and
    // turned a quarter right, 8 to be turned a quarter left.
    int orientation() const;

    // Before the first row: decode at the smallest of libjpeg's DCT scales
    // n/8 that still gives at least width x height pixels (the full size
    // when none smaller does). Far cheaper than decoding in full and
    // scaling down.
    void scaleToAtLeast(int width, int height);
    // The size of the rows read: width() x height() unless scaled.
    int outputWidth() const;
    int outputHeight() const;

    // The next row top-down: outputWidth() RGB pixels. The first call
    // decodes what a progressive file needs in full.
    void readRow(std::uint8_t* rgb);

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The orientation an EXIF block (the APP1 segment's bytes after
// "Exif\0\0") names; 1 when it names none or is damaged.
int exifOrientation(const std::uint8_t* tiff, std::size_t size);

} // namespace formats
