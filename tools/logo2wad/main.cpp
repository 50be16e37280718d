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
#include "logo/PngReader.h"
#include "logo/SprayMaker.h"

#include <cstdio>
#include <filesystem>
#include <memory>
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

bool isPng(const std::string& path)
{
    std::uint8_t head[8] = {};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false; // the reader says why
    const std::size_t n = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return logo::looksLikePng(head, n);
}

formats::SprayLevels makeSpray(const std::string& path, const logo::LogoOptions& options)
{
    if (!isPng(path))
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
