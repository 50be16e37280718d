// logo2wad PICTURE OUT.wad [--size WxH] [--max-area N] [--server-safe]
//          [--fit pad|crop|stretch] [--transparent none|alpha|RRGGBB] [--dither]
// logo2wad --check FILE...
// Makes a spray logo WAD file from a picture in any format Qt reads. A PNG
// picture is read here, a row at a time into the logo maker; any other goes
// through Qt's image plugins, which are loaded only then. With --check it
// tells for each file whether the game uses it as a spray, and why not.
#include "QtReader.h"
#include "RowPipe.h"

#include "files/FileOps.h"
#include "formats/SprayCheck.h"
#include "logo/BmpReader.h"
#include "logo/GifReader.h"
#include "logo/JpegReader.h"
#include "logo/WebpReader.h"
#include "logo/PngReader.h"
#include "logo/SprayMaker.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifdef LOGO2WAD_OPENMP
#include <omp.h>
#endif

namespace {

constexpr char kUsage[] =
    "usage: logo2wad PICTURE OUT.wad [--size WxH] [--max-area N] [--server-safe] [--fit pad|crop|stretch]"
    " [--transparent none|alpha|RRGGBB] [--dither]\n"
    "       logo2wad --check FILE...\n";

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

int error(const std::string& what)
{
    std::fprintf(stderr, "logo2wad: %s\n", what.c_str());
    return 1;
}

// From this many pixels on, reading and scaling a picture on two threads
// takes less time than on one (a 1920x1080 photograph: a quarter less; a
// 512x512 drawing: no gain).
constexpr double kPipedPixels = 1000000;

enum class Kind { Png, Jpeg, Gif, Webp, Bmp, Other };

Kind kindOf(const std::string& path)
{
    std::uint8_t head[16] = {};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return Kind::Other; // the reader says why
    const std::size_t n = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    if (logo::looksLikePng(head, n))
        return Kind::Png;
    if (logo::looksLikeJpeg(head, n))
        return Kind::Jpeg;
    if (logo::looksLikeGif(head, n))
        return Kind::Gif;
    if (logo::looksLikeWebp(head, n))
        return Kind::Webp;
    return logo::looksLikeBmp(head, n) ? Kind::Bmp : Kind::Other;
}

// A JPEG picture is decoded at the smallest DCT scale that still gives
// twice the logo's size, so the scaler keeps its quality; the logo's size
// is the one of the full picture.
formats::SprayLevels makeSprayFromJpeg(const std::string& path, const logo::LogoOptions& options)
{
    logo::LogoOptions scaled = options;
    std::unique_ptr<logo::SprayMaker> maker;
    logo::readJpeg(
        path, [&](logo::Size size, bool hasAlpha) { maker = std::make_unique<logo::SprayMaker>(size, hasAlpha, scaled); },
        [&](const std::uint8_t* row) { maker->addRow(row); }, logo::kPictureLimits,
        [&](logo::Size full) {
            scaled.size = logo::SprayMaker::logoSize(full, options);
            return logo::Size{2 * scaled.size.width, 2 * scaled.size.height};
        });
    return maker->finish();
}

// GIF, WebP (scaled while decoded, as JPEG) and BMP through their own
// readers; nothing when the reader leaves the file to Qt's plugins (an
// animated WebP, a compressed BMP).
std::optional<formats::SprayLevels> makeSprayFromOther(const std::string& path, Kind kind, const logo::LogoOptions& options)
{
    std::vector<std::uint8_t> data;
    try {
        data = files::readAll(path, files::kMaxPictureFileBytes);
    } catch (const files::FileError& e) {
        throw logo::LogoError(e.what());
    }
    logo::LogoOptions scaled = options;
    std::unique_ptr<logo::SprayMaker> maker;
    const auto start = [&](logo::Size size, bool hasAlpha) {
        maker = std::make_unique<logo::SprayMaker>(size, hasAlpha, scaled);
    };
    const auto row = [&](const std::uint8_t* r) { maker->addRow(r); };
    bool read = true;
    if (kind == Kind::Gif)
        logo::readGif(data.data(), data.size(), start, row);
    else if (kind == Kind::Webp)
        read = logo::readWebp(data.data(), data.size(), start, row, logo::kPictureLimits, [&](logo::Size full) {
            scaled.size = logo::SprayMaker::logoSize(full, options);
            return logo::Size{2 * scaled.size.width, 2 * scaled.size.height};
        });
    else
        read = logo::readBmp(data.data(), data.size(), start, row);
    if (!read)
        return std::nullopt;
    return maker->finish();
}

formats::SprayLevels makeSpray(const std::string& path, const logo::LogoOptions& options)
{
    const Kind kind = kindOf(path);
    if (kind == Kind::Jpeg)
        return makeSprayFromJpeg(path, options);
    if (kind == Kind::Gif || kind == Kind::Webp || kind == Kind::Bmp)
        if (std::optional<formats::SprayLevels> spray = makeSprayFromOther(path, kind, options))
            return *spray;
    if (kind != Kind::Png)
        return logo::makeSpray(logo2wad::readWithQt(path), options);
    std::unique_ptr<logo::SprayMaker> maker;
    std::unique_ptr<logo2wad::RowPipe> pipe;
    logo::readPng(
        path,
        [&](logo::Size size, bool hasAlpha) {
            maker = std::make_unique<logo::SprayMaker>(size, hasAlpha, options);
            // A large picture is scaled on a second thread while it is read.
            if (double(size.width) * size.height >= kPipedPixels)
                pipe = std::make_unique<logo2wad::RowPipe>(std::size_t(size.width) * 4,
                                                           [&maker](const std::uint8_t* row) { maker->addRow(row); });
        },
        [&](const std::uint8_t* row) {
            if (pipe)
                pipe->push(row);
            else
                maker->addRow(row);
        });
    if (pipe)
        pipe->finish();
    return maker->finish();
}

// Files larger than this are judged by their size alone, unread.
constexpr std::size_t kLargestChecked = files::kMaxPictureFileBytes;

// One line per file, then its problems indented; non-zero when a file is
// not game-ready or cannot be read.
int check(const std::vector<std::string>& paths)
{
    int status = 0;
    for (const std::string& path : paths) {
        formats::SprayReport report;
        try {
            std::error_code statError;
            const std::uintmax_t size = std::filesystem::file_size(path, statError);
            if (!statError && size > kLargestChecked) {
                report.fileBytes = static_cast<std::uint64_t>(size);
                report.problems.push_back(formats::fileSizeProblem(report.fileBytes));
            } else {
                const std::vector<std::uint8_t> data = files::readAll(path, kLargestChecked);
                report = formats::checkSpray(data.data(), data.size());
            }
        } catch (const files::FileError& e) {
            std::fflush(stdout);
            error(e.what());
            status = 1;
            continue;
        }
        if (report.gameReady()) {
            std::printf("%s: game-ready: %s%s\n", path.c_str(), report.description().c_str(),
                        report.everyServer() ? ", works on every server" : "");
            continue;
        }
        status = 1;
        std::printf("%s: not game-ready: %s\n", path.c_str(), report.description().c_str());
        for (const std::string& problem : report.problems)
            std::printf("  %s\n", problem.c_str());
    }
    return status;
}

} // namespace

