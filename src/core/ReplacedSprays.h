// Noticing that a game replaced an installed spray: the game writes its own
// tempdecal.wad when the player presses OK or Apply in its options, after an
// update, or where the file system ignores the read-only mode. Each game
// folder's watched file is compared with the install record.
#pragma once

#include "InstallRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace core {

class Settings;

struct ReplacedSpray {
    enum class Logo {
        InLibrary,   // the recorded logo is still in the library: it can go back
        Renamed,     // the same logo now has another title
        Deleted,     // no logo of the library has those bytes any more
    };
    InstalledSpray installed;
    QString game;           // the game's name
    QByteArray foundHash;   // of the file the game wrote
    Logo logo = Logo::InLibrary;
    QString renamedTo;      // the logo's title now, when renamed

    // The question or the note for the user.
    QString text() const;
};

// Those of the folders whose watched file holds other bytes than the record
// says, leaving out replacements the user chose to keep, symbolic links and
// missing files (a game on a drive that is not mounted). A folder that is no
// install target any more is not looked at.
QList<ReplacedSpray> findReplacedSprays(const QStringList& targets);

// Installs the recorded logo into its folder again; empty on success, else
// the reason.
QString putBack(const ReplacedSpray& replaced, const Settings& settings);
// The user keeps what the game wrote: not asked about these bytes again.
void keepReplacement(const ReplacedSpray& replaced);

} // namespace core
