#include "Table.h"

#include "TableFile.h"

#include <QStringList>

#include <sqlite3.h>

#include <algorithm>

namespace store {

namespace {
const char* const kNotEditing = "Dataset not in edit or insert mode";
const char* const kEmptyDataset = "Cannot perform this operation on an empty dataset";
const char* const kClosed = "Cannot perform this operation on a closed dataset";
}

Table::Table(TableDef def, QObject* parent) : QObject(parent), def_(std::move(def)), fileName_(def_.fileName())
{
    blankBuffer();
}

Table::~Table() = default;

QString Table::path() const { return dir_ + QLatin1Char('/') + fileName_; }

void Table::open()
{
    close();
    try {
        db_.open(path(), false);
        verifyLayout(db_, def_);
        db_.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        loadRows();
        current_ = rows_.isEmpty() ? -1 : 0;
        state_ = State::Browse;
        loadCurrent();
    } catch (...) {
        db_.close();
        rows_.clear();
        keys_.clear();
        current_ = -1;
        state_ = State::Inactive;
        throw;
    }
    notifyAll();
}

void Table::close()
{
    if (state_ == State::Inactive && !db_.isOpen())
        return;
    db_.close();
    state_ = State::Inactive;
    rows_.clear();
    keys_.clear();
    current_ = -1;
    insertAt_ = -1;
    modified_ = false;
    blankBuffer();
    notifyAll();
}

void Table::requireOpen() const
{
    if (state_ == State::Inactive)
        throw DatabaseError(kClosed);
}

void Table::requireEditing() const
{
    requireOpen();
    if (!isEditing())
        throw DatabaseError(kNotEditing);
}

void Table::loadRows()
{
    rows_.clear();
    keys_.clear();
    SqliteStmt count(db_, QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(def_.name)));
    count.step();
    rows_.fill(-1, static_cast<int>(count.columnInt(0)));
}

qint64 Table::rowAt(int row) const
{
    constexpr int kBlock = 128;
    if (rows_[row] < 0)
        readRows(row / kBlock * kBlock, kBlock);
    return rows_[row];
}

void Table::readRows(int first, int count) const
{
    const QString order = def_.keyField >= 0 ? quoteIdentifier(def_.fields[def_.keyField].name) : QStringLiteral("rowid");
    SqliteStmt select(db_, QStringLiteral("SELECT rowid FROM %1 ORDER BY %2 LIMIT ? OFFSET ?").arg(quoteIdentifier(def_.name), order));
    select.bindInt(1, count);
    select.bindInt(2, first);
    for (int i = first; i < rows_.size() && select.step(); ++i)
        rows_[i] = select.columnInt(0);
}

void Table::readAllRows() const
{
    if (std::find(rows_.cbegin(), rows_.cend(), qint64(-1)) != rows_.cend())
        readRows(0, static_cast<int>(rows_.size()));
}

QString Table::keyOf(int row) const
{
    if (def_.keyField < 0)
        return QString();
    const qint64 rowid = rowAt(row);
    if (const auto known = keys_.constFind(rowid); known != keys_.constEnd())
        return known.value();
    // The page of the list the row is on, and the next: what a list view
    // asks for next.
    QStringList ids;
    const int first = std::max(0, row - 32);
    const int last = std::min(static_cast<int>(rows_.size()), row + 64);
    for (int i = first; i < last; ++i) {
        const qint64 id = rowAt(i);
        if (!keys_.contains(id))
            ids << QString::number(id);
    }
    SqliteStmt select(db_, QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
                               .arg(boundedColumn(def_.keyField), quoteIdentifier(def_.name), ids.join(QLatin1Char(','))));
    while (select.step())
        keys_.insert(select.columnInt(0), select.columnText(1));
    return keys_.value(rowid);
}

void Table::readAllKeys() const
{
    if (def_.keyField < 0 || keys_.size() >= rows_.size())
        return;
    SqliteStmt select(db_, QStringLiteral("SELECT rowid, %1 FROM %2").arg(boundedColumn(def_.keyField), quoteIdentifier(def_.name)));
    while (select.step())
        keys_.insert(select.columnInt(0), select.columnText(1));
}

QString Table::boundedColumn(int field) const
{
    // length() counts a text's characters and a blob's bytes; a blob's
    // length is known without reading it.
    const FieldDef& f = def_.fields[field];
    const QString column = quoteIdentifier(f.name);
    return QStringLiteral("CASE WHEN length(%1) > %2 THEN NULL ELSE %1 END").arg(column).arg(f.limit());
}

