// The import's work after the chosen file has been placed for a logo wad
// file: the extractor and the converter turn it into a picture, which goes
// into the slot with the logo's name as its title. The windows ask for the
// file and the name and show the progress; this part asks nothing.
#pragma once

#include "LogoPlacement.h"

#include <QString>

#include <functional>

namespace core {

class Library;
class Settings;

// A step of the import that failed after the file was placed; the text is
// for the user.
struct ImportFailure {
    QString text;
};

struct ImportProgress {
    // Sets the caption (when not empty) and advances the bar by `step`.
    std::function<void(int step, const QString& caption)> advance;
    // Called while the import waits for a converter or the wait time.
    std::function<void()> keepPainted;
};

// Runs the converters on the placed file, waits the picture-load wait time,
// puts picture and title into the slot and stores the page, the file taking
// its logo name in that step (storeWithLogo). On failure everything the
// import did to the program directory is undone (the placement too) and
// ImportFailure is thrown with the text to show; `source` is the file the
// user chose, which the text names.
void convertIntoSlot(Library& library, const Settings& settings, int slot, const logoimport::Placement& placed,
                     const QString& source, const ImportProgress& progress);

} // namespace core
