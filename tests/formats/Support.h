// Helpers of the format tests: files, temporary directories, child
// processes and PPM pictures (the common ground with outside decoders).
#pragma once

#include "formats/Image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_formats {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string& path);
void writeFile(const std::string& path, const Bytes& data);
std::string fixturePath(const std::string& name);

// A fresh directory under the system's temporary directory, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    std::vector<std::string> entries() const; // sorted names
private:
    std::string path_;
};

struct RunResult {
    int exitCode = -1; // -1 when killed by a signal
    std::string out;
    std::string err;
};

// Runs argv[0] (a path, or a name looked up in PATH) in `cwd` and waits for it.
RunResult run(const std::vector<std::string>& argv, const std::string& cwd);

// The full path of a program found in PATH, or "" when it is not installed.
std::string findProgram(const std::string& name);

// Binary PPM (P6, maxval 255).
formats::RgbImage parsePpm(const std::string& data);
Bytes makePpm(const formats::RgbImage& image);

double psnr(const formats::RgbImage& a, const formats::RgbImage& b);

// Runs an outside decoder that writes PPM to standard output, failing the
// test when it is missing or fails.
formats::RgbImage decodeWith(const std::vector<std::string>& argv, const std::string& cwd);

} // namespace testing_formats
