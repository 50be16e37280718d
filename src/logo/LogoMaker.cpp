#include "logo/LogoMaker.h"

#include "files/FileOps.h"
#include "formats/Image.h"
#include "logo/Resample.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <libimagequant.h>

#include <memory>

namespace logo {
namespace {

constexpr int kSeeThroughIndex = 255;
constexpr int kAllocationLimitMb = 256;

[[noreturn]] void fail(const QString& what)
{
    throw LogoError(what.toStdString());
}

// The format of the common pictures from their first bytes, so that the
// reader loads only the one image plugin it needs; empty when unsure, and
// the reader then asks every plugin.
QByteArray sniffedFormat(const QByteArray& head)
{
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return "png";
    if (head.startsWith("\xff\xd8\xff"))
        return "jpeg";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return "gif";
    if (head.startsWith("BM"))
        return "bmp";
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return "webp";
    return {};
}

QImage readFrom(QImageReader& reader)
{
    const QByteArray format = reader.device() ? sniffedFormat(reader.device()->peek(16)) : QByteArray();
    if (!format.isEmpty())
        reader.setFormat(format);
    else
        reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(kAllocationLimitMb);
    QImage image = reader.read(); // the first frame of an animation
    if (image.isNull())
        fail(QStringLiteral("cannot read the picture: %1").arg(reader.errorString()));
    return image;
}

// Straight (not premultiplied) RGBA bytes, 4 per pixel.
QImage rgba(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGBA8888);
}

bool hasSeeThrough(const QImage& picture, const LogoOptions& options)
{
    switch (options.seeThrough) {
    case SeeThrough::Auto:
        return picture.hasAlphaChannel();
    case SeeThrough::None:
        return false;
    case SeeThrough::Alpha:
    case SeeThrough::Colour:
        return true;
    }
    return false;
}

// The picture with its see-through parts fully transparent and the rest
// fully opaque when there are any, else fully opaque.
QImage withSeeThrough(const QImage& picture, const LogoOptions& options)
{
    QImage image = rgba(picture);
    const bool keyed = options.seeThrough == SeeThrough::Colour;
    const bool alpha = hasSeeThrough(picture, options) && !keyed;
    const QRgb key = options.colour;
    // An opaque picture converts to opaque pixels, and alpha is kept as it is.
    if (!keyed && (alpha || !picture.hasAlphaChannel()))
        return image;
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        uchar* p = image.scanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            if (keyed)
                p[3] = (p[0] == qRed(key) && p[1] == qGreen(key) && p[2] == qBlue(key)) ? 0 : 255;
            else if (!alpha)
                p[3] = 255;
        }
    }
    return image;
}

// The picture at `size`, padded, cropped or stretched; padding is
// see-through when the logo has see-through parts, else black. Straight
// RGBA in and out.
QImage fitted(const QImage& image, QSize size, Fit fit, bool seeThrough)
{
    const Filter filter = filterFor(image.size(), size, seeThrough);
    if (fit == Fit::Stretch)
        return resample(image, size, filter);
    const Qt::AspectRatioMode mode = fit == Fit::Pad ? Qt::KeepAspectRatio : Qt::KeepAspectRatioByExpanding;
    const QSize inner = image.size().scaled(size, mode).expandedTo(QSize(1, 1));
    const QImage scaled = resample(image, inner, filter);
    QImage canvas(size, QImage::Format_RGBA8888);
    canvas.fill(seeThrough ? Qt::transparent : Qt::black);
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage((size.width() - scaled.width()) / 2, (size.height() - scaled.height()) / 2, scaled);
    painter.end();
    return canvas;
}

struct Liq {
    liq_attr* attr = liq_attr_create();
    liq_image* image = nullptr;
    liq_result* result = nullptr;
    ~Liq()
    {
        if (result)
            liq_result_destroy(result);
        if (image)
            liq_image_destroy(image);
        if (attr)
            liq_attr_destroy(attr);
    }
};

bool opaqueEnough(const uchar* p) { return p[3] >= 128; }

