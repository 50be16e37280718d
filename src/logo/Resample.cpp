#include "logo/Resample.h"

#include "logo/SprayMaker.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace logo {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The most floats the scaler's tables (the weights, and the sums of the
// output rows still open) may take: 64 MiB. Pictures within the readers'
// limits stay far below; a stranger shape is refused rather than taking
// gigabytes.
constexpr double kMaxTableFloats = 16.0 * 1024 * 1024;

[[noreturn]] void tooExtreme(Size from, Size to)
{
    throw LogoError("the picture (" + std::to_string(from.width) + "x" + std::to_string(from.height)
                    + ") cannot be scaled to " + std::to_string(to.width) + "x" + std::to_string(to.height)
                    + ": its shape is too extreme");
}

double sinc(double x)
{
    if (x == 0)
        return 1;
    const double a = kPi * x;
    return std::sin(a) / a;
}

double support(Filter filter) { return filter == Filter::Lanczos ? 3.0 : 2.0; }

double weight(Filter filter, double x)
{
    x = std::fabs(x);
    if (filter == Filter::Lanczos)
        return x < 3 ? sinc(x) * sinc(x / 3) : 0;
    constexpr double b = 1.0 / 3, c = 1.0 / 3;
    if (x < 1)
        return ((12 - 9 * b - 6 * c) * x * x * x + (-18 + 12 * b + 6 * c) * x * x + (6 - 2 * b)) / 6;
    if (x < 2)
        return ((-b - 6 * c) * x * x * x + (6 * b + 30 * c) * x * x + (-12 * b - 48 * c) * x + (8 * b + 24 * c)) / 6;
    return 0;
}

// Taps for scaling `from` samples to `to`, the filter widened by the
// shrinking factor so that every source sample is covered.
std::vector<Resampler::Taps> taps(int from, int to, Filter filter)
{
    const double factor = double(to) / from;
    double scale = std::max(1.0 / factor, 1.0);
    double reach = scale * support(filter);
    if (reach < 0.5) {
        reach = 0.5;
        scale = 1.0;
    }
    if (double(to) * (2 * reach + 2) > kMaxTableFloats)
        return {};
    std::vector<Resampler::Taps> result(to);
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) / factor;
        const int start = std::max(int(centre - reach + 0.5), 0);
        const int stop = std::min(int(centre + reach + 0.5), from);
        Resampler::Taps& t = result[i];
        t.start = start;
        double sum = 0;
        for (int n = start; n < stop; ++n) {
            const double w = weight(filter, (n - centre + 0.5) / scale);
            t.weights.push_back(float(w));
            sum += w;
        }
        if (sum != 0)
            for (float& w : t.weights)
                w = float(w / sum);
    }
    return result;
}

// Keeps a premultiplied pixel within range after negative filter lobes.
inline void clampPixel(float* p)
{
    const float a = std::clamp(p[3], 0.0f, 1.0f);
    for (int c = 0; c < 3; ++c)
        p[c] = std::clamp(p[c], 0.0f, a);
    p[3] = a;
}

// The scaler's two loops over whole rows, also built for AVX2 and picked
// at start where the processor has it: twice the floats an instruction,
// the same sums in the same order, so the same result.
#if defined(__GNUC__) && defined(__x86_64__) && defined(__linux__)
#define LOGO_ROW_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define LOGO_ROW_LOOP
#endif

LOGO_ROW_LOOP void toFloats(const std::uint8_t* p, float* line, int n)
{
    for (int i = 0; i < n; ++i)
        line[i] = p[i] * (1.0f / 255);
}

LOGO_ROW_LOOP void addScaled(float* __restrict sum, const float* __restrict line, float k, int n)
{
    for (int i = 0; i < n; ++i)
        sum[i] += k * line[i];
}

