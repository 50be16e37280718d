#include "LogoPlacement.h"

#include "WorkingFiles.h"
#include "files/FileOps.h"
#include "store/ProgramDir.h"

#include <QFileInfo>

namespace logoimport {

bool liesInProgramDir(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash >= 0 && path.left(slash) == store::programDir();
}

Placement placeLogo(const QString& source, const QString& target, bool rename)
{
    if (rename)
        files::renameNoReplace(source.toStdString(), target.toStdString());
    else
        files::copyExclusive(source.toStdString(), target.toStdString(), files::kMaxWadBytes,
                             workingDir().toStdString());
    return {source, target, rename};
}

QString undoPlacement(const Placement& placement)
{
    if (placement.target.isEmpty())
        return QString();
    if (!placement.renamed) {
        files::removeFile(placement.target.toStdString());
        return QString();
    }
    try {
        files::renameNoReplace(placement.target.toStdString(), placement.source.toStdString());
        return QString();
    } catch (const files::FileError&) {
        return QStringLiteral("The file %1 keeps the name %2.")
            .arg(QFileInfo(placement.source).fileName(), QFileInfo(placement.target).fileName());
    }
}

} // namespace logoimport
