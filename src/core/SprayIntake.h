// One file of a batch import made ready for the library, asking nothing: a
// spray WAD is checked (and remade by the logo maker when the game would
// refuse it), a picture becomes a spray with the maker's defaults, and
// either gives the slot picture and a fingerprint of its pixels and palette
// to find duplicates by. Runs off the window's thread: it touches no
// tables and no program files.
#pragma once

#include "SourceWalk.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace formats { struct WadPicture; }

namespace core {

// The name patterns of the pictures logos are made from ("*.png", ...).
QStringList picturePatterns();
bool isPictureName(const QString& name);
bool isWadName(const QString& name);

// How much of a file the batch reads, by its name: a WAD or a picture up to
// the limit of its kind, anything else not at all.
std::size_t intakeReadLimit(const QString& name);

// The logo name a file suggests: its name without the extension, or the
// folder or archive it lies in when it is one of the game's own spray file
// names (tempdecal.wad, pldecal.wad), which every spray of a pack carries.
QString suggestedLogoName(const SourceFile& file);

// The same pixels with the same palette give the same fingerprint.
QByteArray sprayFingerprint(const formats::WadPicture& picture);

struct PreparedLogo {
    QString path;           // the file, as shown to the user
    QString name;           // the suggested logo name
    QString skipReason;     // not empty: the file is skipped, for this reason
    std::vector<std::uint8_t> wad;   // the logo WAD file's bytes
    QByteArray picture;     // the slot picture's field bytes
    QByteArray fingerprint;
    QString note;           // how the logo maker made it (from a picture, or remade), for the summary
};

PreparedLogo prepareLogo(SourceFile file);

} // namespace core
