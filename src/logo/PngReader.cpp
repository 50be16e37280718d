#include "logo/PngReader.h"

#include "files/ReadLimits.h"
#include "logo/SprayMaker.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace logo {
namespace {

struct Reader {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::FILE* file = nullptr;          // the file read, or
    const std::uint8_t* data = nullptr; // the bytes in memory
    std::size_t size = 0;
    std::size_t at = 0;                 // bytes read so far
    PictureLimits limits;
    char message[200] = "";
    ~Reader()
    {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        if (file)
            std::fclose(file);
    }
};

void onError(png_structp png, png_const_charp message)
{
    auto* reader = static_cast<Reader*>(png_get_error_ptr(png));
    std::snprintf(reader->message, sizeof reader->message, "%s", message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void onRead(png_structp png, png_bytep out, png_size_t count)
{
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (reader->file) {
        // (png_error jumps away: the text must need no destructor here.)
        static const std::string tooLarge = "the file is larger than " + files::describeLimit(files::kMaxPictureFileBytes);
        if (count > files::kMaxPictureFileBytes - reader->at)
            png_error(png, tooLarge.c_str());
        if (std::fread(out, 1, count, reader->file) != count)
            png_error(png, "the file ends too soon");
        reader->at += count;
        return;
    }
    if (reader->size - reader->at < count)
        png_error(png, "the file ends too soon");
    std::memcpy(out, reader->data + reader->at, count);
    reader->at += count;
}

struct Header {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    bool hasAlpha = false;
    bool interlaced = false;
};

// libpng reports errors by jumping back here; nothing in these frames
// needs a destructor, so the jump skips none. False on an error, with the
// reason in reader.message.
bool readHeader(Reader& reader, Header& header)
{
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_set_read_fn(reader.png, &reader, onRead);
    // The size is judged below, in plain words; a damaged chunk that claims
    // gigabytes is refused before they are allocated.
    png_set_user_limits(reader.png, 0x7fffffff, 0x7fffffff);
    png_set_chunk_malloc_max(reader.png, 8 << 20);
    // Text, colour profiles and other notes are never used: they are skipped
    // unread, since libpng only warns about one that claims gigabytes and
    // then allocates them.
    static const png_byte kSkipped[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf\0pCAL\0sCAL";
    png_set_keep_unknown_chunks(reader.png, PNG_HANDLE_CHUNK_NEVER, kSkipped, int(sizeof kSkipped / 5));
    png_read_info(reader.png, reader.info);
    header.width = png_get_image_width(reader.png, reader.info);
    header.height = png_get_image_height(reader.png, reader.info);
    const int type = png_get_color_type(reader.png, reader.info);
    const bool transparentColour = png_get_valid(reader.png, reader.info, PNG_INFO_tRNS) != 0;
    header.hasAlpha = (type & PNG_COLOR_MASK_ALPHA) != 0 || transparentColour;
    header.interlaced = png_get_interlace_type(reader.png, reader.info) != PNG_INTERLACE_NONE;
    png_set_expand(reader.png);
    png_set_scale_16(reader.png);
    if ((type & PNG_COLOR_MASK_COLOR) == 0)
        png_set_gray_to_rgb(reader.png);
    if (!header.hasAlpha)
        png_set_filler(reader.png, 0xff, PNG_FILLER_AFTER);
    if (header.interlaced)
        png_set_interlace_handling(reader.png);
    png_read_update_info(reader.png, reader.info);
    return true;
}

bool readRow(Reader& reader, std::uint8_t* row)
{
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_read_row(reader.png, row, nullptr);
    return true;
}

bool readAllRows(Reader& reader, std::uint8_t** rows)
{
    if (setjmp(png_jmpbuf(reader.png)))
        return false;
    png_read_image(reader.png, rows);
    return true;
}

[[noreturn]] void fail(const Reader& reader)
{
    throw LogoError(std::string("cannot read the picture: ") + (reader.message[0] ? reader.message : "not a PNG file"));
}

void read(Reader& reader, const std::function<void(Size, bool)>& start,
          const std::function<void(const std::uint8_t*)>& row)
{
    reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, onError, onWarning);
    reader.info = reader.png ? png_create_info_struct(reader.png) : nullptr;
    if (!reader.info)
        throw LogoError("out of memory");
    Header header;
    if (!readHeader(reader, header))
        fail(reader);
    const std::size_t stride = std::size_t(header.width) * 4;
    const std::string problem = pictureSizeProblem(header.width, header.height, reader.limits);
    if (!problem.empty())
        throw LogoError("cannot read the picture: " + problem);
    if (header.width == 0 || header.height == 0)
        throw LogoError("cannot read the picture: it is empty");
    start({int(header.width), int(header.height)}, header.hasAlpha);
    if (!header.interlaced) {
        std::vector<std::uint8_t> line(stride);
        for (png_uint_32 y = 0; y < header.height; ++y) {
            if (!readRow(reader, line.data()))
                fail(reader);
            row(line.data());
        }
        return;
    }
    // An interlaced picture is whole only after its last pass.
    std::vector<std::uint8_t> pixels(stride * header.height);
    std::vector<std::uint8_t*> rows(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y)
        rows[y] = pixels.data() + stride * y;
    if (!readAllRows(reader, rows.data()))
        fail(reader);
    for (png_uint_32 y = 0; y < header.height; ++y)
        row(rows[y]);
}

} // namespace

bool looksLikePng(const std::uint8_t* head, std::size_t size)
{
    return size >= 8 && png_sig_cmp(head, 0, 8) == 0;
}

void readPng(const std::string& path, const std::function<void(Size, bool)>& start,
             const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits)
{
    Reader reader;
    reader.limits = limits;
    reader.file = std::fopen(path.c_str(), "rb");
    if (!reader.file)
        throw LogoError("cannot read the picture: " + std::string(std::strerror(errno)));
    read(reader, start, row);
}

void readPng(const std::uint8_t* data, std::size_t size, const std::function<void(Size, bool)>& start,
             const std::function<void(const std::uint8_t*)>& row, const PictureLimits& limits)
{
    Reader reader;
    reader.limits = limits;
    reader.data = data;
    reader.size = size;
    read(reader, start, row);
}

Rgba readPng(const std::string& path)
{
    Rgba image;
    readPng(
        path,
        [&image](Size size, bool hasAlpha) {
            image.width = size.width;
            image.height = size.height;
            image.hasAlpha = hasAlpha;
            image.bytes.reserve(std::size_t(size.width) * size.height * 4);
        },
        [&image](const std::uint8_t* row) { image.bytes.insert(image.bytes.end(), row, row + std::size_t(image.width) * 4); });
    return image;
}

} // namespace logo
