#pragma once

#include "logo/Pixels.h"

#include <cstdint>
#include <vector>

namespace logo {

// The resampling filters a logo is scaled with.
enum class Filter {
    Lanczos, // three-lobed Lanczos: sharp, for shrinking opaque photographs
    Mitchell, // Mitchell-Netravali cubic (B = C = 1/3): for enlarging and for see-through pictures
};

// The filter that suits scaling `from` to `to`: Mitchell when enlarging or
// when the picture has see-through parts, else Lanczos.
Filter filterFor(Size from, Size to, bool seeThrough);

// Scales a straight RGBA picture that arrives one row at a time, so that
// the rows of a large picture never need to be held at once. The separable
// filter works on premultiplied alpha, so that see-through pixels lend no
// colour to their neighbours: each source row is converted to floats once
// and added into the few output rows it reaches; the columns are filtered
// when all rows are in.
class Resampler {
public:
    // `opaque`: every source pixel is fully opaque, which saves the
    // premultiplication.
    Resampler(Size from, Size to, Filter filter, bool opaque = false);
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // The next source row, from.width straight RGBA pixels.
    void addRow(const std::uint8_t* rgba);
    // After the last row: the picture at `to`, straight RGBA.
    Rgba finish();

    // The taps of one output position: the first source index and its weights.
    struct Taps {
        int start = 0;
        std::vector<float> weights;
        int stop() const { return start + int(weights.size()); }
    };

private:
    void finishRow(int row);

    Size from_;
    Size to_;
    bool opaque_;
    int nextRow_ = 0;
    std::vector<Taps> rows_;    // per output row
    std::vector<Taps> columns_; // per output column
    std::vector<float> line_;   // one source row as premultiplied floats
    // The output rows still taking source rows, each from.width x 4 sums;
    // output row j uses slot j % slots_, as no more rows are open at once.
    int slots_ = 1;
    std::vector<float> sums_;
    int firstOpen_ = 0; // the first output row not yet finished
    Rgba out_;
};

// `image` resampled to `size` in one go.
Rgba resample(const Rgba& image, Size size, Filter filter);

} // namespace logo
