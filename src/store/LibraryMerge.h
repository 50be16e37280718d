// "Import library...": the pages of another library (a folder with Paradox
// tables, or with tables of ours) added to the current
// one, with their logo wad files.
#pragma once

#include "Table.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <stdexcept>

namespace store {

// An import that stopped; what() says why and how many pages came in first.
class MergeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The pages of the library in `folder`, each in the field order of
// LogoDB.db, read from Paradox tables or from ours. Pictures that cannot be
// read are added to `problems`. Throws MergeError when there is no library
// or it cannot be read.
QVector<QVector<QVariant>> readLibraryPages(const QString& folder, QStringList* problems);

struct MergeReport {
    int pages = 0;
    QStringList copiedFiles;    // logo wad files now in the program directory
    QStringList renamed;        // one line per page or logo that got a number
    QStringList problems;       // missing logo files, unreadable pictures
};

// Adds every page of the library in `folder` to `logoTable` (the open
// LogoDB.db of the current library) and copies the folder's logo wad files
// into `programDir`. Nothing is overwritten: a page whose title is taken
// gets a number ("Fun 2"), so does a logo whose name a file or a slot of
// the current library has ("cool_2"), and its slot title follows; titles
// stay within 15 characters. A pending edit of the current page is posted
// first; the cursor ends on the last page added. Each page comes in whole
// (its row and its files) or not at all; a failure stops the import with
// a MergeError, keeping the pages added before.
MergeReport mergeLibrary(const QString& folder, Table& logoTable, const QString& programDir);

} // namespace store
