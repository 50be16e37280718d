#include "SprayPack.h"

#include "formats/Wad3Writer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>

#include <archive.h>
#include <archive_entry.h>

#include <stdexcept>

namespace spraypack {

namespace {

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

QByteArray sprayWad(int seed, int side)
{
    formats::SprayLevels spray;
    spray.width = side;
    spray.height = side;
    for (int c = 0; c < 255; ++c) {
        spray.palette[3 * c] = std::uint8_t(seed);
        spray.palette[3 * c + 1] = std::uint8_t(seed >> 8);
        spray.palette[3 * c + 2] = std::uint8_t(c);
    }
    spray.palette[3 * 255 + 2] = 255;   // pure blue: see-through
    for (int level = 0; level < 4; ++level) {
        const int levelSide = side >> level;
        auto& pixels = spray.levels[level];
        pixels.resize(std::size_t(levelSide) * levelSide);
        for (int i = 0; i < levelSide * levelSide; ++i)
            pixels[i] = std::uint8_t((i * 7 + seed) % 255);
    }
    const std::vector<std::uint8_t> bytes = formats::writeSprayWad(spray);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

QByteArray twoPictureWad(int seed)
{
    // WAD3: "WAD3", the number of entries, the directory's offset; each
    // entry 32 bytes. A second directory of two entries is put at the end.
    QByteArray wad = sprayWad(seed);
    const auto number = [&wad](int at) { return qFromLittleEndian<qint32>(wad.constData() + at); };
    const QByteArray entry = wad.mid(number(8), 32);
    QByteArray second = entry;
    second.replace(16, 6, QByteArray("{TWO\0\0", 6));
    const qint32 directory = qint32(wad.size());
    wad += entry + second;
    qToLittleEndian<qint32>(2, wad.data() + 4);
    qToLittleEndian<qint32>(directory, wad.data() + 8);
    return wad;
}

QStringList writePack(const QString& dir, const Counts& counts)
{
    QDir().mkpath(dir);
    for (int n = 1; n <= counts.sprays; ++n)
        write(QStringLiteral("%1/spray%2/tempdecal.wad").arg(dir).arg(n), sprayWad(n));
    for (int n = 1; n <= counts.duplicates; ++n)
        write(QStringLiteral("%1/twin%2/tempdecal.wad").arg(dir).arg(n), sprayWad(n));
    for (int n = 1; n <= counts.pictures; ++n) {
        QImage picture(48, 40, QImage::Format_ARGB32);
        picture.fill(QColor::fromHsv((n * 37) % 360, 200, 100 + n % 100));
        for (int x = 0; x < 48; ++x)
            picture.setPixelColor(x, x % 40, QColor(x * 5, n % 256, 255 - x));
        QDir().mkpath(dir);
        if (!picture.save(QStringLiteral("%1/picture%2.png").arg(dir).arg(n)))
            throw std::runtime_error("cannot write a picture");
    }
    QStringList broken;
    for (int n = 1; n <= counts.broken; ++n) {
        QString path;
        if (n % 3 == 1) {
            path = QStringLiteral("%1/broken%2/tempdecal.wad").arg(dir).arg(n);
            write(path, sprayWad(100000 + n).left(100));   // cut off
        } else if (n % 3 == 2) {
            path = QStringLiteral("%1/broken%2.png").arg(dir).arg(n);
            write(path, "no picture at all");
        } else {
            path = QStringLiteral("%1/notes%2.txt").arg(dir).arg(n);
            write(path, "Sprays from the clan.");
        }
        broken << path;
    }
    return broken;
}

void zipFolder(const QString& folder, const QString& zipPath)
{
    QDir().mkpath(QFileInfo(zipPath).absolutePath());
    archive* zip = archive_write_new();
    archive_write_set_format_zip(zip);
    if (archive_write_open_filename(zip, QFile::encodeName(zipPath).constData()) != ARCHIVE_OK)
        throw std::runtime_error(archive_error_string(zip));
    const QDir base(QFileInfo(folder).absolutePath());
    QStringList paths;   // in name order, as a packer lists them
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        paths << it.next();
    paths.sort();
    for (const QString& path : paths) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, base.relativeFilePath(path).toUtf8().constData());
        archive_entry_set_size(entry, bytes.size());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_write_header(zip, entry);
        archive_write_data(zip, bytes.constData(), size_t(bytes.size()));
        archive_entry_free(entry);
    }
    archive_write_close(zip);
    archive_write_free(zip);
}

} // namespace spraypack
