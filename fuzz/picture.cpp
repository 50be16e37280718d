// Slot picture fields as they come out of a table: the graphic header, the
// bitmap behind it, and the picture shown in a slot.
#include "store/PictureField.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray field(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QImage image = store::pictureImage(field);
    if (!image.isNull()) {
        // A shown picture stored again shows the same.
        const QImage again = store::pictureImage(store::pictureFromImage(image));
        if (again.size() != image.size())
            std::abort();
    }
    (void)store::unwrapPicture(field);
    return 0;
}
