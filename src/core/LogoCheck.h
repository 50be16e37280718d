// Whether the game will show a slot's logo: the game's checks of the logo
// wad file, read once per version of the file (a page move reads nothing
// twice), and the logo as the game draws it.
#pragma once

#include "formats/SprayCheck.h"
#include "formats/Wad3.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace core {

struct LogoCheck {
    bool found = false;              // the logo wad file exists and was read
    formats::SprayReport report;     // the game's checks, when found
    std::optional<formats::WadPicture> picture;   // its picture, when readable

    // Marked in the library: the game sprays the default logo instead. A
    // logo that only servers with large sprays off refuse is not marked.
    bool marked() const { return found && !report.gameReady(); }
    QStringList reasons() const;
    bool isDecal() const { return found && report.hasPicture && report.kind == formats::SprayKind::Decal; }
};

// The check of the logo wad file of a stored title (nothing found for an
// empty title, one that names no plain file, or a missing file).
LogoCheck checkLogo(const QString& title);

// The picture as the game draws it, over `background`.
QImage gameLookImage(const formats::WadPicture& picture, const QColor& background);

class Library;

// Remakes the slot's logo as the game takes it (the same picture through the
// logo maker at the largest size the game takes, see-through kept), writes
// it over the logo wad file only when whole, and stores the slot's new
// picture. Throws std::exception with the reason; nothing changes then.
void makeGameReady(Library& library, int slot);

// Forgets what was read (tests change files within one second).
void forgetLogoChecks();

} // namespace core
