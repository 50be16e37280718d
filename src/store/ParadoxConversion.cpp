#include "ParadoxConversion.h"

#include "FileNameCase.h"
#include "Installer.h"
#include "ParadoxTable.h"
#include "Records.h"
#include "Table.h"
#include "UniqueTitle.h"
#include "files/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace store {

namespace {

const QString kUnchanged = QStringLiteral(" Nothing was changed.");

[[noreturn]] void refuse(const QString& why)
{
    throw ConversionError((why + kUnchanged).toStdString());
}

const TableDef* const kTables[] = {&logoTableDef(), &configTableDef(), &switchTableDef()};

bool isParadox(const QString& dir, const TableDef& def)
{
    const QString path = fileInAnyCase(dir, def.fileName());
    return !path.isEmpty() && isParadoxTable(path);
}

void fillRow(Table& table, const QVector<QVariant>& row)
{
    for (int f = 0; f < table.def().fields.size(); ++f) {
        if (table.def().fields[f].kind == FieldKind::Text)
            table.setText(f, row[f].toString());
        else if (!row[f].toByteArray().isNull())
            table.setPicture(f, row[f].toByteArray());
    }
}

void fillPages(Table& table, const ParadoxRows& read, ConversionReport& report)
{
    QSet<QString> titles;
    for (const QVector<QVariant>& row : read.rows) {
        table.insert();
        fillRow(table, row);
        // Two titles of the old table may become one once they are cut or
        // converted to what a field of ours holds; the second gets a number.
        const QString stored = table.text(LogoPage::PageTitle);
        const QString title = uniqueTitle(stored, LogoPage::kTitleWidth, QStringLiteral(" "),
                                          [&](const QString& t) { return titles.contains(t.toCaseFolded()); });
        if (title != stored) {
            table.setText(LogoPage::PageTitle, title);
            report.notes << QStringLiteral("The page \"%1\" is now called \"%2\": another page had the same title.").arg(stored, title);
        }
        titles.insert(title.toCaseFolded());
        table.post();
        ++report.pages;
    }
}

void fillSingleRow(Table& table, const ParadoxRows& read, ConversionReport& report)
{
    if (read.rows.isEmpty()) {
        report.notes << QStringLiteral("%1 held no row; it starts with the usual values.").arg(table.def().fileName());
        return;
    }
    table.edit();
    fillRow(table, read.rows.first());
    if (table.def().name == configTableDef().name) {
        // Start-up reads the wait time as a number.
        bool number = false;
        const int wait = table.text(ConfigRecord::WaitTime).trimmed().toInt(&number);
        if (!number || wait < 0 || wait > 600) {
            report.notes << QStringLiteral("The wait time \"%1\" was no number from 0 to 600; it is 300 now.")
                                .arg(table.text(ConfigRecord::WaitTime));
            table.setText(ConfigRecord::WaitTime, QStringLiteral("300"));
        } else {
            table.setText(ConfigRecord::WaitTime, QString::number(wait));
        }
    }
    table.post();
}

} // namespace

bool holdsParadoxTables(const QString& dir)
{
    for (const TableDef* def : kTables)
        if (isParadox(dir, *def))
            return true;
    return false;
}

ConversionReport convertParadoxLibrary(const QString& dir)
{
    ConversionReport report;
    QVector<const TableDef*> tables;
    for (const TableDef* def : kTables)
        if (isParadox(dir, *def))
            tables << def;
    if (tables.isEmpty())
        refuse(QStringLiteral("%1 holds no Paradox tables.").arg(QDir::toNativeSeparators(dir)));

    // Everything is read before anything is touched.
    QVector<ParadoxRows> read;
    for (const TableDef* def : tables) {
        try {
            read << readParadoxTable(dir, *def);
        } catch (const ParadoxError& e) {
            refuse(QString::fromUtf8(e.what()));
        }
        report.notes << read.last().problems;
    }

    // The files to keep, and a folder for them that holds none of their names.
    const QString oldDir = dir + QLatin1Char('/') + QLatin1String(kOldTablesFolder);
    QStringList oldFiles;
    for (const TableDef* def : tables)
        oldFiles << filesWithBaseName(dir, def->name);
    for (const QString& name : oldFiles)
        if (QFileInfo::exists(oldDir + QLatin1Char('/') + name))
            refuse(QStringLiteral("%1 already holds a file named %2; move it elsewhere first.")
                       .arg(QDir::toNativeSeparators(oldDir), name));

    // Our tables are made aside, in the same file system, so that putting
    // them in place is a rename.
    QTemporaryDir staging(dir + QStringLiteral("/.converting-XXXXXX"));
    if (!staging.isValid())
        refuse(QStringLiteral("No new tables can be made in %1: %2.").arg(QDir::toNativeSeparators(dir), staging.errorString()));
    const InstallReport made = installTables(staging.path());
    if (!made.failures.isEmpty())
        refuse(QStringLiteral("The new tables cannot be made: %1.").arg(made.failures.join(QStringLiteral("; "))));
    try {
        for (int i = 0; i < tables.size(); ++i) {
            Table table(*tables[i]);
            table.setDirectory(staging.path());
            table.open();
            if (tables[i] == &logoTableDef())
                fillPages(table, read[i], report);
            else
                fillSingleRow(table, read[i], report);
            table.close();
        }
    } catch (const DatabaseError& e) {
        refuse(QStringLiteral("The new tables cannot be written: %1.").arg(QString::fromUtf8(e.what())));
    }

    const bool madeOldDir = !QFileInfo::exists(oldDir);
    if (madeOldDir && !QDir().mkdir(oldDir))
        refuse(QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(oldDir)));
    std::vector<std::pair<std::string, std::string>> moves;
    for (const QString& name : oldFiles)
        moves.emplace_back(QFile::encodeName(dir + QLatin1Char('/') + name).toStdString(),
                           QFile::encodeName(oldDir + QLatin1Char('/') + name).toStdString());
    for (const TableDef* def : tables)
        moves.emplace_back(QFile::encodeName(staging.filePath(def->fileName())).toStdString(),
                           QFile::encodeName(dir + QLatin1Char('/') + def->fileName()).toStdString());
    try {
        files::renameAllNoReplace(moves);
    } catch (const files::FileError& e) {
        if (madeOldDir)
            QDir().rmdir(oldDir);   // only when empty again
        const QString why = QString::fromUtf8(e.what());
        if (why.contains(QLatin1String("could not be put back")))
            throw ConversionError(QStringLiteral("The files cannot be moved: %1. Move those files back by hand before the next start.")
                                      .arg(why).toStdString());
        refuse(QStringLiteral("The files cannot be moved: %1.").arg(why));
    }

    for (const TableDef* def : tables)
        report.converted << def->fileName();
    report.keptFiles = oldFiles;
    return report;
}

} // namespace store
