// logo2wad against ImageMagick's convert on three pictures drawn here: time
// per picture and PSNR against the picture scaled to the logo's size.
#pragma once

#include <QString>
#include <QTextStream>

namespace bench {

// Prints "BENCH logo2wad_<name> <ms> ms" (wall time), "BENCH
// logo2wad_cpu_<name> <ms> ms" (processor time), "BENCH logo2wad_psnr_<name>
// <dB> dB" and the same figures of convert as "BENCH convert_...", side by
// side, medians of `runs` runs taken in turn; then "BENCH
// makelogo_preview_<name> <ms> ms", the Make logo dialog's preview update.
// `programDir` holds the logo2wad measured.
void benchLogo2wad(const QString& programDir, const QString& workDir, QTextStream& out, int runs = 15);

} // namespace bench
