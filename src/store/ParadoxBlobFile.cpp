#include "ParadoxBlobFile.h"

#include <QtEndian>

namespace store {

namespace {
constexpr int kTrailer = 10;          // place, length, modification number
constexpr qint64 kBlock = 4096;
constexpr int kSingleHeader = 9;
constexpr int kTableStart = 12;
constexpr int kTableEntry = 5;
constexpr int kTableEntries = 64;
// A spray logo's picture is a few kilobytes; more is damage.
constexpr quint32 kMaxBlob = 16 * 1024 * 1024;
}

ParadoxBlobFile::ParadoxBlobFile(const QString& path)
{
    if (!path.isEmpty()) {
        file_.setFileName(path);
        if (!file_.open(QIODevice::ReadOnly))
            file_.setFileName(QString());
    }
}

QByteArray ParadoxBlobFile::read(const char* field, int length, QString* problem)
{
    const int leader = length - kTrailer;
    if (leader < 0) {
        *problem = QStringLiteral("the field is too short for a picture");
        return QByteArray();
    }
    const quint32 place = qFromLittleEndian<quint32>(field + leader);
    const quint32 size = qFromLittleEndian<quint32>(field + leader + 4);
    if (size == 0)
        return QByteArray();
    if (place == 0) {   // kept whole in the row
        if (size > static_cast<quint32>(leader)) {
            *problem = QStringLiteral("the row claims %1 bytes but keeps %2").arg(size).arg(leader);
            return QByteArray();
        }
        return QByteArray(field, static_cast<int>(size));
    }
    if (size > kMaxBlob) {
        *problem = QStringLiteral("the row gives the picture an impossible length of %1 bytes").arg(size);
        return QByteArray();
    }
    if (!file_.isOpen()) {
        *problem = QStringLiteral("the picture lies in the blob file, which is missing or unreadable");
        return QByteArray();
    }
    const qint64 block = place & 0xffffff00u;
    const int index = place & 0xff;
    auto bytesAt = [this](qint64 at, qint64 count) {
        if (at < 0 || count < 0 || at + count > file_.size() || !file_.seek(at))
            return QByteArray();
        const QByteArray bytes = file_.read(count);
        return bytes.size() == count ? bytes : QByteArray();
    };
    const QByteArray header = bytesAt(block, kTableStart);
    if (header.isEmpty()) {
        *problem = QStringLiteral("the picture's place lies beyond the end of the blob file");
        return QByteArray();
    }
    QByteArray blob;
    const quint8 type = static_cast<quint8>(header[0]);
    if (type == 2 && index == 0xff) {
        if (qFromLittleEndian<quint32>(header.constData() + 3) != size) {
            *problem = QStringLiteral("the blob file and the row disagree on the picture's length");
            return QByteArray();
        }
        blob = bytesAt(block + kSingleHeader, size);
    } else if (type == 3 && index < kTableEntries) {
        const QByteArray entry = bytesAt(block + kTableStart + index * kTableEntry, kTableEntry);
        if (entry.isEmpty()) {
            *problem = QStringLiteral("the blob file is cut short");
            return QByteArray();
        }
        const quint8 start = static_cast<quint8>(entry[0]);
        const quint8 units = static_cast<quint8>(entry[1]);
        const quint8 lastUnit = static_cast<quint8>(entry[4]);
        const qint64 stored = (static_cast<qint64>(units) - 1) * 16 + lastUnit;
        if (units == 0 || stored != size || start * 16 + stored > kBlock) {
            *problem = QStringLiteral("the blob file and the row disagree on the picture's length");
            return QByteArray();
        }
        blob = bytesAt(block + start * 16, size);
    } else {
        *problem = QStringLiteral("the row points to a block of the blob file that holds no picture");
        return QByteArray();
    }
    if (blob.isEmpty())
        *problem = QStringLiteral("the blob file is cut short");
    return blob;
}

} // namespace store
