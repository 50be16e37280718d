// Pictures from outside on their way to a logo: any bytes Qt's image
// readers or the own PNG and JPEG readers take, made into a spray, written
// as a WAD and read back.
#include "formats/SprayCheck.h"
#include "formats/Wad3.h"
#include "formats/Wad3Writer.h"
#include "logo/JpegReader.h"
#include "logo/LogoMaker.h"
#include "logo/PngReader.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// Pictures larger than this only slow the search down: the readers refuse
// them from their headers, and the decoders allocate no more, so the
// refusals are searched too.
constexpr logo::PictureLimits kLimits{1024, 1024 * 1024};

// The smallest logo: quantising the largest takes most of the time of a
// run, and the code it runs is the same.
logo::LogoOptions smallLogo()
{
    logo::LogoOptions options;
    options.maxArea = logo::kSmallestMaxArea;
    return options;
}

// The converter's own PNG reader, straight into the logo maker as logo2wad
// runs it; the same size as Qt's reader sees when both read the picture.
void throughPngReader(const std::uint8_t* data, std::size_t size, const QImage& qt)
{
    std::unique_ptr<logo::SprayMaker> maker;
    logo::Size seen;
    try {
        logo::readPng(
            data, size,
            [&](logo::Size picture, bool hasAlpha) {
                seen = picture;
                maker = std::make_unique<logo::SprayMaker>(picture, hasAlpha, smallLogo());
            },
            [&](const std::uint8_t* row) { maker->addRow(row); }, kLimits);
        const formats::SprayLevels spray = maker->finish();
        if (spray.levels[3].size() != std::size_t(spray.width / 8) * std::size_t(spray.height / 8))
            std::abort();
    } catch (const logo::LogoError&) {
    }
    if (!qt.isNull() && !seen.empty() && (seen.width != qt.width() || seen.height != qt.height()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (logo::looksLikePng(data, size)) {
        QImage qt;
        try {
            qt = logo::readPicture(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)), kLimits);
        } catch (const logo::LogoError&) {
        }
        throughPngReader(data, size, qt);
    }

    QImage picture;
    try {
        picture = logo::readPicture(QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size)), kLimits);
    } catch (const logo::LogoError&) {
        return 0;
    }
    if (picture.width() > kLimits.maxSide || picture.height() > kLimits.maxSide)
        std::abort(); // past the limits
    try {
        logo::LogoOptions options = smallLogo();
        options.dither = size % 2 == 1;
        const formats::SprayLevels spray = logo::makeSpray(picture, options);
        const std::vector<std::uint8_t> wad = formats::writeSprayWad(spray);
        const formats::WadPicture back = formats::readWadPicture(wad.data(), wad.size());
        if (back.width != spray.width || back.height != spray.height || back.indices != spray.levels[0])
            std::abort();
        if (!formats::checkSpray(wad.data(), wad.size()).gameReady())
            std::abort(); // every logo the maker writes is one the game takes
    } catch (const logo::LogoError&) {
    }
    return 0;
}
