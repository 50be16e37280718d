// The layout of one table: its name and its fields in order.
#pragma once

#include <QString>
#include <QVector>

namespace store {

enum class FieldKind { Text, Picture };

// A picture field holds a small bitmap or JPEG; one larger than this is
// damaged and never read.
inline constexpr qint64 kMaxPictureFieldBytes = 4 * 1024 * 1024;

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Text;
    int width = 0;          // characters, for text fields

    // The most a sound value holds: characters of a text, bytes of a
    // picture. A stored value over it is damaged.
    qint64 limit() const { return kind == FieldKind::Text ? width : kMaxPictureFieldBytes; }
};

struct TableDef {
    QString name;           // the table inside the file, the file name without ".db"
    QVector<FieldDef> fields;
    int keyField = -1;      // unique key and order of the rows; -1: rows in stored order

    QString fileName() const { return name + ".db"; }
    int indexOf(const QString& field) const;
};

} // namespace store
