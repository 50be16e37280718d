// The record of what is installed where: for each game folder the logo last
// installed there and the hash of the file the game reads, so that a spray
// the game replaced is noticed. Kept in Installed.json beside the tables.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace core {

struct InstalledSpray {
    QString target;         // the game folder
    QString file;           // the file watched there: tempdecal.wad, else pldecal.wad
    QString title;          // the logo's title when it was installed
    QByteArray hash;        // SHA-256 of the logo, hex
    QDateTime time;         // when it was installed, UTC
    QByteArray keptHash;    // a replacement the user chose to keep: not asked about again
};

namespace installrecord {

QString path();
// Every entry; nothing when the file is missing or damaged.
QList<InstalledSpray> read();
// Replaces the file whole; throws files::FileError.
void write(const QList<InstalledSpray>& entries);
// Puts the entry in place of the one for the same folder.
void note(const InstalledSpray& entry);
// SHA-256 of a file, hex; empty when it cannot be read as a logo.
QByteArray hashOf(const QString& path);

} // namespace installrecord

} // namespace core
