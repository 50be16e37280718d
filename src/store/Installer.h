// Puts the three tables in place in a directory: each missing table is
// created (no pages, the one settings record, one blank scratch record); a
// table that exists is never touched. A file that holds no table at all
// (empty, or left by a start killed while making it) counts as missing.
#pragma once

#include <QString>
#include <QStringList>

namespace store {

struct InstallReport {
    QStringList created;
    QStringList keptAsTheyWere;
    QStringList failures;   // one line each: the path and what went wrong
};

InstallReport installTables(const QString& dir);

} // namespace store
