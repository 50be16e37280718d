#include "WorkingFiles.h"

#include "files/FileOps.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QFile>

namespace logoimport {

QString extractorPath() { return store::toolFile(QStringLiteral("wad3")); }
QString converterPath() { return store::toolFile(QStringLiteral("i_view32")); }
QString convertedPicturePath() { return store::programFile(QStringLiteral("temp.jpg")); }

QStringList pcxFiles()
{
    return QDir(store::programDir())
        .entryList({QStringLiteral("*.pcx")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void removeStaleWorkingFiles()
{
    files::removeStaleTemporaries(store::programDir().toStdString(), {"*.pcx", "temp.jpg", "*.wad"});
}

QString bestandnaam(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? fileName : fileName.left(dot);
}

qint64 bestandsgrootte()
{
    QFile file(convertedPicturePath());
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.size();
}

} // namespace logoimport
