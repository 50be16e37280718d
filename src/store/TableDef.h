// The layout of one table: its name and its fields in order.
#pragma once

#include <QString>
#include <QVector>

namespace store {

enum class FieldKind { Text, Picture };

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Text;
    int width = 0;          // characters, for text fields
};

struct TableDef {
    QString name;           // the table inside the file, the file name without ".db"
    QVector<FieldDef> fields;
    int keyField = -1;      // unique key and order of the rows; -1: rows in stored order

    QString fileName() const { return name + ".db"; }
    int indexOf(const QString& field) const;
};

} // namespace store
