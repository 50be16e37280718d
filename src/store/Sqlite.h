// A thin RAII wrapper over the SQLite C interface, used by the table layer
// and the table installer. Every failure is an EngineError with SQLite's text.
#pragma once

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class SqliteDb {
public:
    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // Opens an existing file (create = false) or makes a new one.
    void open(const QString& path, bool create);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    void exec(const QString& sql);
    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(int rc) const;

private:
    sqlite3* db_ = nullptr;
};

class SqliteStmt {
public:
    SqliteStmt(const SqliteDb& db, const QString& sql);
    ~SqliteStmt();
    SqliteStmt(const SqliteStmt&) = delete;
    SqliteStmt& operator=(const SqliteStmt&) = delete;

    void bindText(int index, const QString& value);
    void bindBlob(int index, const QByteArray& value);   // a null array binds NULL
    void bindInt(int index, qint64 value);
    bool step();              // true while a row is there
    void reset();

    int columnCount() const;
    qint64 columnInt(int column) const;
    QString columnText(int column) const;
    QByteArray columnBlob(int column) const;   // NULL gives a null array

private:
    const SqliteDb& db_;
    sqlite3_stmt* stmt_ = nullptr;
};

QString quoteIdentifier(const QString& name);

} // namespace store
