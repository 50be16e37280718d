#include "SlotExchange.h"

#include "SlotDrag.h"
#include "SlotMenu.h"
#include "app/CommandGuard.h"
#include "app/TDBImage.h"
#include "core/Library.h"

namespace slotedit {

void attachSlotDrag(core::Library& library, QWidget* window, const std::array<TDBImage*, 8>& pictures)
{
    auto* drag = new SlotDrag(window);
    for (TDBImage* picture : pictures)
        QObject::connect(picture, &TDBImage::mouseDown, drag,
                         [drag](TDBImage* picture, Qt::MouseButtons buttons, Qt::KeyboardModifiers) {
                             drag->mouseDown(picture, buttons);
                         });
    QObject::connect(drag, &SlotDrag::dropped, window, [&library](TDBImage* source, TDBImage* target) {
        app::runCommand([&] { library.exchangeSlots(source->slot(), target->slot()); });
    });
    attachSlotMenu(library, window, *drag);
}

} // namespace slotedit
