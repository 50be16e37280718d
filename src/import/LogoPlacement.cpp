#include "LogoPlacement.h"

#include "files/FileOps.h"
#include "store/LogoFile.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QFileInfo>

namespace logoimport {

bool liesInProgramDir(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash >= 0 && path.left(slash) == store::programDir();
}

bool namedByASlot(const store::Table& pages, const QString& path)
{
    using store::LogoPage::pictureTitle;
    QVector<int> fields;
    for (int n = 1; n <= store::LogoPage::kSlots; ++n)
        fields << pictureTitle(n);
    QStringList titles = pages.storedTexts(fields);
    if (pages.isEditing())
        for (int field : fields)
            titles << pages.text(field);
    for (const QString& title : titles)
        if (!title.isEmpty() && store::logoWadPath(title) == path)
            return true;
    return false;
}

Placement placeLogo(const QString& source, const QString& target, bool rename)
{
    if (rename)
        files::renameNoReplace(source.toStdString(), target.toStdString());
    else
        files::copyExclusive(source.toStdString(), target.toStdString());
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