void Table::blankBuffer()
{
    buffer_.resize(def_.fields.size());
    dirty_.fill(false, def_.fields.size());
    damaged_.fill(false, def_.fields.size());
    for (int i = 0; i < def_.fields.size(); ++i)
        buffer_[i] = def_.fields[i].kind == FieldKind::Text ? QVariant(QString()) : QVariant(QByteArray());
}

void Table::loadCurrent()
{
    blankBuffer();
    if (current_ < 0)
        return;
    // Each field, and whether it is over its limit: a damaged value is
    // never copied out of the file.
    QStringList columns;
    for (int i = 0; i < def_.fields.size(); ++i)
        columns << boundedColumn(i)
                << QStringLiteral("length(%1) > %2").arg(quoteIdentifier(def_.fields[i].name)).arg(def_.fields[i].limit());
    SqliteStmt select(db_, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                               .arg(columns.join(QLatin1Char(',')), quoteIdentifier(def_.name)));
    select.bindInt(1, rowAt(current_));
    if (!select.step())
        return;   // the row went away behind our back: show it blank
    for (int i = 0; i < def_.fields.size(); ++i) {
        buffer_[i] = def_.fields[i].kind == FieldKind::Text ? QVariant(select.columnText(2 * i))
                                                            : QVariant(select.columnBlob(2 * i));
        damaged_[i] = select.columnInt(2 * i + 1) != 0;
    }
}

int Table::listCount() const { return rows_.size() + (state_ == State::Insert ? 1 : 0); }

QString Table::listKey(int line) const
{
    if (state_ == State::Insert) {
        if (line == insertAt_)
            return def_.keyField >= 0 ? buffer_[def_.keyField].toString() : QString();
        if (line > insertAt_)
            --line;
    } else if (state_ == State::Edit && line == current_ && def_.keyField >= 0 && dirty_[def_.keyField]) {
        // A pending new title shows in the list at once.
        return buffer_[def_.keyField].toString();
    }
    return line >= 0 && line < rows_.size() ? keyOf(line) : QString();
}

int Table::currentListRow() const { return state_ == State::Insert ? insertAt_ : current_; }

void Table::setState(State s)
{
    if (state_ != s) {
        state_ = s;
        emit stateChanged();
    }
}

void Table::notifyAll()
{
    emit fieldChanged(-1);
    emit listChanged();
    emit stateChanged();
}

void Table::settle()
{
    if (!isEditing())
        return;
    emit updateRecord();
    if (modified_) {
        writePending();
    } else {
        const bool wasInsert = state_ == State::Insert;
        state_ = State::Browse;
        modified_ = false;
        if (wasInsert) {
            insertAt_ = -1;
            loadCurrent();
            notifyAll();
        }
    }
}

// A pending edit is settled before the target is reckoned: posting it may
// add a row or sort a renamed one to another place.
void Table::first()
{
    requireOpen();
    settle();
    moveTo(0);
}

void Table::prior()
{
    requireOpen();
    settle();
    moveTo(current_ - 1);
}

void Table::next()
{
    requireOpen();
    settle();
    moveTo(current_ + 1);
}

void Table::last()
{
    requireOpen();
    settle();
    moveTo(rowCount() - 1);
}

void Table::moveToListRow(int line)
{
    requireOpen();
    if (!isEditing() || def_.keyField < 0) {
        moveTo(line);
        return;
    }
    // The line is found again by its title once the pending edit is posted.
    const bool pendingLine = line == currentListRow();
    const QString key = listKey(line);
    settle();
    int row = current_;
    if (!pendingLine) {
        readAllRows();
        readAllKeys();
        for (int i = 0; i < rows_.size(); ++i)
            if (keyOf(i) == key) {
                row = i;
                break;
            }
    }
    moveTo(row);
}

void Table::moveTo(int row)
{
    requireOpen();
    settle();
    if (rows_.isEmpty())
        return;
    row = std::clamp(row, 0, static_cast<int>(rows_.size()) - 1);
    if (row != current_) {
        current_ = row;
        loadCurrent();
    }
    notifyAll();
}

void Table::edit()
{
    requireOpen();
    if (isEditing())
        return;
    if (rows_.isEmpty()) {
        insert();
        implicitInsert_ = true;
        return;
    }
    modified_ = false;
    dirty_.fill(false);
    setState(State::Edit);
}

void Table::insert()
{
    requireOpen();
    settle();
    insertAt_ = current_ < 0 ? 0 : current_;
    blankBuffer();
    modified_ = false;
    implicitInsert_ = false;
    state_ = State::Insert;
    notifyAll();
}

