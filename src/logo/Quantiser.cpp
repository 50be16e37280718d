#include "logo/Quantiser.h"

#include "logo/SprayMaker.h"

#ifdef TAGOMAT_LATE_QUANTISER
#include "store/LateLibrary.h"

#include <mutex>
#include <string>
#endif

namespace logo {

#ifdef TAGOMAT_LATE_QUANTISER

const Quantiser& quantiser()
{
    static Quantiser liq;
    static std::string problem;
    static std::once_flag once;
    std::call_once(once, [] {
        problem = store::loadLate(QStringLiteral("imagequant"), 0,
                                  QStringLiteral("libimagequant, which reduces a logo to 255 colours"),
                                  [](QLibrary& library, QString& missing) {
                                      store::resolveLate(library, "liq_attr_create", liq.attrCreate, missing);
                                      store::resolveLate(library, "liq_attr_destroy", liq.attrDestroy, missing);
                                      store::resolveLate(library, "liq_set_max_colors", liq.setMaxColors, missing);
                                      store::resolveLate(library, "liq_set_speed", liq.setSpeed, missing);
                                      store::resolveLate(library, "liq_image_create_rgba", liq.imageCreateRgba, missing);
                                      store::resolveLate(library, "liq_image_destroy", liq.imageDestroy, missing);
                                      store::resolveLate(library, "liq_image_quantize", liq.imageQuantize, missing);
                                      store::resolveLate(library, "liq_set_dithering_level", liq.setDitheringLevel, missing);
                                      store::resolveLate(library, "liq_write_remapped_image", liq.writeRemappedImage, missing);
                                      store::resolveLate(library, "liq_get_palette", liq.getPalette, missing);
                                      store::resolveLate(library, "liq_result_destroy", liq.resultDestroy, missing);
                                  })
                      .toStdString();
    });
    if (!problem.empty())
        throw LogoError(problem);
    return liq;
}

#else

const Quantiser& quantiser()
{
    static const Quantiser liq{&liq_attr_create,       &liq_attr_destroy,        &liq_set_max_colors,
                               &liq_set_speed,         &liq_image_create_rgba,   &liq_image_destroy,
                               &liq_image_quantize,    &liq_set_dithering_level, &liq_write_remapped_image,
                               &liq_get_palette,       &liq_result_destroy};
    return liq;
}

#endif

} // namespace logo
