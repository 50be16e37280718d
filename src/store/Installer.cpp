#include "Installer.h"

#include "Records.h"
#include "TableFile.h"

#include <QFile>
#include <QFileInfo>

namespace store {

namespace {

void createConfig(const QString& dir)
{
    createTableFile(dir, configTableDef(), 0);
    SqliteDb db;
    db.open(dir + QLatin1Char('/') + configTableDef().fileName(), false);
    db.exec(QStringLiteral("INSERT INTO \"ConfigDB\" VALUES ('', 'No', '300', '', 'No')"));
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
            report.keptAsTheyWere << path;
            continue;
        }
        try {
            step.create(dir);
            report.created << path;
        } catch (const std::exception& e) {
            QFile::remove(path);
            QFile::remove(path + QStringLiteral("-wal"));
            QFile::remove(path + QStringLiteral("-shm"));
            report.failures << path + QStringLiteral(": ") + QString::fromUtf8(e.what());
        }
    }
    return report;
}

} // namespace store
