#include "ModTitle.h"

#include "files/FileOps.h"
#include "files/ReadLimits.h"

#include <QFileInfo>

#include <cctype>

namespace steam {

QString gameLineValue(const QByteArray& liblist)
{
    for (const QByteArray& raw : liblist.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.size() < 5 || qstrnicmp(line.constData(), "game", 4) != 0 || !std::isspace(static_cast<unsigned char>(line[4])))
            continue;
        QByteArray value = line.mid(4).trimmed();
        if (value.startsWith('"')) {
            const int end = value.indexOf('"', 1);
            value = end < 0 ? value.mid(1) : value.mid(1, end - 1);
        }
        // Names are short; a control character is no part of one.
        QString name = QString::fromUtf8(value).trimmed();
        name.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
        return name.left(64);
    }
    return {};
}

QString modTitle(const QString& modFolder)
{
    const QString fallback = QFileInfo(modFolder).fileName();
    try {
        const std::vector<std::uint8_t> bytes =
            files::readAll((modFolder + QStringLiteral("/liblist.gam")).toStdString(), files::kMaxSettingsFileBytes);
        const QString name = gameLineValue(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        return name.isEmpty() ? fallback : name;
    } catch (const files::FileError&) {
        return fallback;
    }
}

int preferredMod(const QStringList& mods)
{
    for (int i = 0; i < mods.size(); ++i)
        if (QFileInfo(mods[i]).fileName() == QLatin1String("cstrike"))
            return i;
    return mods.isEmpty() ? -1 : 0;
}

} // namespace steam
