// Qt's part of logo2wad, loaded at run time: reads a picture through Qt's
// image plugins.
#include "QtReader.h"

#include "logo/LogoMaker.h"

#include <QString>

extern "C" Q_DECL_EXPORT bool logo2wad_read_picture(const char* path, logo::Rgba* picture, std::string* error)
{
    try {
        *picture = logo::toRgba(logo::readPicture(QString::fromLocal8Bit(path)));
        return true;
    } catch (const std::exception& e) {
        *error = e.what();
        return false;
    }
}