void Table::post()
{
    requireEditing();
    emit updateRecord();
    writePending();
}

bool Table::bufferBlank() const
{
    for (const QVariant& value : buffer_) {
        const bool empty = value.typeId() == QMetaType::QString ? value.toString().isEmpty() : value.toByteArray().isEmpty();
        if (!empty)
            return false;
    }
    return true;
}

int Table::sortedPlace(const QString& key, qint64 skipRowid) const
{
    readAllRows();
    readAllKeys();
    int place = 0;
    for (int i = 0; i < rows_.size(); ++i) {   // a binary search would do; the list is in key order
        if (rows_[i] != skipRowid && QString::compare(keyOf(i), key, Qt::CaseSensitive) < 0)
            ++place;
    }
    return place;
}

void Table::writePending()
{
    const QString table = quoteIdentifier(def_.name);
    const int keyField = def_.keyField;
    // A new row or a new key moves rows in the list: their places are
    // found among all of them. A delete, or a change that keeps the key,
    // leaves the list in the table's order as it is.
    if (state_ == State::Insert || (keyField >= 0 && dirty_[keyField]))
        readAllRows();
    auto bindField = [this](SqliteStmt& stmt, int index, int field) {
        if (def_.fields[field].kind == FieldKind::Text)
            stmt.bindText(index, buffer_[field].toString());
        else
            stmt.bindBlob(index, buffer_[field].toByteArray());
    };

    if (state_ == State::Insert && implicitInsert_ && keyField >= 0 && bufferBlank()) {
        // The row an edit of an empty table opened ends with nothing in it:
        // a nameless row would only stand in the way of the next one.
        state_ = State::Browse;
        insertAt_ = -1;
        modified_ = false;
        implicitInsert_ = false;
        loadCurrent();
        notifyAll();
        return;
    }
    if (state_ == State::Insert) {
        QStringList names, marks;
        for (const FieldDef& f : def_.fields) {
            names << quoteIdentifier(f.name);
            marks << QStringLiteral("?");
        }
        SqliteStmt insert(db_, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                   .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        for (int i = 0; i < def_.fields.size(); ++i)
            bindField(insert, i + 1, i);
        insert.step();
        const qint64 rowid = sqlite3_last_insert_rowid(db_.handle());
        const QString key = keyField >= 0 ? buffer_[keyField].toString() : QString();
        const int place = keyField >= 0 ? sortedPlace(key, -1) : rows_.size();
        rows_.insert(place, rowid);
        if (keyField >= 0)
            keys_.insert(rowid, key);
        current_ = place;
        insertAt_ = -1;
    } else {
        QVector<int> fields;
        for (int i = 0; i < def_.fields.size(); ++i)
            if (dirty_[i])
                fields << i;
        if (fields.isEmpty())
            fields << (keyField >= 0 ? keyField : 0);
        QStringList sets;
        for (int f : fields)
            sets << quoteIdentifier(def_.fields[f].name) + QStringLiteral(" = ?");
        SqliteStmt update(db_, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table, sets.join(QLatin1Char(','))));
        int index = 1;
        for (int f : fields)
            bindField(update, index++, f);
        update.bindInt(index, rowAt(current_));
        update.step();
        if (keyField >= 0 && dirty_[keyField]) {
            const qint64 rowid = rowAt(current_);
            const QString key = buffer_[keyField].toString();
            readAllKeys();
            keys_.insert(rowid, key);
            rows_.remove(current_);
            current_ = sortedPlace(key, -1);
            rows_.insert(current_, rowid);
        }
    }
    modified_ = false;
    implicitInsert_ = false;
    dirty_.fill(false);
    state_ = State::Browse;
    notifyAll();
}

void Table::cancel()
{
    requireOpen();
    if (!isEditing())
        return;
    state_ = State::Browse;
    insertAt_ = -1;
    modified_ = false;
    loadCurrent();
    notifyAll();
}

void Table::refresh()
{
    requireOpen();
    settle();
    const qint64 rowid = current_ >= 0 ? rowAt(current_) : -1;
    const int oldRow = current_;
    loadRows();
    readAllRows();
    current_ = -1;
    for (int i = 0; i < rows_.size(); ++i)
        if (rows_[i] == rowid)
            current_ = i;
    if (current_ < 0 && !rows_.isEmpty())
        current_ = std::clamp(oldRow, 0, static_cast<int>(rows_.size()) - 1);
    loadCurrent();
    notifyAll();
}

