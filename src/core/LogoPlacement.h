// Putting the chosen WAD file in place as a logo wad file: a file from
// elsewhere is copied, one that lies in the program directory itself is
// renamed unless a slot names it (then it is copied too). Neither ever replaces a file that exists; both can be undone.
#pragma once

#include <QString>

namespace logoimport {

// True when the file's directory, as written, is the program directory
// (other letter case counts as another directory).
bool liesInProgramDir(const QString& path);

struct Placement {
    QString source;
    QString target;
    bool renamed = false;
};

// Copies or renames `source` to `target`; throws files::FileError.
Placement placeLogo(const QString& source, const QString& target, bool rename);

// Undoes a placement: removes the copy, or gives a renamed file its old name
// back. Returns an empty string, or a sentence for the user when the file
// could not be put back.
QString undoPlacement(const Placement& placement);

} // namespace logoimport
