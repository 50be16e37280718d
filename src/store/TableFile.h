// The physical form of a table file: an SQLite database holding one table
// named after the file, one column per field in field order. Text fields are
// TEXT NOT NULL (a blank field is the empty text), picture fields BLOB (NULL
// when there is no picture); the key field is UNIQUE.
#pragma once

#include "Sqlite.h"
#include "TableDef.h"

namespace store {

QString createTableSql(const TableDef& def);

// Creates `dir`/`def.fileName()` with its table and the given number of blank
// rows, then the rows `firstRows` (SQL) inserts, all in one transaction and
// flushed once. Refuses (EngineError) when the file exists already.
void createTableFile(const QString& dir, const TableDef& def, int blankRows, const QString& firstRows = QString());

// Throws DatabaseError unless the open database holds the table of `def`
// with exactly its columns, in order and of their types.
void verifyLayout(const SqliteDb& db, const TableDef& def);

} // namespace store
