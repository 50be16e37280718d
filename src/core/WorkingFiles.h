// The files an import works with, all in the program directory: the two
// converter programs, the extracted PCX pictures and the converted picture
// "temp.jpg".
#pragma once

#include <QString>
#include <QStringList>

namespace logoimport {

// The extractor and the converter ("wad3" and "i_view32", with ".exe" on Windows).
QString extractorPath();
QString converterPath();

// program directory + "/temp.jpg"
QString convertedPicturePath();

// The names (without directory) of the PCX files in the program directory,
// in the order a directory search returns them.
QStringList pcxFiles();

// Removes what converters killed in the middle of writing left in the
// program directory: the temporary files of PCX pictures and of "temp.jpg",
// and the unfinished copies of logo wad files. Only files whose writer has
// ended go; a logo wad file itself is never touched.
void removeStaleWorkingFiles();

// A file name without its last extension: "a.b.wad" gives "a.b", "logo"
// stays "logo".
QString bestandnaam(const QString& fileName);

// The size of "temp.jpg" in bytes; 0 when it is missing or unreadable.
qint64 bestandsgrootte();

} // namespace logoimport
