#include "TableFile.h"

#include "Errors.h"
#include "files/FileOps.h"

#include <QFileInfo>
#include <QStringList>

namespace store {

QString createTableSql(const TableDef& def)
{
    QStringList columns;
    for (int i = 0; i < def.fields.size(); ++i) {
        const FieldDef& f = def.fields[i];
        QString column = quoteIdentifier(f.name);
        column += f.kind == FieldKind::Text ? QStringLiteral(" TEXT NOT NULL DEFAULT ''") : QStringLiteral(" BLOB");
        if (i == def.keyField)
            column += QStringLiteral(" UNIQUE");
        columns << column;
    }
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(def.name), columns.join(QStringLiteral(", ")));
}

void createTableFile(const QString& dir, const TableDef& def, int blankRows, const QString& firstRows)
{
    const QString path = dir + QLatin1Char('/') + def.fileName();
    if (QFileInfo::exists(path))
        throw EngineError(path.toStdString() + " exists already; it is left as it is");
    {
        // Made in one go without SQLite's own flushes (a new file has nothing
        // to protect), then flushed once as a whole.
        SqliteDb db;
        db.open(path, true);
        db.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        db.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        db.exec(QStringLiteral("BEGIN"));
        db.exec(createTableSql(def));
        for (int i = 0; i < blankRows; ++i)
            db.exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(def.name)));
        if (!firstRows.isEmpty())
            db.exec(firstRows);
        db.exec(QStringLiteral("COMMIT"));
        db.close();
    }
    try {
        files::flushFile(path.toStdString());
    } catch (const files::FileError& e) {
        throw EngineError(e.what());
    }
}

void verifyLayout(const SqliteDb& db, const TableDef& def)
{
    SqliteStmt info(db, QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(def.name)));
    int column = 0;
    while (info.step()) {
        if (column >= def.fields.size())
            throw DatabaseError(def.fileName().toStdString() + ": the table has more fields than expected");
        const FieldDef& f = def.fields[column];
        const QString name = info.columnText(1);
        const QString type = info.columnText(2).toUpper();
        const QString wanted = f.kind == FieldKind::Text ? QStringLiteral("TEXT") : QStringLiteral("BLOB");
        if (name != f.name || type != wanted)
            throw DatabaseError(def.fileName().toStdString() + ": field " + std::to_string(column + 1)
                                + " should be " + f.name.toStdString() + " " + wanted.toStdString());
        ++column;
    }
    if (column == 0)
        throw DatabaseError(def.fileName().toStdString() + ": the table " + def.name.toStdString() + " is missing");
    if (column != def.fields.size())
        throw DatabaseError(def.fileName().toStdString() + ": the table has fewer fields than expected");
}

} // namespace store
