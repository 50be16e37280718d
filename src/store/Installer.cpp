#include "Installer.h"

#include "files/FileOps.h"

#include "Records.h"
#include "TableFile.h"

#include <QFile>
#include <QFileInfo>

namespace store {

namespace {

void removeTableFile(const QString& path)
{
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
}

// A table file that holds no table at all: what a start killed while making
// it leaves, or a database tool that opened the name before it was made (an
// empty file). Nothing is stored in it, so it is made anew; a file that
// cannot be read as a database is kept for start-up to report.
bool holdsNoTable(const QString& path)
{
    try {
        SqliteDb db;
        db.open(path, false);
        SqliteStmt count(db, QStringLiteral("SELECT count(*) FROM sqlite_master"));
        return count.step() && count.columnInt(0) == 0;
    } catch (const std::exception&) {
        return false;
    }
}

void createConfig(const QString& dir)
{
    createTableFile(dir, configTableDef(), 0, QStringLiteral("INSERT INTO \"ConfigDB\" VALUES ('', 'No', '300', '', 'No')"));
}

} // namespace

InstallReport installTables(const QString& dir)
{
    InstallReport report;
    struct Step {
        const TableDef& def;
        void (*create)(const QString&);
    };
    const Step steps[] = {
        {logoTableDef(), [](const QString& d) { createTableFile(d, logoTableDef(), 0); }},
        {configTableDef(), createConfig},
        {switchTableDef(), [](const QString& d) { createTableFile(d, switchTableDef(), 1); }},
    };
    for (const Step& step : steps) {
        const QString path = dir + QLatin1Char('/') + step.def.fileName();
        if (QFileInfo::exists(path)) {
            if (!holdsNoTable(path)) {
                report.keptAsTheyWere << path;
                continue;
            }
            removeTableFile(path);
        }
        try {
            step.create(dir);
            report.created << path;
        } catch (const std::exception& e) {
            removeTableFile(path);
            report.failures << path + QStringLiteral(": ") + QString::fromUtf8(e.what());
        }
    }
    // Each new file is flushed; their names in the folder once for all.
    if (!report.created.isEmpty())
        files::flushDirectoryOf(report.created.first().toStdString());
    return report;
}

} // namespace store
