#include "SlotExchange.h"

#include "SlotDrag.h"
#include "SlotMenu.h"
#include "app/CommandGuard.h"
#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "store/Records.h"
#include "store/Table.h"

namespace slotedit {

void attachSlotDrag(TForm1& form)
{
    auto* drag = new SlotDrag(&form);
    for (int n = 1; n <= store::LogoPage::kSlots; ++n)
        QObject::connect(form.picture(n), &TDBImage::mouseDown, drag,
                         [drag](TDBImage* picture, Qt::MouseButtons buttons, Qt::KeyboardModifiers) {
                             drag->mouseDown(picture, buttons);
                         });
    QObject::connect(drag, &SlotDrag::dropped, &form, [&form](TDBImage* source, TDBImage* target) {
        app::runCommand([&] { exchangeSlots(form, source->slot(), target->slot()); });
    });
    attachSlotMenu(form, *drag);
}

void exchangeSlots(TForm1& form, int source, int target)
{
    using store::LogoPage::picture;
    using store::LogoPage::pictureTitle;
    using store::SwitchRecord::TempImage;
    using store::SwitchRecord::TempImageTitle;
    store::Table& pages = form.Table1();
    store::Table& scratch = form.Table3();

    pages.edit();
    scratch.edit();
    scratch.setPicture(TempImage, pages.picture(picture(target)));
    scratch.setText(TempImageTitle, pages.text(pictureTitle(target)));
    if (source == target)
        return;
    pages.setPicture(picture(target), pages.picture(picture(source)));
    pages.setText(pictureTitle(target), pages.text(pictureTitle(source)));
    pages.setPicture(picture(source), scratch.picture(TempImage));
    pages.setText(pictureTitle(source), scratch.text(TempImageTitle));
    form.UnsavedChanges = true;
}

} // namespace slotedit