// Adds the weighted pixels from `s` on to the pixel `p`: its four channels
// at once where the processor takes four floats an instruction, with the
// same products and sums as one channel at a time.
void addColumns(float* p, const float* s, const std::vector<float>& weights)
{
#if defined(__SSE2__) || defined(_M_X64)
    __m128 sum = _mm_loadu_ps(p);
    for (float k : weights) {
        sum = _mm_add_ps(sum, _mm_mul_ps(_mm_set1_ps(k), _mm_loadu_ps(s)));
        s += 4;
    }
    _mm_storeu_ps(p, sum);
#else
    for (float k : weights) {
        for (int c = 0; c < 4; ++c)
            p[c] += k * s[c];
        s += 4;
    }
#endif
}

} // namespace

Filter filterFor(Size from, Size to, bool seeThrough)
{
    const bool enlarging = double(to.width) * to.height > double(from.width) * from.height;
    return seeThrough || enlarging ? Filter::Mitchell : Filter::Lanczos;
}

Resampler::Resampler(Size from, Size to, Filter filter, bool opaque)
    : from_(from), to_(to), opaque_(opaque),
      rows_(taps(from.height, to.height, filter)), columns_(taps(from.width, to.width, filter)),
      line_(std::size_t(from.width) * 4)
{
    if (from.empty() || to.empty() || rows_.empty() || columns_.empty())
        tooExtreme(from, to);
    // As many slots as output rows that one source row reaches at most.
    std::vector<int> reached(std::size_t(from.height) + 1, 0);
    for (const Taps& t : rows_)
        for (int y = t.start; y < t.stop(); ++y)
            slots_ = std::max(slots_, ++reached[std::size_t(y)]);
    if (double(slots_) * from.width * 4 > kMaxTableFloats)
        tooExtreme(from, to);
    sums_.assign(std::size_t(slots_) * from.width * 4, 0.0f);
    out_.width = to.width;
    out_.height = to.height;
    out_.hasAlpha = true;
    out_.bytes.resize(std::size_t(to.width) * to.height * 4);
}

void Resampler::addRow(const std::uint8_t* p)
{
    const int y = nextRow_++;
    const int n = from_.width * 4;
    float* line = line_.data();
    if (opaque_) {
        toFloats(p, line, n);
    } else {
        for (int i = 0; i < n; i += 4) {
            const float a = p[i + 3] * (1.0f / 255);
            const float k = a * (1.0f / 255);
            line[i] = p[i] * k;
            line[i + 1] = p[i + 1] * k;
            line[i + 2] = p[i + 2] * k;
            line[i + 3] = a;
        }
    }
    for (int j = firstOpen_; j < to_.height && rows_[j].start <= y; ++j) {
        const Taps& t = rows_[j];
        if (y >= t.stop())
            continue;
        const float k = t.weights[std::size_t(y - t.start)];
        addScaled(&sums_[std::size_t(j % slots_) * n], line, k, n);
    }
    while (firstOpen_ < to_.height && rows_[firstOpen_].stop() <= nextRow_)
        finishRow(firstOpen_++);
}

// The columns of a finished output row, then its slot emptied for reuse.
void Resampler::finishRow(int row)
{
    const int n = from_.width * 4;
    float* sum = &sums_[std::size_t(row % slots_) * n];
    for (int i = 0; i < n; i += 4)
        clampPixel(sum + i);
    std::uint8_t* o = out_.row(row);
    for (const Taps& t : columns_) {
        float p[4] = {0, 0, 0, 0};
        addColumns(p, sum + 4 * t.start, t.weights);
        clampPixel(p);
        const float a = p[3];
        for (int c = 0; c < 3; ++c)
            o[c] = a > 0 ? std::uint8_t(std::lround(p[c] / a * 255)) : 0;
        o[3] = std::uint8_t(std::lround(a * 255));
        o += 4;
    }
    std::fill(sum, sum + n, 0.0f);
}

Rgba Resampler::finish()
{
    while (firstOpen_ < to_.height)
        finishRow(firstOpen_++);
    return std::move(out_);
}

Rgba resample(const Rgba& image, Size size, Filter filter)
{
    Resampler resampler(image.size(), size, filter);
    for (int y = 0; y < image.height; ++y)
        resampler.addRow(image.row(y));
    return resampler.finish();
}

} // namespace logo
