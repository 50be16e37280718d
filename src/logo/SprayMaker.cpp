#include "logo/SprayMaker.h"

#include "files/FileOps.h"
#include "formats/Image.h"

#include "logo/Quantiser.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <limits>

namespace logo {
namespace {

constexpr int kSeeThroughIndex = 255;

[[noreturn]] void fail(const std::string& what)
{
    throw LogoError(what);
}

bool hasSeeThrough(bool hasAlpha, const LogoOptions& options)
{
    switch (options.seeThrough) {
    case SeeThrough::Auto:
        return hasAlpha;
    case SeeThrough::None:
        return false;
    case SeeThrough::Alpha:
    case SeeThrough::Colour:
        return true;
    }
    return false;
}

// `picture` scaled to fit `size` keeping its aspect: within it (pad) or
// covering it (crop).
Size keepingAspect(Size picture, Size size, bool covering)
{
    const long long rw = (long long)size.height * picture.width / picture.height;
    const bool useHeight = covering ? rw >= size.width : rw <= size.width;
    if (useHeight)
        return {int(rw), size.height};
    return {size.width, int((long long)size.width * picture.height / picture.width)};
}

struct Liq {
    const Quantiser& lib = quantiser();
    liq_attr* attr = lib.attrCreate();
    liq_image* image = nullptr;
    liq_result* result = nullptr;
    ~Liq()
    {
        if (result)
            lib.resultDestroy(result);
        if (image)
            lib.imageDestroy(image);
        if (attr)
            lib.attrDestroy(attr);
    }
};

bool opaqueEnough(const std::uint8_t* p) { return p[3] >= 128; }

// Quantises the opaque pixels of `full` to at most 255 colours and maps the
// level through them; see-through pixels get 255.
void quantise(const Rgba& full, bool dither, formats::SprayLevels& spray)
{
    const int w = full.width;
    const int h = full.height;
    // The remapped picture: every pixel opaque, so that no palette entry
    // goes to transparency.
    std::vector<std::uint8_t> opaque = full.bytes;
    std::vector<std::uint8_t> opaquePixels;
    opaquePixels.reserve(opaque.size());
    for (std::size_t i = 0; i < opaque.size(); i += 4) {
        std::uint8_t* p = &opaque[i];
        if (opaqueEnough(p))
            opaquePixels.insert(opaquePixels.end(), p, p + 3), opaquePixels.push_back(255);
        p[3] = 255;
    }
    if (opaquePixels.empty())
        fail("the picture is see-through everywhere");

    Liq liq;
    if (!liq.attr)
        fail("out of memory");
    liq.lib.setMaxColors(liq.attr, 255);
    // Without dithering, speed 6 gives the palette of speed 3 to within a
    // fraction of a level (its fewer k-means rounds and palette trials change
    // nothing one sees), and a logo from a 640x480 picture takes a quarter
    // less time. Dithering keeps 3: above 5 libimagequant dithers the edges
    // too, which one does see.
    liq.lib.setSpeed(liq.attr, dither ? 3 : 6);
    // The palette comes from the opaque pixels alone.
    {
        const int count = static_cast<int>(opaquePixels.size() / 4);
        liq_image* sample = liq.lib.imageCreateRgba(liq.attr, opaquePixels.data(), count, 1, 0);
        if (!sample || liq.lib.imageQuantize(sample, liq.attr, &liq.result) != LIQ_OK) {
            if (sample)
                liq.lib.imageDestroy(sample);
            fail("cannot reduce the picture to 255 colours");
        }
        liq.lib.imageDestroy(sample);
    }
    liq.lib.setDitheringLevel(liq.result, dither ? 1.0f : 0.0f);
    liq.image = liq.lib.imageCreateRgba(liq.attr, opaque.data(), w, h, 0);
    std::vector<std::uint8_t>& indices = spray.levels[0];
    indices.assign(static_cast<std::size_t>(w) * h, 0);
    if (!liq.image || liq.lib.writeRemappedImage(liq.result, liq.image, indices.data(), indices.size()) != LIQ_OK)
        fail("cannot reduce the picture to 255 colours");

    const liq_palette* palette = liq.lib.getPalette(liq.result);
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
    for (std::size_t i = 0; i < indices.size(); ++i)
        if (!opaqueEnough(&full.bytes[4 * i]))
            indices[i] = kSeeThroughIndex;
}

// The palette entry nearest to a colour (red, green and blue weighted 2, 4
// and 1), the first of equals; the see-through entry is never chosen. The
// distances to all entries are taken in one loop the compiler vectorises,
// and a run of one colour is looked up once.
class NearestColour {
public:
    explicit NearestColour(const std::array<std::uint8_t, 768>& palette)
    {
        for (int i = 0; i < kLanes; ++i) {
            // The padding past the palette is farther than any colour.
            const bool used = i < kSeeThroughIndex;
            r_[i] = used ? palette[3 * i] : 1e6f;
            g_[i] = used ? palette[3 * i + 1] : 1e6f;
            b_[i] = used ? palette[3 * i + 2] : 1e6f;
        }
    }

