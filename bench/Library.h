// Lays out a program directory with a library of N pages of eight logos:
// real-size 24-bit bitmaps in the picture fields, titles and logo wad files.
#pragma once

#include <QString>

namespace bench {

void generateLibrary(const QString& dir, int pages);

// The statement that adds one page row to LogoDB.db: its title, then the
// eight slot titles and pictures.
QString pageInsertStatement();

} // namespace bench
