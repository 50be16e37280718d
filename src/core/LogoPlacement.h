// Putting the chosen WAD file in place as a logo wad file, in two steps so
// that a kill never leaves a file under a logo's name that no slot names:
// placeLogo() writes the copy under a working name in the import's working
// folder (a file that lies in the program directory and that no slot names
// gets that working name as a second name, and keeps its own), and
// storeWithLogo() gives the file its logo name in the same step that stores
// the page, undone when the page cannot be stored. What a kill leaves
// between the two is settled at the next start (settleUnfinishedPlacements).
// Neither step ever replaces a file that exists.
#pragma once

#include <QString>

namespace core { class Library; }

namespace logoimport {

// True when the file's directory, as written, is the program directory
// (other letter case counts as another directory).
bool liesInProgramDir(const QString& path);

struct Placement {
    QString source;    // the file chosen
    QString working;   // the file the import works on until the page is stored
    QString target;    // the logo wad file it becomes
    bool renamed = false;   // `source` itself becomes the logo (no copy); its
                            // working name is itself where there are no hard links
};

// Places `source` for the logo wad file `target`: a copy under its working
// name, or (`rename`) the file itself under a second, working name. Throws
// files::FileError, one with targetExists() when `target` is taken.
Placement placeLogo(const QString& source, const QString& target, bool rename);

// Gives the placed file its logo name and stores the current page with the
// library's store(), as one step: when the page cannot be stored the file
// gets its working (or first) name back and the error is thrown again.
// Also throws files::FileError when the logo name has been taken meanwhile.
void storeWithLogo(core::Library& library, const Placement& placed);

// Undoes a placement whose page was not stored: removes the working copy
// (or name).
// Returns an empty string, or a sentence for the user when a file could not
// be put back.
QString undoPlacement(const Placement& placement);

// At the start, before anything is imported: the logo copies in the working
// folder that a kill left. A copy whose page was stored (a slot names its
// logo) gets its logo name; any other goes, and with it the logo name it
// already had when the kill came before the page was stored.
void settleUnfinishedPlacements(const core::Library& library);

} // namespace logoimport
