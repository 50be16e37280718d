#include "logo/Resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace logo {
namespace {

constexpr double kPi = 3.14159265358979323846;

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

// The taps of one output position: the first source index and its weights.
struct Taps {
    int start = 0;
    std::vector<float> weights;
};

// Taps for scaling `from` samples to `to`, the filter widened by the
// shrinking factor so that every source sample is covered.
std::vector<Taps> taps(int from, int to, Filter filter)
{
    const double factor = double(to) / from;
    double scale = std::max(1.0 / factor, 1.0);
    double reach = scale * support(filter);
    if (reach < 0.5) {
        reach = 0.5;
        scale = 1.0;
    }
    std::vector<Taps> result(to);
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) / factor;
        const int start = std::max(int(centre - reach + 0.5), 0);
        const int stop = std::min(int(centre + reach + 0.5), from);
        Taps& t = result[i];
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

// Premultiplied float RGBA, 4 floats a pixel.
struct Plane {
    int width = 0;
    int height = 0;
    std::vector<float> values;
};

// Keeps a premultiplied pixel within range after negative filter lobes.
void clampPixel(float* p)
{
    const float a = std::clamp(p[3], 0.0f, 1.0f);
    for (int c = 0; c < 3; ++c)
        p[c] = std::clamp(p[c], 0.0f, a);
    p[3] = a;
}

// The vertical pass, straight from the 8-bit picture.
Plane vertical(const QImage& image, int rows, Filter filter)
{
    const int w = image.width();
    Plane out{w, rows, std::vector<float>(std::size_t(w) * rows * 4, 0.0f)};
    std::vector<float> line(std::size_t(w) * 4);
    std::vector<std::vector<float>> premultiplied(image.height());
    const std::vector<Taps> t = taps(image.height(), rows, filter);
    // Each source row is premultiplied once, when first needed.
    auto source = [&](int y) -> const std::vector<float>& {
        std::vector<float>& row = premultiplied[y];
        if (row.empty()) {
            row.resize(std::size_t(w) * 4);
            const uchar* p = image.constScanLine(y);
            for (int x = 0; x < w; ++x, p += 4) {
                const float a = p[3] / 255.0f;
                const float k = a / 255.0f;
                row[4 * x] = p[0] * k;
                row[4 * x + 1] = p[1] * k;
                row[4 * x + 2] = p[2] * k;
                row[4 * x + 3] = a;
            }
        }
        return row;
    };
    for (int y = 0; y < rows; ++y) {
        float* o = &out.values[std::size_t(y) * w * 4];
        for (std::size_t n = 0; n < t[y].weights.size(); ++n) {
            const int sy = t[y].start + int(n);
            const std::vector<float>& row = source(sy);
            const float k = t[y].weights[n];
            for (std::size_t i = 0; i < row.size(); ++i)
                o[i] += k * row[i];
            // A source row is used by the few output rows that overlap it;
            // once past them it is let go.
            if (y + 1 < rows && sy < t[y + 1].start)
                std::vector<float>().swap(premultiplied[sy]);
        }
        for (int x = 0; x < w; ++x)
            clampPixel(o + 4 * x);
    }
    return out;
}

QImage horizontal(const Plane& in, int columns, Filter filter)
{
    QImage out(columns, in.height, QImage::Format_RGBA8888);
    const std::vector<Taps> t = taps(in.width, columns, filter);
    for (int y = 0; y < in.height; ++y) {
        const float* row = &in.values[std::size_t(y) * in.width * 4];
        uchar* o = out.scanLine(y);
        for (int x = 0; x < columns; ++x, o += 4) {
            float p[4] = {0, 0, 0, 0};
            const float* s = row + 4 * t[x].start;
            for (float k : t[x].weights) {
                for (int c = 0; c < 4; ++c)
                    p[c] += k * s[c];
                s += 4;
            }
            clampPixel(p);
            const float a = p[3];
            for (int c = 0; c < 3; ++c)
                o[c] = a > 0 ? uchar(std::lround(p[c] / a * 255)) : 0;
            o[3] = uchar(std::lround(a * 255));
        }
    }
    return out;
}

} // namespace

Filter filterFor(QSize from, QSize to, bool seeThrough)
{
    const bool enlarging = double(to.width()) * to.height() > double(from.width()) * from.height();
    return seeThrough || enlarging ? Filter::Mitchell : Filter::Lanczos;
}

QImage resample(const QImage& image, QSize size, Filter filter)
{
    const QImage source = image.format() == QImage::Format_RGBA8888 ? image : image.convertToFormat(QImage::Format_RGBA8888);
    return horizontal(vertical(source, size.height(), filter), size.width(), filter);
}

} // namespace logo
