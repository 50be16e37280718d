#include "logo/SprayRules.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace logo {
namespace {

// How far an aspect may stray from the picture's and still count as close
// (as a factor: 6 %). Pad or crop take up the rest.
constexpr double kAspectTolerance = 0.06;

double aspectError(QSize size, double aspect)
{
    return std::abs(std::log(double(size.width()) / size.height() / aspect));
}

} // namespace

QString sizeProblem(QSize size, int maxArea)
{
    const int w = size.width();
    const int h = size.height();
    if (w <= 0 || h <= 0 || w % kStep != 0 || h % kStep != 0)
        return QStringLiteral("%1x%2: width and height must be multiples of %3").arg(w).arg(h).arg(kStep);
    if (w > kMaxSprayside || h > kMaxSprayside)
        return QStringLiteral("%1x%2: width and height may be at most %3").arg(w).arg(h).arg(kMaxSprayside);
    if (w * h > maxArea)
        return QStringLiteral("%1x%2: %3 pixels, more than the limit of %4").arg(w).arg(h).arg(w * h).arg(maxArea);
    return {};
}

QString maxAreaProblem(int maxArea)
{
    if (maxArea < kSmallestMaxArea || maxArea > kLargestMaxArea)
        return QStringLiteral("the largest area must lie between %1 and %2 pixels, not %3")
            .arg(kSmallestMaxArea).arg(kLargestMaxArea).arg(maxArea);
    return {};
}

std::vector<QSize> sizesNear(QSize picture, int maxArea)
{
    const double aspect = picture.isEmpty() ? 1.0 : double(picture.width()) / picture.height();
    std::vector<QSize> close;
    QSize best;
    double bestError = 1e9;
    for (int w = kStep; w <= kMaxSprayside; w += kStep)
        for (int h = kStep; h <= kMaxSprayside; h += kStep) {
            const QSize size(w, h);
            if (w * h > maxArea)
                continue;
            const double error = aspectError(size, aspect);
            if (error <= kAspectTolerance)
                close.push_back(size);
            if (error < bestError - 1e-12
                || (error < bestError + 1e-12 && w * h > best.width() * best.height())) {
                bestError = error;
                best = size;
            }
        }
    if (close.empty())
        return {best};
    std::stable_sort(close.begin(), close.end(), [aspect](QSize a, QSize b) {
        const int areaA = a.width() * a.height();
        const int areaB = b.width() * b.height();
        if (areaA != areaB)
            return areaA > areaB;
        return aspectError(a, aspect) < aspectError(b, aspect);
    });
    return close;
}

QSize chooseSize(QSize picture, int maxArea)
{
    return sizesNear(picture, maxArea).front();
}

} // namespace logo
