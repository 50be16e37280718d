#include "ParadoxTable.h"

#include "FileNameCase.h"
#include "ParadoxBlobFile.h"
#include "PictureField.h"
#include "PxLib.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtEndian>

extern "C" {
#include <paradox.h>
}

#include <memory>

namespace store {

namespace {

// The header of a Paradox data table, as far as the check needs it.
constexpr int kRecordSize = 0x00;
constexpr int kHeaderSize = 0x02;
constexpr int kFileType = 0x04;
constexpr int kMaxTableSize = 0x05;
constexpr int kFieldCount = 0x21;
constexpr int kFileVersion = 0x39;
constexpr int kFieldInfoOld = 0x58;   // versions 3.0 and 3.5
constexpr int kFieldInfo = 0x78;      // 4.0 and later
constexpr int kRecordCount = 0x06;
constexpr int kFileBlocks = 0x0C;
constexpr int kFirstBlock = 0x0E;
constexpr int kDataBlockHeader = 6;   // next block, previous block, size of the records
constexpr quint8 kIndexedTable = 0;
constexpr quint8 kPlainTable = 2;
constexpr quint8 kLastFieldType = pxfBytes;

quint16 le16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// The decoder of a DOS or Windows code page number; Windows-1252 when the
// table names none or one we do not know.
QStringDecoder decoderFor(int codePage)
{
    QStringList names;
    if (codePage == 874 || (codePage >= 1250 && codePage <= 1258))
        names << QStringLiteral("windows-%1").arg(codePage);
    names << QStringLiteral("IBM%1").arg(codePage) << QStringLiteral("cp%1").arg(codePage);
    for (const QString& name : names) {
        QStringDecoder decoder(name.toLatin1().constData());
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder("windows-1252");
}

// One open table; pxlib reports through a handler, which keeps the last
// error for our message (warnings are passed over).
struct PxTable {
    const PxLib* px = nullptr;
    pxdoc_t* doc = nullptr;
    QString lastError;

    ~PxTable()
    {
        if (doc) {
            px->close(doc);
            px->deleteDoc(doc);
        }
    }

    static void onError(pxdoc_t*, int type, const char* message, void* data)
    {
        if (type != PX_Warning)
            static_cast<PxTable*>(data)->lastError = QString::fromLocal8Bit(message).trimmed();
    }

    QString why() const { return lastError.isEmpty() ? QStringLiteral("pxlib gave no reason") : lastError; }
};

QString alphaText(pxdoc_t* doc, char* data, int len, QStringDecoder& decoder)
{
    char* value = nullptr;
    if (pxlib().dataAlpha(doc, data, len, &value) <= 0 || !value)
        return QString();
    const QByteArray bytes(value);   // up to the first NUL, at most the field's width
    doc->free(doc, value);
    decoder.resetState();
    return decoder.decode(bytes);
}

QByteArray pictureFieldFrom(const QByteArray& stored)
{
    const QByteArray bitmap = unwrapPicture(stored);
    return bitmap.isEmpty() ? QByteArray() : wrapPicture(bitmap);
}

// pxlib follows the chain of data blocks when it opens a table, and loops
// for ever on a chain that comes back on itself: the chain is walked here
// first, each block inside the file and none twice.
void checkBlockChain(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ParadoxError(QStringLiteral("%1 cannot be read: %2.").arg(path, file.errorString()).toStdString());
    const QByteArray head = file.read(kFieldInfoOld);
    const qint64 blockSize = 1024 * static_cast<quint8>(head[kMaxTableSize]);
    const qint64 headerSize = le16(head, kHeaderSize);
    const qint64 blocksInFile = (file.size() - headerSize) / blockSize;
    const int recordSize = le16(head, kRecordSize);
    const qint64 records = qFromLittleEndian<quint32>(head.constData() + kRecordCount);
    qint64 counted = 0;
    QVector<bool> seen(static_cast<int>(std::max<qint64>(blocksInFile, 0)) + 1, false);
    int block = le16(head, kFirstBlock);
    const int declared = le16(head, kFileBlocks);
    if (declared > blocksInFile)
        throw ParadoxError(QStringLiteral("%1 is damaged: it is shorter than its header says.").arg(path).toStdString());
    while (block != 0) {
        if (block > blocksInFile || seen[block])
            throw ParadoxError(QStringLiteral("%1 is damaged: its chain of data blocks is broken.").arg(path).toStdString());
        seen[block] = true;
        if (!file.seek(headerSize + (block - 1) * blockSize))
            throw ParadoxError(QStringLiteral("%1 cannot be read.").arg(path).toStdString());
        const QByteArray blockHead = file.read(kDataBlockHeader);
        if (blockHead.size() != kDataBlockHeader)
            throw ParadoxError(QStringLiteral("%1 is cut short.").arg(path).toStdString());
        block = le16(blockHead, 0);
        const qint16 lastRecord = qFromLittleEndian<qint16>(blockHead.constData() + 4);
        if (lastRecord >= 0)
            counted += lastRecord / recordSize + 1;
    }
    if (counted != records)
        throw ParadoxError(QStringLiteral("%1 is damaged: its blocks hold %2 rows, its header says %3.")
                               .arg(path).arg(counted).arg(records).toStdString());
}

} // namespace

bool isParadoxTable(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(kFieldInfo + 2 * 255);
    if (head.size() < kFieldInfoOld)
        return false;
    const quint8 type = static_cast<quint8>(head[kFileType]);
    const quint8 blockKb = static_cast<quint8>(head[kMaxTableSize]);
    const quint8 version = static_cast<quint8>(head[kFileVersion]);
    const int recordSize = le16(head, kRecordSize);
    const int headerSize = le16(head, kHeaderSize);
    const int fields = le16(head, kFieldCount);
    if ((type != kIndexedTable && type != kPlainTable) || blockKb < 1 || blockKb > 32 || version < 3 || version > 12)
        return false;
    const int fieldInfo = version >= 5 ? kFieldInfo : kFieldInfoOld;
    if (fields < 1 || fields > 255 || headerSize < fieldInfo + 2 * fields || head.size() < fieldInfo + 2 * fields)
        return false;
    int sum = 0;
    for (int i = 0; i < fields; ++i) {
        const quint8 fieldType = static_cast<quint8>(head[fieldInfo + 2 * i]);
        const quint8 width = static_cast<quint8>(head[fieldInfo + 2 * i + 1]);
        if (fieldType < 1 || fieldType > kLastFieldType || width == 0)
            return false;
        sum += width;
    }
    return sum == recordSize;
}

ParadoxRows readParadoxTable(const QString& dir, const TableDef& def)
{
    const QString fileName = def.fileName();
    const QString path = fileInAnyCase(dir, fileName);
    if (path.isEmpty())
        throw ParadoxError(QStringLiteral("%1 is missing in %2.").arg(fileName, dir).toStdString());
    if (!isParadoxTable(path))
        throw ParadoxError(QStringLiteral("%1 is not a Paradox table.").arg(path).toStdString());

    checkBlockChain(path);

    const PxLib& px = pxlib();
    PxTable table;
    table.px = &px;
    table.doc = px.new3(&PxTable::onError, nullptr, nullptr, nullptr, &table);
    if (!table.doc)
        throw ParadoxError("pxlib could not start.");
    if (px.openFile(table.doc, QFile::encodeName(path).constData()) < 0)
        throw ParadoxError(QStringLiteral("%1 cannot be opened: %2.").arg(path, table.why()).toStdString());

    const int fieldCount = px.numFields(table.doc);
    const pxfield_t* pxFields = px.fields(table.doc);
    if (fieldCount <= 0 || !pxFields)
        throw ParadoxError(QStringLiteral("%1 describes no fields.").arg(path).toStdString());

    // Each field of our layout: where it lies in a row and how wide it is.
    struct Place {
        int offset;
        int width;
    };
    QVector<Place> places;
    for (const FieldDef& field : def.fields) {
        int offset = 0;
        int found = -1;
        for (int i = 0; i < fieldCount; ++i) {
            if (QString::fromLatin1(pxFields[i].px_fname).compare(field.name, Qt::CaseInsensitive) == 0) {
                found = i;
                break;
            }
            offset += pxFields[i].px_flen;
        }
        if (found < 0)
            throw ParadoxError(QStringLiteral("%1 has no field \"%2\".").arg(path, field.name).toStdString());
        const char type = pxFields[found].px_ftype;
        const bool fits = field.kind == FieldKind::Text ? type == pxfAlpha
                                                        : (type == pxfGraphic || type == pxfBLOb || type == pxfOLE);
        if (!fits)
            throw ParadoxError(QStringLiteral("%1: the field \"%2\" holds %3.")
                                   .arg(path, field.name,
                                        field.kind == FieldKind::Text ? QStringLiteral("no text") : QStringLiteral("no picture"))
                                   .toStdString());
        places.push_back({offset, pxFields[found].px_flen});
    }

    ParadoxBlobFile blobs(fileInAnyCase(QFileInfo(path).path(), def.name + QStringLiteral(".MB")));

    QStringDecoder decoder = decoderFor(table.doc->px_head->px_doscodepage);
    ParadoxRows result;
    const int recordSize = px.recordSize(table.doc);
    const int records = px.numRecords(table.doc);
    QByteArray record(recordSize, '\0');
    for (int recno = 0; recno < records; ++recno) {
        record.fill('\0');
        int deleted = 0;
        pxdatablockinfo_t info;
        table.lastError.clear();
        if (!px.record2(table.doc, recno, record.data(), &deleted, &info))
            throw ParadoxError(QStringLiteral("%1: row %2 cannot be read: %3.").arg(path).arg(recno + 1).arg(table.why()).toStdString());
        if (deleted)
            continue;
        QVector<QVariant> row(def.fields.size());
        for (int f = 0; f < def.fields.size(); ++f) {
            char* data = record.data() + places[f].offset;
            if (def.fields[f].kind == FieldKind::Text) {
                row[f] = alphaText(table.doc, data, places[f].width, decoder);
                continue;
            }
            QString problem;
            const QByteArray stored = blobs.read(data, places[f].width, &problem);
            if (!problem.isEmpty()) {
                const QString key = def.keyField >= 0
                                        ? QStringLiteral(" (\"%1\")").arg(alphaText(table.doc, record.data() + places[def.keyField].offset,
                                                                                    places[def.keyField].width, decoder))
                                        : QString();
                result.problems << QStringLiteral("%1, row %2%3, %4: %5; it is left without a picture.")
                                       .arg(fileName).arg(recno + 1).arg(key, def.fields[f].name, problem);
            }
            row[f] = pictureFieldFrom(stored);
        }
        result.rows.push_back(row);
    }
    return result;
}

} // namespace store