int main(int argc, char** argv)
{
#ifdef LOGO2WAD_OPENMP
    // The quantiser's worker threads spin while they wait; for a logo's few
    // thousand pixels one thread is faster than waking others.
    omp_set_num_threads(1);
#endif
    std::vector<std::string> positional;
    logo::LogoOptions options;
    bool checking = false;
    bool making = false; // an option of the making was given
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        std::string problem;
        making = making || (arg.rfind("--", 0) == 0 && arg != "--check");
        if (arg == "--check") {
            checking = true;
        } else if (arg == "--dither") {
            options.dither = true;
        } else if (arg == "--server-safe") {
            options.serverSafe = true;
        } else if (arg == "--size" || arg == "--max-area" || arg == "--fit" || arg == "--transparent") {
            if (!hasValue)
                return usage();
            const std::string value = argv[++i];
            if (arg == "--size") {
                problem = logo::parseSize(value, options.size);
            } else if (arg == "--max-area") {
                if (!logo::parseNumber(value, options.maxArea))
                    problem = "bad largest area \"" + value + "\"";
            } else if (arg == "--fit") {
                problem = logo::parseFit(value, options.fit);
            } else {
                problem = logo::parseSeeThrough(value, options.seeThrough, options.colour);
            }
        } else if (arg.rfind("--", 0) == 0) {
            return usage();
        } else {
            positional.push_back(arg);
        }
        if (!problem.empty())
            return error(problem);
    }
    if (checking)
        return making || positional.empty() ? usage() : check(positional);
    if (positional.size() != 2)
        return usage();
    try {
        // Written whole under a temporary name that then takes the name
        // OUT.wad, so no reader ever sees part of it and a failure leaves
        // nothing; not flushed to the disk, like any file a command writes
        // (a flush costs more than the rest of a small logo's making). The
        // import into the library makes its own durable copy.
        files::requireRegularFile(positional[0]);   // a named pipe would block the reading
        logo::writeLogoWad(positional[1], makeSpray(positional[0], options), files::Durability::Flushed);
    } catch (const logo::LogoError& e) {
        return error(positional[0] + ": " + e.what());
    } catch (const files::FileError& e) {
        return error(e.what());
    }
    return 0;
}
