#include "logo/GameLook.h"

#include "formats/SprayCheck.h"

#include <cstring>

namespace logo {

Rgba gameLook(const formats::WadPicture& picture)
{
    Rgba out;
    out.width = picture.width;
    out.height = picture.height;
    out.bytes.resize(picture.indices.size() * 4);
    const bool decal = formats::sprayKind(picture.palette) == formats::SprayKind::Decal;
    const std::uint8_t* tint = &picture.palette[3 * formats::kSeeThroughIndex];
    std::uint8_t* p = out.bytes.data();
    for (std::uint8_t index : picture.indices) {
        if (decal) {
            std::memcpy(p, tint, 3);
            p[3] = index;
        } else {
            std::memcpy(p, &picture.palette[3u * index], 3);
            p[3] = index == formats::kSeeThroughIndex ? 0 : 255;
        }
        out.hasAlpha = out.hasAlpha || p[3] != 255;
        p += 4;
    }
    return out;
}

} // namespace logo
