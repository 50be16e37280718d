#include "SprayVisibility.h"

#include "files/FileOps.h"
#include "files/ReadLimits.h"

#include <QRegularExpression>

namespace core {

namespace {

// A command, then its value quoted or not, then anything (a comment, more commands).
bool blocksSpray(const QString& line)
{
    static const QRegularExpression setting(QStringLiteral("^\\s*(cl_allowupload|hpk_maxsize)\\s+\"?([^\"\\s;]*)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = setting.match(line);
    if (!match.hasMatch())
        return false;
    bool ok = false;
    const double value = match.captured(2).toDouble(&ok);
    if (!ok)
        return false;
    if (match.captured(1).compare(QLatin1String("cl_allowupload"), Qt::CaseInsensitive) == 0)
        return value == 0;
    return value < 1;
}

} // namespace

QStringList sprayVisibilityNotes(const QString& folder, const QString& game)
{
    QStringList notes;
    for (const QString name : {QStringLiteral("config.cfg"), QStringLiteral("userconfig.cfg")}) {
        const QString path = folder + QLatin1Char('/') + name;
        std::vector<std::uint8_t> bytes;
        try {
            bytes = files::readAll(path.toStdString(), files::kMaxSettingsFileBytes);
        } catch (const files::FileError&) {
            continue;
        }
        const QStringList lines = QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()))
                                      .split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            const QString line = lines[i].trimmed();
            if (blocksSpray(line))
                notes << QStringLiteral("Other players will not see your spray in %1: line %2 of \"%3\" reads %4.")
                             .arg(game)
                             .arg(i + 1)
                             .arg(path, line);
        }
    }
    return notes;
}

} // namespace core
