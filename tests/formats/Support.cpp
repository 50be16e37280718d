#include "Support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testing_formats {

Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const Bytes& data)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

std::string fixturePath(const std::string& name) { return std::string(FIXTURES_DIR) + "/" + name; }

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "formats-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string findProgram(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = dir + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return "";
}

RunResult run(const std::vector<std::string>& argv, const std::string& cwd)
{
    TempDir capture;
    const std::string outPath = capture.file("out"), errPath = capture.file("err");
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::chdir(cwd.c_str()) != 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0)
            ::_exit(126);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const Bytes out = readFile(outPath), err = readFile(errPath);
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    return result;
}

formats::RgbImage parsePpm(const std::string& data)
{
    std::istringstream in(data);
    auto number = [&in]() {
        in >> std::ws;
        while (in.peek() == '#')
            in.ignore(1 << 20, '\n') >> std::ws;
        int value = -1;
        in >> value;
        return value;
    };
    std::string magic;
    in >> magic;
    formats::RgbImage image;
    image.width = number();
    image.height = number();
    const int maxval = number();
    if (magic != "P6" || image.width <= 0 || image.height <= 0 || maxval != 255)
        throw std::runtime_error("not an 8-bit binary PPM");
    in.get();
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    in.read(reinterpret_cast<char*>(image.rgb.data()), static_cast<std::streamsize>(image.rgb.size()));
    if (!in)
        throw std::runtime_error("PPM cut short");
    return image;
}

Bytes makePpm(const formats::RgbImage& image)
{
    const std::string header = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
    Bytes out(header.begin(), header.end());
    out.insert(out.end(), image.rgb.begin(), image.rgb.end());
    return out;
}

double psnr(const formats::RgbImage& a, const formats::RgbImage& b)
{
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size() || a.rgb.empty())
        return 0;
    double sum = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) {
        const double d = double(a.rgb[i]) - double(b.rgb[i]);
        sum += d * d;
    }
    const double mse = sum / a.rgb.size();
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

formats::RgbImage decodeWith(const std::vector<std::string>& argv, const std::string& cwd)
{
    if (findProgram(argv[0]).empty()) {
        ADD_FAILURE() << argv[0] << " is not installed";
        return {};
    }
    const RunResult r = run(argv, cwd);
    if (r.exitCode != 0) {
        ADD_FAILURE() << argv[0] << " failed: " << r.err;
        return {};
    }
    return parsePpm(r.out);
}

} // namespace testing_formats