// Quantises the opaque pixels of `full` (straight RGBA) to at most 255
// colours and maps the level through them; see-through pixels get 255.
void quantise(const QImage& full, bool dither, formats::SprayLevels& spray)
{
    const int w = full.width();
    const int h = full.height();
    // The remapped picture: every pixel opaque, so that no palette entry
    // goes to transparency.
    QImage opaque = full.copy();
    std::vector<uchar> opaquePixels;
    opaquePixels.reserve(static_cast<std::size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        uchar* p = opaque.scanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            if (opaqueEnough(p))
                opaquePixels.insert(opaquePixels.end(), p, p + 3), opaquePixels.push_back(255);
            p[3] = 255;
        }
    }
    if (opaquePixels.empty())
        fail(QStringLiteral("the picture is see-through everywhere"));

    Liq liq;
    if (!liq.attr)
        fail(QStringLiteral("out of memory"));
    liq_set_max_colors(liq.attr, 255);
    liq_set_speed(liq.attr, 3);
    // The palette comes from the opaque pixels alone.
    {
        const int count = static_cast<int>(opaquePixels.size() / 4);
        liq_image* sample = liq_image_create_rgba(liq.attr, opaquePixels.data(), count, 1, 0);
        if (!sample || liq_image_quantize(sample, liq.attr, &liq.result) != LIQ_OK) {
            if (sample)
                liq_image_destroy(sample);
            fail(QStringLiteral("cannot reduce the picture to 255 colours"));
        }
        liq_image_destroy(sample);
    }
    liq_set_dithering_level(liq.result, dither ? 1.0f : 0.0f);
    liq.image = liq_image_create_rgba(liq.attr, opaque.bits(), w, h, 0);
    std::vector<std::uint8_t>& indices = spray.levels[0];
    indices.assign(static_cast<std::size_t>(w) * h, 0);
    if (!liq.image || liq_write_remapped_image(liq.result, liq.image, indices.data(), indices.size()) != LIQ_OK)
        fail(QStringLiteral("cannot reduce the picture to 255 colours"));

    const liq_palette* palette = liq_get_palette(liq.result);
    spray.palette.fill(0);
    for (unsigned i = 0; i < palette->count && i < 255; ++i) {
        spray.palette[3 * i] = palette->entries[i].r;
        spray.palette[3 * i + 1] = palette->entries[i].g;
        spray.palette[3 * i + 2] = palette->entries[i].b;
        // Pure blue is the see-through colour and nothing else may be it.
        if (palette->entries[i].r == 0 && palette->entries[i].g == 0 && palette->entries[i].b == 255)
            spray.palette[3 * i + 2] = 254;
    }
    spray.palette[3 * kSeeThroughIndex] = 0;
    spray.palette[3 * kSeeThroughIndex + 1] = 0;
    spray.palette[3 * kSeeThroughIndex + 2] = 255;
    for (int y = 0; y < h; ++y) {
        const uchar* p = full.constScanLine(y);
        for (int x = 0; x < w; ++x, p += 4)
            if (!opaqueEnough(p))
                indices[static_cast<std::size_t>(y) * w + x] = kSeeThroughIndex;
    }
}

int nearest(const std::array<std::uint8_t, 768>& palette, const uchar* p)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < kSeeThroughIndex; ++i) {
        const int dr = int(palette[3 * i]) - p[0];
        const int dg = int(palette[3 * i + 1]) - p[1];
        const int db = int(palette[3 * i + 2]) - p[2];
        const int d = 2 * dr * dr + 4 * dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// A smaller level, scaled from the full-size picture, through the palette.
void mapLevel(const QImage& scaled, int level, formats::SprayLevels& spray)
{
    const QSize size(scaled.width() >> level, scaled.height() >> level);
    const QImage small = resample(scaled, size, Filter::Mitchell);
    std::vector<std::uint8_t>& indices = spray.levels[level];
    indices.resize(static_cast<std::size_t>(small.width()) * small.height());
    std::size_t i = 0;
    for (int y = 0; y < small.height(); ++y) {
        const uchar* p = small.constScanLine(y);
        for (int x = 0; x < small.width(); ++x, p += 4)
            indices[i++] = static_cast<std::uint8_t>(opaqueEnough(p) ? nearest(spray.palette, p) : kSeeThroughIndex);
    }
}

} // namespace

