#include "formats/Jpeg.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace formats {
namespace {

// libjpeg reports errors through error_exit, which must not return: it
// jumps back to the setjmp() of the call in progress with the message kept.
struct ErrorHandler {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool strict = true;
    int maxScans = kMaxJpegScans;
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    auto* handler = reinterpret_cast<ErrorHandler*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, handler->message);
    std::longjmp(handler->jump, 1);
}

// Warnings (level -1) mean corrupt data: treated as errors. Trace messages are dropped.
// (Not strict: warnings are passed over, as other viewers do.)
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && reinterpret_cast<ErrorHandler*>(cinfo->err)->strict)
        onError(cinfo);
}

void onProgress(j_common_ptr cinfo)
{
    auto* decoder = reinterpret_cast<j_decompress_ptr>(cinfo);
    auto* handler = reinterpret_cast<ErrorHandler*>(cinfo->err);
    if (decoder->input_scan_number > handler->maxScans) {
        std::snprintf(handler->message, sizeof handler->message, "more than %d scans", handler->maxScans);
        std::longjmp(handler->jump, 1);
    }
}

void install(ErrorHandler& handler, jpeg_common_struct& cinfo)
{
    cinfo.err = jpeg_std_error(&handler.manager);
    handler.manager.error_exit = onError;
    handler.manager.emit_message = onMessage;
    handler.message[0] = '\0';
}

// Each function holding a setjmp() creates no object with a destructor
// after it, so the jump back skips nothing; what it fills lives in its caller.

