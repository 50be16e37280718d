// Turning a program directory whose tables are Paradox files into one with
// our own tables: the same pages, titles,
// pictures and settings. The old files are kept in old-tables/.
#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace store {

// What start-up asks before converting (Yes converts).
inline constexpr const char* kConvertQuestion =
    "This library's tables are in the older Paradox format. Convert them? The old files are kept in old-tables/.";

// The folder of the program directory that keeps the old files.
inline constexpr const char* kOldTablesFolder = "old-tables";

// A conversion that did not happen; what() says why in plain words, and
// that the old files are as they were.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when LogoDB.db, ConfigDB.db or SwitchDB.db in `dir` (any letter
// case) is a Paradox table, known by its header.
bool holdsParadoxTables(const QString& dir);

struct ConversionReport {
    int pages = 0;
    QStringList converted;    // the tables made anew: "LogoDB.db", ...
    QStringList keptFiles;    // the old files, now in old-tables/
    QStringList notes;        // pictures that could not be read, titles or settings that had to change
};

// Converts every Paradox table of `dir`: reads them all, makes our tables
// aside, then moves the old files (each table's .db with whatever files
// share its name: .MB, .PX, .VAL, ...) into old-tables/ and puts the new
// tables in their place. All or nothing: on failure (ConversionError) the
// old files are where they were and no new table is left. A table that is
// ours already is left as it is; a missing one is for the table installer.
// Nothing of this may have the tables open.
ConversionReport convertParadoxLibrary(const QString& dir);

} // namespace store
