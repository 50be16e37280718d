#include "ParadoxWriter.h"

#include <QFile>
#include <QPair>

#include <gtest/gtest.h>

extern "C" {
#include <paradox.h>
}

#include <cstring>

namespace paradoxtest {

static_assert(kAlpha == pxfAlpha && kGraphic == pxfGraphic, "pxlib's field types");

void writeTable(const QString& dir, const QString& name, const QString& mbName, const QVector<Field>& fields,
                const QVector<QVector<QByteArray>>& rows, int codePage)
{
    pxdoc_t* doc = PX_new();
    ASSERT_NE(doc, nullptr);
    // pxlib keeps the field list and frees it with the table.
    auto* pxFields = static_cast<pxfield_t*>(doc->malloc(doc, sizeof(pxfield_t) * fields.size(), "fields"));
    for (int i = 0; i < fields.size(); ++i) {
        pxFields[i].px_fname = PX_strdup(doc, fields[i].name);
        pxFields[i].px_ftype = fields[i].type;
        pxFields[i].px_flen = fields[i].length;
        pxFields[i].px_fdc = 0;
    }
    const QByteArray path = QFile::encodeName(dir + QLatin1Char('/') + name);
    ASSERT_EQ(PX_create_file(doc, pxFields, fields.size(), path.constData(), pxfFileTypIndexDB), 0);
    doc->px_head->px_doscodepage = codePage;
    // PX_set_blob_file only opens a blob file for reading: a new one is
    // made and handed over by hand.
    if (!mbName.isEmpty()) {
        pxblob_t* blob = PX_new_blob(doc);
        ASSERT_EQ(PX_create_blob_file(blob, QFile::encodeName(dir + QLatin1Char('/') + mbName).constData()), 0);
        doc->px_blob = blob;
    }

    for (const QVector<QByteArray>& row : rows) {
        QByteArray record(PX_get_recordsize(doc), '\0');
        int offset = 0;
        for (int i = 0; i < fields.size(); ++i) {
            QByteArray value = row.value(i);
            char* data = record.data() + offset;
            if (fields[i].type == pxfAlpha)
                PX_put_data_alpha(doc, data, fields[i].length, value.data());
            else if (!value.isEmpty())
                PX_put_data_blob(doc, data, fields[i].length, value.data(), value.size());
            offset += fields[i].length;
        }
        ASSERT_GE(PX_put_record(doc, record.data()), 0);
    }
    PX_close(doc);
    PX_delete(doc);
}

QVector<Field> logoFields()
{
    static const QVector<QByteArray> names = [] {
        QVector<QByteArray> n;
        for (int slot = 1; slot <= 8; ++slot)
            n << QByteArray("Picture ") + QByteArray::number(slot) + " Title" << QByteArray("Picture ") + QByteArray::number(slot);
        return n;
    }();
    QVector<Field> fields{{"Page Title", kAlpha, 15}};
    for (int i = 0; i < names.size(); i += 2)
        fields << Field{names[i].constData(), kAlpha, 15} << Field{names[i + 1].constData(), kGraphic, 15 + 10};
    return fields;
}

QVector<Field> configFields()
{
    return {{"Config", kAlpha, 255}, {"ConfigSaved", kAlpha, 3}, {"WaitTime", kAlpha, 3},
            {"ExtraConfig", kAlpha, 255}, {"ExtraConfigSaved", kAlpha, 3}};
}

QVector<Field> switchFields() { return {{"TempImage", kGraphic, 15 + 10}, {"TempImageTitle", kAlpha, 15}, {"Nickname", kAlpha, 20}}; }

QVector<QByteArray> pageRow(const QByteArray& title, const QVector<QPair<QByteArray, QByteArray>>& slotList)
{
    QVector<QByteArray> row{title};
    for (int slot = 0; slot < 8; ++slot)
        row << slotList.value(slot).first << slotList.value(slot).second;
    return row;
}

void writeLibrary(const QString& dir, const QVector<QVector<QByteArray>>& pages, const QVector<QByteArray>& config,
                  const QVector<QByteArray>& switchRow, int codePage)
{
    writeTable(dir, "LogoDB.db", "LogoDB.MB", logoFields(), pages, codePage);
    writeTable(dir, "ConfigDB.db", QString(), configFields(), {config}, codePage);
    writeTable(dir, "SwitchDB.db", "SwitchDB.MB", switchFields(), {switchRow}, codePage);
    QFile index(dir + "/LogoDB.PX");
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("primary index of LogoDB");
}

} // namespace paradoxtest