struct Output {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

bool compress(const RgbImage& image, int quality, Output& output, ErrorHandler& handler)
{
    jpeg_compress_struct cinfo;
    install(handler, *reinterpret_cast<jpeg_common_struct*>(&cinfo));
    if (setjmp(handler.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &output.buffer, &output.size);
    cinfo.image_width = static_cast<JDIMENSION>(image.width);
    cinfo.image_height = static_cast<JDIMENSION>(image.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE); // baseline tables
    for (int i = 0; i < cinfo.num_components; ++i) {
        cinfo.comp_info[i].h_samp_factor = 1;
        cinfo.comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.rgb.data() + stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

std::vector<std::uint8_t> encodeJpeg(const RgbImage& image, int quality)
{
    if (image.width <= 0 || image.height <= 0
        || image.rgb.size() != static_cast<std::size_t>(image.width) * image.height * 3)
        throw std::invalid_argument("encodeJpeg: bad picture size");
    ErrorHandler handler;
    Output output;
    const bool done = compress(image, quality, output, handler);
    const std::unique_ptr<unsigned char, void (*)(void*)> owner(output.buffer, std::free);
    if (!done)
        throw FormatError(std::string("JPEG encoding failed: ") + handler.message);
    return std::vector<std::uint8_t>(output.buffer, output.buffer + output.size);
}

RgbImage decodeJpeg(const std::uint8_t* data, std::size_t size)
{
    JpegDecoder decoder(data, size);
    if (decoder.width() > kMaxSide || decoder.height() > kMaxSide)
        throw FormatError("picture too large (" + std::to_string(decoder.width()) + " x "
                          + std::to_string(decoder.height()) + ")");
    RgbImage image;
    image.width = decoder.width();
    image.height = decoder.height();
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    // Grown a row at a time, so that a file cut short is refused before the
    // whole picture has been allocated.
    for (int y = 0; y < image.height; ++y) {
        image.rgb.resize(stride * static_cast<std::size_t>(y + 1));
        decoder.readRow(image.rgb.data() + stride * static_cast<std::size_t>(y));
    }
    return image;
}

struct JpegDecoder::State {
    jpeg_decompress_struct cinfo;
    jpeg_progress_mgr progress;
    ErrorHandler handler;
    bool created = false;
    bool started = false;
    bool cmyk = false;
    std::vector<std::uint8_t> cmykRow;
    int orientation = 1;
    ~State()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
};

namespace {

// Each holds a setjmp(), as the functions above; false on an error.
bool readHeader(JpegDecoder::Options options, const std::uint8_t* data, std::size_t size, jpeg_decompress_struct& cinfo,
                jpeg_progress_mgr& progress, ErrorHandler& handler, bool& created)
{
    install(handler, *reinterpret_cast<jpeg_common_struct*>(&cinfo));
    handler.strict = options.strict;
    handler.maxScans = options.maxScans;
    if (setjmp(handler.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    created = true;
    cinfo.mem->max_memory_to_use = static_cast<long>(options.maxMemory);
    progress.progress_monitor = onProgress;
    cinfo.progress = &progress;
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xffff);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    // libjpeg turns no CMYK into RGB: read as CMYK, turned below.
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    return true;
}

bool readScanline(jpeg_decompress_struct& cinfo, ErrorHandler& handler, bool& started, std::uint8_t* rgb)
{
    if (setjmp(handler.jump))
        return false;
    if (!started) {
        jpeg_start_decompress(&cinfo);
        started = true;
    }
    JSAMPROW row = rgb;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
        std::snprintf(handler.message, sizeof handler.message, "the picture ends too soon");
    else if (cinfo.output_scanline == cinfo.output_height)
        jpeg_finish_decompress(&cinfo);
    return true;
}

std::uint32_t exifNumber(const std::uint8_t* p, int bytes, bool bigEndian)
{
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= std::uint32_t(p[bigEndian ? i : bytes - 1 - i]) << (8 * (bytes - 1 - i));
    return v;
}

} // namespace

JpegDecoder::JpegDecoder(const std::uint8_t* data, std::size_t size, const Options& options) : state_(new State)
{
    State& s = *state_;
    if (!readHeader(options, data, size, s.cinfo, s.progress, s.handler, s.created))
        throw FormatError(s.handler.message);
    s.cmyk = s.cinfo.out_color_space == JCS_CMYK;
    for (jpeg_saved_marker_ptr m = s.cinfo.marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 1 && m->data_length > 6 && std::memcmp(m->data, "Exif\0\0", 6) == 0) {
            s.orientation = exifOrientation(m->data + 6, m->data_length - 6);
            break;
        }
    }
}

JpegDecoder::~JpegDecoder() = default;

int JpegDecoder::width() const { return static_cast<int>(state_->cinfo.image_width); }
int JpegDecoder::height() const { return static_cast<int>(state_->cinfo.image_height); }
int JpegDecoder::orientation() const { return state_->orientation; }

namespace {
// libjpeg's own rounding of a scaled side.
int scaledSide(int side, int num) { return int((long long)side * num + 7) / 8; }
} // namespace

void JpegDecoder::scaleToAtLeast(int w, int h)
{
    State& s = *state_;
    if (s.started)
        throw FormatError("the rows are being read already");
    int num = 1;
    while (num < 8 && (scaledSide(width(), num) < w || scaledSide(height(), num) < h))
        ++num;
    s.cinfo.scale_num = static_cast<unsigned>(num);
    s.cinfo.scale_denom = 8;
}

int JpegDecoder::outputWidth() const { return scaledSide(width(), int(state_->cinfo.scale_num * 8 / state_->cinfo.scale_denom)); }
int JpegDecoder::outputHeight() const { return scaledSide(height(), int(state_->cinfo.scale_num * 8 / state_->cinfo.scale_denom)); }

void JpegDecoder::readRow(std::uint8_t* rgb)
{
    State& s = *state_;
    s.handler.message[0] = '\0';
    if (s.started && s.cinfo.output_scanline >= s.cinfo.output_height)
        throw FormatError("no rows left");
    if (s.cmyk)
        s.cmykRow.resize(static_cast<std::size_t>(outputWidth()) * 4);
    if (!readScanline(s.cinfo, s.handler, s.started, s.cmyk ? s.cmykRow.data() : rgb) || s.handler.message[0])
        throw FormatError(s.handler.message);
    if (s.cmyk) {
        // Stored inverted, as Adobe's programs write it.
        const std::uint8_t* in = s.cmykRow.data();
        for (int x = 0; x < outputWidth(); ++x, in += 4, rgb += 3)
            for (int c = 0; c < 3; ++c)
                rgb[c] = static_cast<std::uint8_t>(in[c] * in[3] / 255);
    }
}

int exifOrientation(const std::uint8_t* tiff, std::size_t size)
{
    if (size < 8 || !((tiff[0] == 'I' && tiff[1] == 'I') || (tiff[0] == 'M' && tiff[1] == 'M')))
        return 1;
    const bool big = tiff[0] == 'M';
    const std::uint32_t ifd = exifNumber(tiff + 4, 4, big);
    if (ifd > size - 2 || ifd < 8)
        return 1;
    const std::uint32_t count = exifNumber(tiff + ifd, 2, big);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = std::size_t(ifd) + 2 + std::size_t(i) * 12;
        if (at + 12 > size)
            return 1;
        // Tag 0x0112, type SHORT, one value.
        if (exifNumber(tiff + at, 2, big) == 0x0112 && exifNumber(tiff + at + 2, 2, big) == 3) {
            const std::uint32_t value = exifNumber(tiff + at + 8, 2, big);
            return value >= 1 && value <= 8 ? int(value) : 1;
        }
    }
    return 1;
}

} // namespace formats
