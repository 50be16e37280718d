#include "GameFolders.h"

#include "SteamLibraries.h"
#include "files/FileOps.h"
#include "files/ReadLimits.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace steam {

namespace {

QString svenFolder(const QString& library)
{
    return library + QStringLiteral("/steamapps/common/Sven Co-op/svencoop");
}

// Whether `folder` lies inside `game` (both made canonical).
bool liesIn(const QString& folder, const QString& game)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QString root = QFileInfo(game).canonicalFilePath();
    return !canonical.isEmpty() && !root.isEmpty() && canonical.startsWith(root + QLatin1Char('/'));
}

} // namespace

QStringList gameFolders()
{
    QStringList found = games();
    for (const QString& library : libraries())
        if (QFileInfo(svenFolder(library)).isDir())
            found << svenFolder(library);
    return found;
}

QString gameName(const QString& folder)
{
    const QString own = QFileInfo(folder).fileName();
    QString text;
    try {
        const std::vector<std::uint8_t> bytes = files::readAll(
            (folder + QStringLiteral("/liblist.gam")).toStdString(), files::kMaxSettingsFileBytes);
        text = QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    } catch (const files::FileError&) {
        return own;
    }
    static const QRegularExpression line(QStringLiteral("^\\s*game\\s+\"([^\"\\r\\n]+)\""),
                                         QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = line.match(text);
    const QString name = match.hasMatch() ? match.captured(1).trimmed() : QString();
    return name.isEmpty() ? own : name;
}

QString joinNames(const QStringList& names)
{
    if (names.size() < 2)
        return names.join(QString());
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.back();
}

QStringList steamLaunchArguments(const QString& folder)
{
    for (const QString& library : libraries()) {
        if (liesIn(folder, library + QStringLiteral("/steamapps/common/Half-Life")))
            return launchArguments(QFileInfo(folder).fileName());
        if (liesIn(folder, library + QStringLiteral("/steamapps/common/Sven Co-op")))
            return {QStringLiteral("-applaunch"), QString::number(kSvenCoopAppId)};
    }
    return {};
}

} // namespace steam
