// The right-click menu of a filled slot: "Save picture as...", which writes
// the logo as the game shows it to a PNG file, see-through parts transparent.
#pragma once

#include <QString>

class QPoint;
class QWidget;

namespace core { class Library; }

namespace slotedit {

class SlotDrag;

// Opens the slot's menu on a right click (press and release on the slot).
void attachSlotMenu(core::Library& library, QWidget* window, SlotDrag& drag);

// The logo of a slot whose logo wad file is `wadPath`, as a PNG file at
// `pngPath` (written atomically). Empty on success, else the reason.
QString savePictureAs(const QString& wadPath, const QString& pngPath);

// The test hook: the next save dialog answers this path (empty: cancel).
void queueSavePath(const QString& path);

} // namespace slotedit