QImage readPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read the picture: %1").arg(file.errorString()));
    QImageReader reader(&file);
    return readFrom(reader);
}

QImage readPicture(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return readFrom(reader);
}

formats::SprayLevels makeSpray(const QImage& picture, const LogoOptions& options)
{
    QString problem = maxAreaProblem(options.maxArea);
    if (!problem.isEmpty())
        fail(problem);
    if (picture.isNull())
        fail(QStringLiteral("no picture"));
    if (picture.width() < kStep || picture.height() < kStep)
        fail(QStringLiteral("picture too small (%1x%2): a logo needs at least %3x%3 pixels")
                 .arg(picture.width()).arg(picture.height()).arg(kStep));
    const QSize size = options.size.isEmpty() ? chooseSize(picture.size(), options.maxArea) : options.size;
    problem = sizeProblem(size, options.maxArea);
    if (!problem.isEmpty())
        fail(problem);

    const bool seeThrough = hasSeeThrough(picture, options);
    const QImage scaled = fitted(withSeeThrough(picture, options), size, options.fit, seeThrough);
    formats::SprayLevels spray;
    spray.width = size.width();
    spray.height = size.height();
    quantise(scaled, options.dither, spray);
    for (int level = 1; level < 4; ++level)
        mapLevel(scaled, level, spray);
    return spray;
}

QImage sprayPicture(const formats::SprayLevels& spray)
{
    QImage image(spray.width, spray.height, QImage::Format_ARGB32);
    std::size_t i = 0;
    for (int y = 0; y < spray.height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < spray.width; ++x) {
            const int index = spray.levels[0][i++];
            line[x] = index == kSeeThroughIndex
                ? qRgba(0, 0, 0, 0)
                : qRgb(spray.palette[3 * index], spray.palette[3 * index + 1], spray.palette[3 * index + 2]);
        }
    }
    return image;
}

void writeLogoWad(const QString& path, const formats::SprayLevels& spray)
{
    std::vector<std::uint8_t> wad;
    try {
        wad = formats::writeSprayWad(spray);
    } catch (const formats::FormatError& e) {
        throw LogoError(e.what());
    }
    try {
        files::writeAtomically(path.toStdString(), wad);
    } catch (const files::FileError& e) {
        throw LogoError(e.what());
    }
}

QString parseSize(const QString& text, QSize& size)
{
    const QStringList parts = text.toLower().split(QLatin1Char('x'));
    bool okW = false;
    bool okH = false;
    if (parts.size() == 2) {
        size = QSize(parts[0].toInt(&okW), parts[1].toInt(&okH));
        if (okW && okH)
            return {};
    }
    return QStringLiteral("bad size \"%1\": expected WIDTHxHEIGHT").arg(text);
}

QString parseFit(const QString& text, Fit& fit)
{
    if (text == QLatin1String("pad"))
        fit = Fit::Pad;
    else if (text == QLatin1String("crop"))
        fit = Fit::Crop;
    else if (text == QLatin1String("stretch"))
        fit = Fit::Stretch;
    else
        return QStringLiteral("bad fit \"%1\": expected pad, crop or stretch").arg(text);
    return {};
}

QString parseSeeThrough(const QString& text, SeeThrough& mode, QRgb& colour)
{
    if (text == QLatin1String("none")) {
        mode = SeeThrough::None;
        return {};
    }
    if (text == QLatin1String("alpha")) {
        mode = SeeThrough::Alpha;
        return {};
    }
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (ok && text.size() == 6) {
        mode = SeeThrough::Colour;
        colour = qRgb(int(value >> 16) & 0xff, int(value >> 8) & 0xff, int(value) & 0xff);
        return {};
    }
    return QStringLiteral("bad see-through colour \"%1\": expected none, alpha or RRGGBB").arg(text);
}

} // namespace logo
