// Tables of libraries kept in Paradox files, their rows
// read through pxlib, their pictures from the blob file (ParadoxBlobFile.h).
// A table is known by its header, never by its name; its rows come
// out with the fields of our own table layout (TableDef), found by name.
#pragma once

#include "TableDef.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <stdexcept>

namespace store {

// A Paradox table that cannot be read at all; what() says why in plain words.
class ParadoxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True when the file starts with the header of a Paradox data table (.db):
// a known file version, a table type, field descriptions that fit the
// header and add up to the record size. Any other file, an SQLite table
// named .db included, gives false; so does a file that cannot be read.
bool isParadoxTable(const QString& path);

struct ParadoxRows {
    // One entry per row, one value per field of the layout in its order:
    // a QString for a text field, a QByteArray for a picture field (null
    // when there is none). Pictures come as the picture field format
    // writes them (PictureField.h: the graphic header, then the bitmap),
    // whether the table kept that header or the bare bitmap.
    QVector<QVector<QVariant>> rows;
    // Pictures that could not be read (a damaged or missing blob file):
    // each such field is left without a picture and named here.
    QStringList problems;
};

// Reads the table `def.fileName()` in `dir` (its name and that of its blob
// file "<name>.MB" in any letter case). Text fields are converted from the
// table's code page. Throws ParadoxError when the file is missing, is no
// Paradox table, cannot be opened, or lacks a field of the layout.
ParadoxRows readParadoxTable(const QString& dir, const TableDef& def);

} // namespace store
