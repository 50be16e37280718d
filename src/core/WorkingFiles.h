// The files an import works with: the two converter programs beside the
// program, and in a working folder of the import's own inside the program
// directory (where the converters run) the extracted PCX pictures, the
// converted picture "temp.jpg", the copies of logo wad files until their
// page is stored (see LogoPlacement.h) and the folders of logos being made.
// Nothing on the import's path lists the program directory itself, which
// holds a file for every logo.
#pragma once

#include <QString>
#include <QStringList>

namespace logoimport {

// The extractor and the converter ("wad3" and "i_view32", with ".exe" on Windows).
QString extractorPath();
QString converterPath();

// program directory + "/import-work"
QString workingDir();
// A file in the working folder.
QString workingFile(const QString& name);

// Where a logo wad file is written before it has its name: in the working
// folder, under the file name of `logoPath`.
QString workingLogoPath(const QString& logoPath);

// The template of a folder of its own for one import's intermediate files
// (a logo made from a picture, a spray taken out of a WAD with several):
// "made-<pid>-XXXXXX" in the working folder, which is made when missing.
// The process id tells a folder still in use from one a kill left.
QString madeFolderTemplate();

// working folder + "/temp.jpg"
QString convertedPicturePath();

// The names (without directory) of the PCX files in the working folder,
// in the order a directory search returns them.
QStringList pcxFiles();

// Makes the working folder when it is missing and removes what converters
// killed in the middle of writing left there: the temporary files of PCX
// pictures and of "temp.jpg", and the unfinished copies of logo wad files.
// Only files whose writer has ended go, and the folders of imports whose
// process has ended (madeFolderTemplate) with what they hold. A library that has no working
// folder yet kept these files among its logos: there they are looked for
// once, when the folder is made (a logo wad file itself is never touched).
void removeStaleWorkingFiles();

// Removes the PCX pictures and "temp.jpg" an earlier run left (of the
// working folder, and "temp.jpg" of the program directory).
void removeLeftoverWorkingFiles();

// A file name without its last extension: "a.b.wad" gives "a.b", "logo"
// stays "logo".
QString bestandnaam(const QString& fileName);

// The size of "temp.jpg" in bytes; 0 when it is missing or unreadable.
qint64 bestandsgrootte();

} // namespace logoimport