    int operator()(const std::uint8_t* p)
    {
        if (lastIndex_ >= 0 && p[0] == last_[0] && p[1] == last_[1] && p[2] == last_[2])
            return lastIndex_;
        // Every distance and the least of them, then the first colour at
        // that distance. Floats hold these whole numbers exactly (the
        // largest distance is below 2^19), four at a time where they can.
        const float least = distances(p[0], p[1], p[2]);
        int best = 0;
        while (distance_[best] != least)
            ++best;
        std::memcpy(last_, p, 3);
        lastIndex_ = best;
        return best;
    }

private:
    static constexpr int kLanes = 256;

#if defined(__SSE2__) || defined(_M_X64)
    float distances(float r, float g, float b)
    {
        const __m128 vr = _mm_set1_ps(r), vg = _mm_set1_ps(g), vb = _mm_set1_ps(b);
        const __m128 two = _mm_set1_ps(2), four = _mm_set1_ps(4);
        __m128 least = _mm_set1_ps(std::numeric_limits<float>::max());
        for (int i = 0; i < kLanes; i += 4) {
            const __m128 dr = _mm_sub_ps(_mm_load_ps(r_ + i), vr);
            const __m128 dg = _mm_sub_ps(_mm_load_ps(g_ + i), vg);
            const __m128 db = _mm_sub_ps(_mm_load_ps(b_ + i), vb);
            const __m128 d = _mm_add_ps(_mm_add_ps(_mm_mul_ps(two, _mm_mul_ps(dr, dr)), _mm_mul_ps(four, _mm_mul_ps(dg, dg))),
                                        _mm_mul_ps(db, db));
            _mm_store_ps(distance_ + i, d);
            least = _mm_min_ps(least, d);
        }
        alignas(16) float lanes[4];
        _mm_store_ps(lanes, least);
        return std::min(std::min(lanes[0], lanes[1]), std::min(lanes[2], lanes[3]));
    }
#else
    float distances(float r, float g, float b)
    {
        float least = std::numeric_limits<float>::max();
        for (int i = 0; i < kLanes; ++i) {
            const float dr = r_[i] - r, dg = g_[i] - g, db = b_[i] - b;
            distance_[i] = 2 * (dr * dr) + 4 * (dg * dg) + db * db;
            least = std::min(least, distance_[i]);
        }
        return least;
    }
#endif

    alignas(16) float r_[kLanes];
    alignas(16) float g_[kLanes];
    alignas(16) float b_[kLanes];
    alignas(16) float distance_[kLanes];
    std::uint8_t last_[3] = {0, 0, 0};
    int lastIndex_ = -1;
};

// A smaller level, scaled from the full-size picture, through the palette.
void mapLevel(const Rgba& scaled, int level, formats::SprayLevels& spray)
{
    const Rgba small = resample(scaled, {scaled.width >> level, scaled.height >> level}, Filter::Mitchell);
    std::vector<std::uint8_t>& indices = spray.levels[level];
    indices.resize(static_cast<std::size_t>(small.width) * small.height);
    NearestColour nearest(spray.palette);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const std::uint8_t* p = &small.bytes[4 * i];
        indices[i] = static_cast<std::uint8_t>(opaqueEnough(p) ? nearest(p) : kSeeThroughIndex);
    }
}

} // namespace

bool parseNumber(const std::string& text, int& value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i == text.size() || text.size() - i > 9)
        return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        v = v * 10 + (text[i] - '0');
    }
    value = int(negative ? -v : v);
    return true;
}

Size SprayMaker::logoSize(Size picture, const LogoOptions& options)
{
    std::string problem = maxAreaProblem(options.maxArea);
    if (!problem.empty())
        fail(problem);
    if (picture.empty())
        fail("no picture");
    if (picture.width < kStep || picture.height < kStep)
        fail("picture too small (" + std::to_string(picture.width) + "x" + std::to_string(picture.height)
             + "): a logo needs at least " + std::to_string(kStep) + "x" + std::to_string(kStep) + " pixels");
    const int maxSide = maxSideFor(options.serverSafe);
    const bool chosen = options.size.width == 0 && options.size.height == 0;
    const Size size = chosen ? chooseSize(picture, options.maxArea, maxSide) : options.size;
    problem = sizeProblem(size, options.maxArea, maxSide);
    if (!problem.empty())
        fail(problem);
    return size;
}

