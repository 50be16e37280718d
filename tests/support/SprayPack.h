// Spray packs as players collect them, for the batch import's tests and
// benchmark: distinct spray WADs each named tempdecal.wad in a folder of
// its own, copies of some, pictures and broken files, as a folder or a zip.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace spraypack {

// A colour spray WAD, 32x32 unless told, that differs from that of every
// other seed. At 128x128 its file is larger than the game takes.
QByteArray sprayWad(int seed, int side = 32);
// The same spray's picture listed twice, as a WAD of two pictures.
QByteArray twoPictureWad(int seed);

struct Counts {
    int sprays = 0;       // spray<N>/tempdecal.wad
    int duplicates = 0;   // twin<N>/tempdecal.wad, the same as spray<N> (walked after it)
    int pictures = 0;     // picture<N>.png
    int broken = 0;       // cut-off WADs, a picture that is none, a text file
};

// Lays the pack out in `dir` (which is made); returns the paths of the
// broken files.
QStringList writePack(const QString& dir, const Counts& counts);

// Packs a folder into a zip through libarchive, its files under the
// folder's name.
void zipFolder(const QString& folder, const QString& zipPath);

} // namespace spraypack
