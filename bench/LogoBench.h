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

// Logos from a photograph in each format the maker reads (PNG 1920x1080,
// JPEG 4000x3000, GIF 640x480, BMP and WebP 1920x1080) against convert
// (-define jpeg:size= at twice the logo for JPEG): "BENCH logo_ratio_<format>
// <ours/convert> x", the times, peak memory and their ratio; then the Make
// logo dialog's preview update on the 4000x3000 picture.
void benchLogoFormats(const QString& programDir, const QString& workDir, QTextStream& out, int runs = 9);

} // namespace bench
