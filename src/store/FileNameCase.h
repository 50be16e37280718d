// Libraries made on Windows name their files in any letter case
// ("LOGODB.DB", "Cool.WAD"): finding a file of a folder by its name
// regardless of case.
#pragma once

#include <QString>
#include <QStringList>

namespace store {

// The path of the file in `dir` named `name` in any letter case; the exact
// name wins when it exists. An empty string when there is none.
QString fileInAnyCase(const QString& dir, const QString& name);

// The names of the files in `dir` whose name before the first "." is
// `base` in any letter case ("LogoDB" finds LogoDB.db, LOGODB.MB, logodb.PX).
QStringList filesWithBaseName(const QString& dir, const QString& base);

} // namespace store
