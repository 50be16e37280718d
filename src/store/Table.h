// One table of the program directory, reached through a cursor. The row
// under the cursor is the current row; while it is being edited or inserted
// its fields change in a pending edit, which reaches the file only when it is
// posted. Only the current row's fields are held in memory; the row list
// holds the keys alone, so a large library costs no more to page through.
#pragma once

#include "Errors.h"
#include "Sqlite.h"
#include "TableDef.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QHash>
#include <QVector>

namespace store {

class Table : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Table(TableDef def, QObject* parent = nullptr);
    ~Table() override;

    const TableDef& def() const { return def_; }
    void setDirectory(const QString& dir) { dir_ = dir; }
    void setFileName(const QString& name) { fileName_ = name; }
    QString path() const;

    // Opens an existing table file; the cursor goes to the first row.
    void open();
    // Leaves any pending edit unposted.
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }
    bool isEditing() const { return state_ == State::Edit || state_ == State::Insert; }

    // Stored rows and the cursor's place among them (-1 when there is none).
    int rowCount() const { return rows_.size(); }
    int recNo() const { return current_; }
    bool isEmpty() const { return rows_.isEmpty(); }

    // The row list as shown: the stored rows' keys, with a row being inserted
    // shown at its place; currentListRow() is the cursor's line in it.
    int listCount() const;
    QString listKey(int line) const;
    int currentListRow() const;

    void first();
    void prior();
    void next();
    void last();
    void moveTo(int row);
    // Moves to a line of the row list as it was shown before the pending
    // edit was posted, found again by its key.
    void moveToListRow(int line);

    void edit();
    void insert();
    void post();
    void cancel();
    void refresh();
    void deleteRecord();
    // Removes every row; works on a closed table.
    void emptyTable();

    // A field of the current row whose stored value is over its field's
    // limit: read as empty, without its value ever being loaded, until it
    // is set anew.
    bool isDamaged(int field) const { return field >= 0 && field < damaged_.size() && damaged_[field]; }

    QString text(int field) const;
    QByteArray picture(int field) const;   // a null array when there is no picture
    void setText(int field, const QString& value);
    void setPicture(int field, const QByteArray& value);

    // The texts of these fields in every stored row, row after row, read in
    // one query without moving the cursor; a pending edit is not among them.
    QStringList storedTexts(const QVector<int>& fields) const;

    // An index over the key and the text fields, so that reading titles or
    // searching them never reads the pictures stored between them. Kept by
    // SQLite on every write; made once, when missing. False when the file
    // cannot take it (read-only): the searches then read the rows.
    bool indexTexts();
    // Stored rows with a text field that holds `part` (letter case of A to
    // Z not counted), in key order, at most `limit`: each the key and the
    // texts of `fields`. A pending edit is not among them.
    struct Match {
        QString key;
        QStringList texts;
    };
    QVector<Match> findTexts(const QVector<int>& fields, const QString& part, int limit) const;

signals:
    // Controls that hold changes of their own hand them over now (before a
    // post or a move settles the pending edit).
    void updateRecord();
    // A field of the current row changed (-1: the whole row or another row).
    void fieldChanged(int field);
    // The row list or the cursor's place in it changed.
    void listChanged();
    void stateChanged();

private:

    void requireOpen() const;
    void requireEditing() const;
    void loadRows();
    // The id of row `row`, read with its block of the list when not read yet:
    // a start shows the first lines of a long list, not all of it.
    qint64 rowAt(int row) const;
    void readRows(int first, int count) const;
    // Every row's id: before rows move in the list, so that no block is read
    // from a table that no longer matches it.
    void readAllRows() const;
    // The key of row `row`, read with the keys of the rows around it when
    // not read yet: a start shows a few lines of a long list, not all.
    QString keyOf(int row) const;
    // Every row's key, for the searches through the whole list.
    void readAllKeys() const;
    void loadCurrent();
    void blankBuffer();
    void settle();
    void writePending();
    bool bufferBlank() const;
    int sortedPlace(const QString& key, qint64 skipRowid) const;
    QString storedText(int field, const QString& value) const;
    void setState(State s);
    // The column as selected: NULL when its value is over the field's limit.
    QString boundedColumn(int field) const;
    void notifyAll();

    TableDef def_;
    QString dir_;
    QString fileName_;
    SqliteDb db_;
    State state_ = State::Inactive;
    mutable QVector<qint64> rows_;          // the rows' ids in key order, -1 where not read yet
    mutable QHash<qint64, QString> keys_;   // the keys read so far, by row id
    int current_ = -1;
    int insertAt_ = -1;          // the list line of a row being inserted
    QVector<QVariant> buffer_;   // the current row, with the pending edit's changes
    QVector<bool> dirty_;
    QVector<bool> damaged_;
    bool modified_ = false;
    bool implicitInsert_ = false;   // the insert an edit of an empty table began
};

} // namespace store
