// The pictures logo2wad reads through Qt's image plugins: every format but
// PNG, which it reads itself. Qt is loaded only when such a picture comes,
// so that the common case starts without it.
#pragma once

#include "logo/Pixels.h"

#include <string>

namespace logo2wad {

// The first frame of the picture at `path`. Throws logo::LogoError when it
// cannot be read, or when Qt's part of logo2wad is missing.
logo::Rgba readWithQt(const std::string& path);

// The function Qt's part exports, under the name kReadFunction.
using ReadFunction = bool (*)(const char* path, logo::Rgba* picture, std::string* error);
constexpr char kReadFunction[] = "logo2wad_read_picture";
constexpr char kModuleName[] = "logo2wad-qt.so";

} // namespace logo2wad
