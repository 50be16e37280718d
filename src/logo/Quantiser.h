// The functions of libimagequant the logo maker calls. The converter, which
// makes a logo each time it runs, links the library; the window program,
// which starts far more often than it makes a logo, loads it when it makes
// its first (built with TAGOMAT_LATE_QUANTISER).
#pragma once

#include <libimagequant.h>

namespace logo {

struct Quantiser {
    decltype(&liq_attr_create) attrCreate = nullptr;
    decltype(&liq_attr_destroy) attrDestroy = nullptr;
    decltype(&liq_set_max_colors) setMaxColors = nullptr;
    decltype(&liq_set_speed) setSpeed = nullptr;
    decltype(&liq_image_create_rgba) imageCreateRgba = nullptr;
    decltype(&liq_image_destroy) imageDestroy = nullptr;
    decltype(&liq_image_quantize) imageQuantize = nullptr;
    decltype(&liq_set_dithering_level) setDitheringLevel = nullptr;
    decltype(&liq_write_remapped_image) writeRemappedImage = nullptr;
    decltype(&liq_get_palette) getPalette = nullptr;
    decltype(&liq_result_destroy) resultDestroy = nullptr;
};

// Throws LogoError, naming why, when the library cannot be loaded.
const Quantiser& quantiser();

} // namespace logo
