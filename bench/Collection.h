// The figures of a whole collection: a batch import of 1,000 spray WADs,
// each tempdecal.wad in a folder of its own, into a fresh library, and
// the find field's answer among 10,000 pages. Each runs in a child process
// and prints "T <milliseconds>" lines (the batch also "RSS <stage> <KiB>").
#pragma once

#include <QString>

namespace bench {

// A pack of `sprays` distinct sprays in `dir`, made once.
void layOutPack(const QString& dir, int sprays);
// A library of `pages` pages of eight titles, each slot with a small picture
// stored between the titles, without logo wad files.
void generateFindLibrary(const QString& dir, int pages);

int batchChild(const QString& dir, const QString& pack);
int findChild(const QString& dir);

} // namespace bench
