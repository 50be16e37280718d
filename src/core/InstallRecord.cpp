#include "InstallRecord.h"

#include "files/FileOps.h"
#include "files/ReadLimits.h"
#include "store/ProgramDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace core::installrecord {

namespace {
const QString kTarget = QStringLiteral("target");
const QString kFile = QStringLiteral("file");
const QString kTitle = QStringLiteral("title");
const QString kHash = QStringLiteral("sha256");
const QString kTime = QStringLiteral("time");
const QString kKept = QStringLiteral("kept");
} // namespace

QString path() { return store::programFile(QStringLiteral("Installed.json")); }

QList<InstalledSpray> read()
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = files::readAll(path().toStdString(), files::kMaxSettingsFileBytes);
    } catch (const files::FileError&) {
        return {};
    }
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    QList<InstalledSpray> entries;
    for (const QJsonValue& value : document.array()) {
        const QJsonObject o = value.toObject();
        InstalledSpray entry{o.value(kTarget).toString(), o.value(kFile).toString(), o.value(kTitle).toString(),
                             o.value(kHash).toString().toLatin1(),
                             QDateTime::fromString(o.value(kTime).toString(), Qt::ISODate),
                             o.value(kKept).toString().toLatin1()};
        // Only a plain file name is looked at in the folder.
        if (entry.target.isEmpty() || entry.hash.isEmpty() || entry.file.contains(QLatin1Char('/'))
            || (entry.file != QLatin1String("tempdecal.wad") && entry.file != QLatin1String("pldecal.wad")))
            continue;
        entries << entry;
    }
    return entries;
}

void write(const QList<InstalledSpray>& entries)
{
    QJsonArray array;
    for (const InstalledSpray& e : entries) {
        QJsonObject o{{kTarget, e.target}, {kFile, e.file}, {kTitle, e.title}, {kHash, QString::fromLatin1(e.hash)},
                      {kTime, e.time.toUTC().toString(Qt::ISODate)}};
        if (!e.keptHash.isEmpty())
            o.insert(kKept, QString::fromLatin1(e.keptHash));
        array.append(o);
    }
    const QByteArray json = QJsonDocument(array).toJson();
    files::writeAtomically(path().toStdString(), std::vector<std::uint8_t>(json.begin(), json.end()));
}

void note(const InstalledSpray& entry)
{
    QList<InstalledSpray> entries = read();
    const QString key = QDir::cleanPath(entry.target);
    entries.removeIf([&key](const InstalledSpray& e) { return QDir::cleanPath(e.target) == key; });
    entries << entry;
    write(entries);
}

QByteArray hashOf(const QString& file)
{
    try {
        const std::vector<std::uint8_t> bytes = files::readAll(file.toStdString(), files::kMaxWadBytes);
        return QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())),
                                        QCryptographicHash::Sha256)
            .toHex();
    } catch (const files::FileError&) {
        return {};
    }
}

} // namespace core::installrecord
