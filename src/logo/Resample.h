#pragma once

#include <QImage>
#include <QSize>

namespace logo {

// The resampling filters a logo is scaled with.
enum class Filter {
    Lanczos, // three-lobed Lanczos: sharp, for shrinking opaque photographs
    Mitchell, // Mitchell-Netravali cubic (B = C = 1/3): for enlarging and for see-through pictures
};

// The filter that suits scaling `from` to `to`: Mitchell when enlarging or
// when the picture has see-through parts, else Lanczos.
Filter filterFor(QSize from, QSize to, bool seeThrough);

// `image` (straight RGBA8888) resampled to `size` with a separable filter on
// premultiplied alpha, so that see-through pixels lend no colour to their
// neighbours. The result is straight RGBA8888.
QImage resample(const QImage& image, QSize size, Filter filter);

} // namespace logo
