#include "TableFiles.h"

#include "ProgramDir.h"
#include "Records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace store {

namespace {

const QStringList& journalSuffixes()
{
    static const QStringList suffixes = {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"),
                                         QStringLiteral("-journal")};
    return suffixes;
}

QStringList tableFileNames()
{
    QStringList names;
    for (const TableDef* def : {&logoTableDef(), &configTableDef(), &switchTableDef()})
        for (const QString& suffix : journalSuffixes())
            names << def->fileName() + suffix;
    return names;
}

#ifdef Q_OS_UNIX
bool sameFile(const QString& a, const struct stat& b)
{
    struct stat st;
    return ::stat(QFile::encodeName(a).constData(), &st) == 0 && st.st_dev == b.st_dev && st.st_ino == b.st_ino;
}
#endif

} // namespace

bool isTableFileName(const QString& name)
{
    for (const QString& table : tableFileNames())
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool isTableFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo file(path);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString program = QFileInfo(programDir()).canonicalFilePath();
    if (isTableFileName(file.fileName()) && !folder.isEmpty() && folder == program)
        return true;
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    for (const QString& name : tableFileNames())
        if (sameFile(programFile(name), st))
            return true;
    return false;
#else
    const QString target = file.canonicalFilePath();
    if (target.isEmpty())
        return false;
    for (const QString& name : tableFileNames())
        if (QFileInfo(programFile(name)).canonicalFilePath().compare(target, Qt::CaseInsensitive) == 0)
            return true;
    return false;
#endif
}

} // namespace store
