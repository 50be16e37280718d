// Paradox tables as libraries kept in that format hold them, made by pxlib
// for the tests: the three tables with their fields and widths, titles in a
// given code page, pictures in the blob file.
#pragma once

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

namespace paradoxtest {

// pxlib's field types of the tables.
inline constexpr char kAlpha = 0x01;
inline constexpr char kGraphic = 0x10;

struct Field {
    const char* name;
    char type;   // kAlpha or kGraphic
    int length;  // bytes in the row: the width of a text, 15 + 10 for a picture
};

// Writes `dir`/`name` and, unless `mbName` is empty, its blob file
// `dir`/`mbName` for the pictures that do not fit in their row. Each row holds one value per field: the text in the table's code
// page, or the stored bytes of a picture (empty: none).
void writeTable(const QString& dir, const QString& name, const QString& mbName, const QVector<Field>& fields,
                const QVector<QVector<QByteArray>>& rows, int codePage = 1252);

QVector<Field> logoFields();
QVector<Field> configFields();
QVector<Field> switchFields();

// A page row of LogoDB.db: the title and up to eight slots (title, picture).
QVector<QByteArray> pageRow(const QByteArray& title, const QVector<QPair<QByteArray, QByteArray>>& slotList);

// A whole Paradox library in `dir`: LogoDB.db/.MB, ConfigDB.db
// and SwitchDB.db/.MB with one row each, and a primary index file LogoDB.PX
// standing for the engine's other companion files.
void writeLibrary(const QString& dir, const QVector<QVector<QByteArray>>& pages, const QVector<QByteArray>& config,
                  const QVector<QByteArray>& switchRow, int codePage = 1252);

} // namespace paradoxtest
