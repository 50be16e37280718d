#include "FileNameCase.h"

#include <QDir>
#include <QFileInfo>

namespace store {

QString fileInAnyCase(const QString& dir, const QString& name)
{
    const QString exact = dir + QLatin1Char('/') + name;
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : names)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir + QLatin1Char('/') + entry;
    return QString();
}

QStringList filesWithBaseName(const QString& dir, const QString& base)
{
    QStringList found;
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : names)
        if (entry.section(QLatin1Char('.'), 0, 0).compare(base, Qt::CaseInsensitive) == 0)
            found << entry;
    return found;
}

} // namespace store