SprayMaker::SprayMaker(Size picture, bool hasAlpha, const LogoOptions& options)
{
    size_ = logoSize(picture, options);

    seeThrough_ = hasSeeThrough(hasAlpha, options);
    keyed_ = options.seeThrough == SeeThrough::Colour;
    // Alpha is kept as it is when it makes the see-through parts; otherwise
    // every pixel counts as opaque.
    forceOpaque_ = !seeThrough_ && hasAlpha;
    key_ = options.colour;
    dither_ = options.dither;
    if (keyed_ || forceOpaque_)
        row_.resize(std::size_t(picture.width) * 4);
    inner_ = options.fit == Fit::Stretch ? size_ : keepingAspect(picture, size_, options.fit == Fit::Crop);
    inner_ = {std::max(inner_.width, 1), std::max(inner_.height, 1)};
    resampler_ = std::make_unique<Resampler>(picture, inner_, filterFor(picture, inner_, seeThrough_), !seeThrough_);
}

void SprayMaker::addRow(const std::uint8_t* rgba)
{
    if (row_.empty()) {
        resampler_->addRow(rgba);
        return;
    }
    std::memcpy(row_.data(), rgba, row_.size());
    const int r = redOf(key_), g = greenOf(key_), b = blueOf(key_);
    for (std::size_t i = 0; i < row_.size(); i += 4) {
        std::uint8_t* p = &row_[i];
        p[3] = keyed_ ? ((p[0] == r && p[1] == g && p[2] == b) ? 0 : 255) : 255;
    }
    resampler_->addRow(row_.data());
}

formats::SprayLevels SprayMaker::finish()
{
    Rgba scaled = resampler_->finish();
    if (inner_ != size_) {
        // Padding is see-through when the logo has see-through parts, else black.
        Rgba canvas;
        canvas.width = size_.width;
        canvas.height = size_.height;
        canvas.bytes.assign(std::size_t(size_.width) * size_.height * 4, 0);
        if (!seeThrough_)
            for (std::size_t i = 3; i < canvas.bytes.size(); i += 4)
                canvas.bytes[i] = 255;
        const int dx = (size_.width - inner_.width) / 2;
        const int dy = (size_.height - inner_.height) / 2;
        const int x0 = std::max(dx, 0), x1 = std::min(dx + inner_.width, size_.width);
        for (int y = std::max(dy, 0); y < std::min(dy + inner_.height, size_.height); ++y)
            std::memcpy(canvas.row(y) + 4 * x0, scaled.row(y - dy) + 4 * (x0 - dx), std::size_t(x1 - x0) * 4);
        scaled = std::move(canvas);
    }
    formats::SprayLevels spray;
    spray.width = size_.width;
    spray.height = size_.height;
    quantise(scaled, dither_, spray);
    for (int level = 1; level < 4; ++level)
        mapLevel(scaled, level, spray);
    return spray;
}

formats::SprayLevels makeSpray(const Rgba& picture, const LogoOptions& options)
{
    SprayMaker maker(picture.size(), picture.hasAlpha, options);
    for (int y = 0; y < picture.height; ++y)
        maker.addRow(picture.row(y));
    return maker.finish();
}

void writeLogoWad(const std::string& path, const formats::SprayLevels& spray, files::Durability durability)
{
    std::vector<std::uint8_t> wad;
    try {
        wad = formats::writeSprayWad(spray);
    } catch (const formats::FormatError& e) {
        throw LogoError(e.what());
    }
    try {
        files::writeAtomically(path, wad, durability);
    } catch (const files::FileError& e) {
        throw LogoError(e.what());
    }
}

std::string parseSize(const std::string& text, Size& size)
{
    const std::size_t x = text.find_first_of("xX");
    if (x != std::string::npos && text.find_first_of("xX", x + 1) == std::string::npos
        && parseNumber(text.substr(0, x), size.width) && parseNumber(text.substr(x + 1), size.height)) {
        if (size.width > 0 && size.height > 0)
            return {};
        return "bad size \"" + text + "\": width and height must be more than 0";
    }
    return "bad size \"" + text + "\": expected WIDTHxHEIGHT";
}

std::string parseFit(const std::string& text, Fit& fit)
{
    if (text == "pad")
        fit = Fit::Pad;
    else if (text == "crop")
        fit = Fit::Crop;
    else if (text == "stretch")
        fit = Fit::Stretch;
    else
        return "bad fit \"" + text + "\": expected pad, crop or stretch";
    return {};
}

std::string parseSeeThrough(const std::string& text, SeeThrough& mode, std::uint32_t& colour)
{
    if (text == "none") {
        mode = SeeThrough::None;
        return {};
    }
    if (text == "alpha") {
        mode = SeeThrough::Alpha;
        return {};
    }
    if (text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
        mode = SeeThrough::Colour;
        colour = 0xff000000u | std::uint32_t(std::stoul(text, nullptr, 16));
        return {};
    }
    return "bad see-through colour \"" + text + "\": expected none, alpha or RRGGBB";
}

} // namespace logo
