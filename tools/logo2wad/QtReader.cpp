#include "QtReader.h"

#include "logo/SprayMaker.h"

#ifdef LOGO2WAD_QT_LINKED
extern "C" bool logo2wad_read_picture(const char* path, logo::Rgba* picture, std::string* error);
#else
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#endif

namespace logo2wad {
namespace {

#ifndef LOGO2WAD_QT_LINKED
// The module beside this program's own executable.
std::string modulePath()
{
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0)
        return kModuleName;
    std::string path(self, std::size_t(n));
    return path.substr(0, path.find_last_of('/') + 1) + kModuleName;
}
#endif

ReadFunction readFunction()
{
#ifdef LOGO2WAD_QT_LINKED
    return &logo2wad_read_picture;
#else
    const std::string path = modulePath();
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module)
        throw logo::LogoError(std::string("cannot read pictures other than PNG: ") + ::dlerror());
    auto read = reinterpret_cast<ReadFunction>(::dlsym(module, kReadFunction));
    if (!read)
        throw logo::LogoError("cannot read pictures other than PNG: " + path + " is damaged");
    return read; // the module stays loaded until the program ends
#endif
}

} // namespace

logo::Rgba readWithQt(const std::string& path)
{
    logo::Rgba picture;
    std::string error;
    if (!readFunction()(path.c_str(), &picture, &error))
        throw logo::LogoError(error);
    return picture;
}

} // namespace logo2wad