void Table::deleteRecord()
{
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (rows_.isEmpty())
        throw DatabaseError(kEmptyDataset);
    SqliteStmt remove(db_, QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdentifier(def_.name)));
    remove.bindInt(1, rowAt(current_));
    remove.step();
    keys_.remove(rows_[current_]);
    rows_.remove(current_);
    if (current_ >= rows_.size())
        current_ = rows_.size() - 1;
    state_ = State::Browse;
    modified_ = false;
    loadCurrent();
    notifyAll();
}

void Table::emptyTable()
{
    const QString sql = QStringLiteral("DELETE FROM %1").arg(quoteIdentifier(def_.name));
    if (isOpen()) {
        db_.exec(sql);
        state_ = State::Browse;
        loadRows();
        current_ = rows_.isEmpty() ? -1 : 0;
        loadCurrent();
        notifyAll();
        return;
    }
    SqliteDb db;
    db.open(path(), false);
    verifyLayout(db, def_);
    db.exec(sql);
}

QString Table::text(int field) const
{
    return field >= 0 && field < buffer_.size() ? buffer_[field].toString() : QString();
}

QByteArray Table::picture(int field) const
{
    return field >= 0 && field < buffer_.size() ? buffer_[field].toByteArray() : QByteArray();
}

QStringList Table::storedTexts(const QVector<int>& fields) const
{
    requireOpen();
    QStringList columns, texts;
    for (int field : fields)
        columns << boundedColumn(field);
    if (columns.isEmpty())
        return texts;
    SqliteStmt select(db_, QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QLatin1Char(',')), quoteIdentifier(def_.name)));
    while (select.step())
        for (int i = 0; i < columns.size(); ++i)
            texts << select.columnText(i);
    return texts;
}

bool Table::indexTexts()
{
    requireOpen();
    QStringList columns;
    for (const FieldDef& f : def_.fields)
        if (f.kind == FieldKind::Text)
            columns << quoteIdentifier(f.name);
    try {
        db_.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                     .arg(quoteIdentifier(def_.name + QStringLiteral("_texts")), quoteIdentifier(def_.name),
                          columns.join(QLatin1Char(','))));
        return true;
    } catch (const EngineError&) {
        return false;   // a read-only file or folder: searched without it
    }
}

QVector<Table::Match> Table::findTexts(const QVector<int>& fields, const QString& part, int limit) const
{
    requireOpen();
    QVector<Match> found;
    if (fields.isEmpty() || limit <= 0)
        return found;
    QString pattern = part;
    pattern.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    pattern = QLatin1Char('%') + pattern + QLatin1Char('%');
    const QString key = def_.keyField >= 0 ? boundedColumn(def_.keyField) : QStringLiteral("''");
    QStringList columns, tests;
    for (int field : fields) {
        const QString column = quoteIdentifier(def_.fields[field].name);
        columns << boundedColumn(field);
        // A damaged value is not searched either.
        tests << QStringLiteral("(length(%1) <= %2 AND %1 LIKE ?1 ESCAPE '\\')").arg(column).arg(def_.fields[field].limit());
    }
    // No ORDER BY: the key's own index would make SQLite read each row, its
    // pictures too, where the text index alone answers.
    SqliteStmt select(db_, QStringLiteral("SELECT %1, %2 FROM %3 WHERE %4 LIMIT %5")
                               .arg(key, columns.join(QLatin1Char(',')), quoteIdentifier(def_.name),
                                    tests.join(QStringLiteral(" OR ")))
                               .arg(limit));
    select.bindText(1, pattern);
    while (select.step()) {
        Match match;
        match.key = select.columnText(0);
        for (int i = 0; i < fields.size(); ++i)
            match.texts << select.columnText(i + 1);
        found << match;
    }
    std::sort(found.begin(), found.end(), [](const Match& a, const Match& b) { return a.key < b.key; });
    return found;
}

QString Table::storedText(int field, const QString& value) const
{
    QString text = value.left(def_.fields[field].width);
    for (QChar& c : text)
        if (c.unicode() > 0xff)
            c = QLatin1Char('?');   // single-byte text: what Latin-1 cannot hold
    return text;
}

void Table::setText(int field, const QString& value)
{
    requireEditing();
    buffer_[field] = storedText(field, value);
    dirty_[field] = true;
    damaged_[field] = false;
    modified_ = true;
    emit fieldChanged(field);
    if (field == def_.keyField)
        emit listChanged();
}

void Table::setPicture(int field, const QByteArray& value)
{
    requireEditing();
    buffer_[field] = value;
    dirty_[field] = true;
    damaged_[field] = false;
    modified_ = true;
    emit fieldChanged(field);
}

} // namespace store
