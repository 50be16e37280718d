#include "logo/GameReady.h"

#include "formats/SprayCheck.h"
#include "formats/Wad3Writer.h"
#include "logo/GameLook.h"
#include "logo/SprayMaker.h"

#include <algorithm>
#include <cstring>

namespace logo {
namespace {

// A picture with a side under 16 pixels (the maker's least) enlarged by a
// whole factor, each pixel repeated, so that its pixels stay as they are.
Rgba atLeastOneStep(Rgba picture)
{
    const int shorter = std::min(picture.width, picture.height);
    if (shorter >= kStep || shorter <= 0)
        return picture;
    const int factor = (kStep + shorter - 1) / shorter;
    Rgba out;
    out.width = picture.width * factor;
    out.height = picture.height * factor;
    out.hasAlpha = picture.hasAlpha;
    out.bytes.resize(std::size_t(out.width) * out.height * 4);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            std::memcpy(out.row(y) + 4 * x, picture.row(y / factor) + 4 * (x / factor), 4);
    return out;
}

LogoOptions remakeOptions(bool seeThrough, bool serverSafe)
{
    LogoOptions options;
    options.maxArea = kLargestMaxArea;
    options.serverSafe = serverSafe;
    options.fit = Fit::Pad;
    options.seeThrough = seeThrough ? SeeThrough::Alpha : SeeThrough::None;
    return options;
}

// A decal's opacities go through the maker as a grey picture (the padding
// comes out black, that is see-through); the grey of each colour it picks
// is the opacity again.
formats::SprayLevels remakeDecal(const formats::WadPicture& picture, bool serverSafe)
{
    Rgba grey;
    grey.width = picture.width;
    grey.height = picture.height;
    grey.bytes.resize(picture.indices.size() * 4);
    for (std::size_t i = 0; i < picture.indices.size(); ++i) {
        std::memset(&grey.bytes[4 * i], picture.indices[i], 3);
        grey.bytes[4 * i + 3] = 255;
    }
    formats::SprayLevels spray = makeSpray(atLeastOneStep(std::move(grey)), remakeOptions(false, serverSafe));
    for (std::vector<std::uint8_t>& level : spray.levels)
        for (std::uint8_t& index : level)
            index = spray.palette[3u * index];
    spray.palette = picture.palette;
    return spray;
}

} // namespace

std::vector<std::uint8_t> remakeGameReady(const formats::WadPicture& picture, bool serverSafe)
{
    formats::SprayLevels spray;
    if (formats::sprayKind(picture.palette) == formats::SprayKind::Decal) {
        spray = remakeDecal(picture, serverSafe);
    } else {
        Rgba look = gameLook(picture);
        const bool seeThrough = look.hasAlpha;
        spray = makeSpray(atLeastOneStep(std::move(look)), remakeOptions(seeThrough, serverSafe));
    }
    std::vector<std::uint8_t> wad;
    try {
        wad = formats::writeSprayWad(spray);
    } catch (const formats::FormatError& e) {
        throw LogoError(e.what());
    }
    const formats::SprayReport report = formats::checkSpray(wad.data(), wad.size());
    if (!report.gameReady())
        throw LogoError(report.problems.front());
    return wad;
}

} // namespace logo
