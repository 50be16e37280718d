#include "Sqlite.h"

#include "Errors.h"

#include <sqlite3.h>

namespace store {

SqliteDb::~SqliteDb() { close(); }

void SqliteDb::open(const QString& path, bool create)
{
    close();
    int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        close();
        throw EngineError(path.toStdString() + ": " + message);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, 2000);
}

void SqliteDb::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void SqliteDb::exec(const QString& sql)
{
    char* error = nullptr;
    int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        if ((rc & 0xff) == SQLITE_CONSTRAINT)
            throw EngineError(kKeyViolation);
        throw EngineError(message);
    }
}

void SqliteDb::fail(int rc) const
{
    if ((rc & 0xff) == SQLITE_CONSTRAINT)
        throw EngineError(kKeyViolation);
    throw EngineError(db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc));
}

SqliteStmt::SqliteStmt(const SqliteDb& db, const QString& sql) : db_(db)
{
    QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db.handle(), text.constData(), text.size(), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        db.fail(rc);
}

SqliteStmt::~SqliteStmt() { sqlite3_finalize(stmt_); }

void SqliteStmt::bindText(int index, const QString& value)
{
    QByteArray utf8 = value.toUtf8();
    int rc = sqlite3_bind_text(stmt_, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        db_.fail(rc);
}

void SqliteStmt::bindBlob(int index, const QByteArray& value)
{
    int rc = value.isNull()
        ? sqlite3_bind_null(stmt_, index)
        : sqlite3_bind_blob(stmt_, index, value.constData(), value.size(), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        db_.fail(rc);
}

void SqliteStmt::bindInt(int index, qint64 value)
{
    int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK)
        db_.fail(rc);
}

bool SqliteStmt::step()
{
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    db_.fail(rc);
}

void SqliteStmt::reset()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int SqliteStmt::columnCount() const { return sqlite3_column_count(stmt_); }
qint64 SqliteStmt::columnInt(int column) const { return sqlite3_column_int64(stmt_, column); }

QString SqliteStmt::columnText(int column) const
{
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    int size = sqlite3_column_bytes(stmt_, column);
    return text ? QString::fromUtf8(reinterpret_cast<const char*>(text), size) : QString();
}

QByteArray SqliteStmt::columnBlob(int column) const
{
    if (sqlite3_column_type(stmt_, column) == SQLITE_NULL)
        return QByteArray();
    const void* data = sqlite3_column_blob(stmt_, column);
    int size = sqlite3_column_bytes(stmt_, column);
    if (!data)
        return QByteArray("");   // an empty, non-null picture
    return QByteArray(static_cast<const char*>(data), size);
}

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace store
