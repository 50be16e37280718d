#include "formats/Jpeg.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace formats {
namespace {

// Progressive files may hold any number of scans; far more than any encoder
// writes only costs decoding time.
constexpr int kMaxScans = 256;

// libjpeg reports errors through error_exit, which must not return: it
// jumps back to the setjmp() of the call in progress with the message kept.
struct ErrorHandler {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    auto* handler = reinterpret_cast<ErrorHandler*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, handler->message);
    std::longjmp(handler->jump, 1);
}

// Warnings (level -1) mean corrupt data: treated as errors. Trace messages are dropped.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        onError(cinfo);
}

void onProgress(j_common_ptr cinfo)
{
    auto* decoder = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decoder->input_scan_number > kMaxScans) {
        auto* handler = reinterpret_cast<ErrorHandler*>(cinfo->err);
        std::snprintf(handler->message, sizeof handler->message, "more than %d scans", kMaxScans);
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

bool decompress(const std::uint8_t* data, std::size_t size, RgbImage& image, ErrorHandler& handler)
{
    jpeg_decompress_struct cinfo;
    jpeg_progress_mgr progress;
    install(handler, *reinterpret_cast<jpeg_common_struct*>(&cinfo));
    if (setjmp(handler.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    progress.progress_monitor = onProgress;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width > static_cast<JDIMENSION>(kMaxSide) || cinfo.image_height > static_cast<JDIMENSION>(kMaxSide)) {
        std::snprintf(handler.message, sizeof handler.message, "picture too large (%u x %u)",
                      cinfo.image_width, cinfo.image_height);
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    image.width = static_cast<int>(cinfo.output_width);
    image.height = static_cast<int>(cinfo.output_height);
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    // Grown a row at a time, so that a file cut short is refused before the
    // whole picture has been allocated.
    while (cinfo.output_scanline < cinfo.output_height) {
        image.rgb.resize(stride * (cinfo.output_scanline + 1));
        JSAMPROW row = image.rgb.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
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
    ErrorHandler handler;
    RgbImage image;
    if (!decompress(data, size, image, handler))
        throw FormatError(handler.message);
    return image;
}

} // namespace formats
