#include "WorkingFiles.h"

#include "files/FileOps.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

namespace logoimport {

QString extractorPath() { return store::toolFile(QStringLiteral("wad3")); }
QString converterPath() { return store::toolFile(QStringLiteral("i_view32")); }
QString workingDir() { return store::programFile(QStringLiteral("import-work")); }
QString workingFile(const QString& name) { return workingDir() + QLatin1Char('/') + name; }
QString workingLogoPath(const QString& logoPath) { return workingFile(QFileInfo(logoPath).fileName()); }

QString madeFolderTemplate()
{
    QDir().mkpath(workingDir());
    return workingFile(QStringLiteral("made-%1-XXXXXX").arg(::getpid()));
}

QString convertedPicturePath() { return workingFile(QStringLiteral("temp.jpg")); }

namespace {

QStringList pcxFilesIn(const QString& dir)
{
    return QDir(dir).entryList({QStringLiteral("*.pcx")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The folders of imports whose process has ended.
void removeStaleMadeFolders(const QString& work)
{
    static const QRegularExpression made(QStringLiteral("^made-([1-9][0-9]{0,9})-[A-Za-z0-9]{6}$"));
    for (const QString& name : QDir(work).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks)) {
        const QRegularExpressionMatch match = made.match(name);
        if (!match.hasMatch())
            continue;
        if (files::processRuns(match.captured(1).toLong()))
            continue;
        QDir(work + QLatin1Char('/') + name).removeRecursively();
    }
}

} // namespace

QStringList pcxFiles() { return pcxFilesIn(workingDir()); }

void removeStaleWorkingFiles()
{
    const QString work = workingDir();
    if (!QFileInfo(work).isDir()) {
        // Made by a version that worked among the logos: what it left lies there.
        const QString dir = store::programDir();
        files::removeStaleTemporaries(dir.toStdString(), {"*.pcx", "temp.jpg", "*.wad"});
        for (const QString& name : pcxFilesIn(dir))
            QFile::remove(dir + QLatin1Char('/') + name);
        QDir().mkdir(work);
    }
    files::removeStaleTemporaries(work.toStdString(), {"*"});
    removeStaleMadeFolders(work);
}

void removeLeftoverWorkingFiles()
{
    for (const QString& name : pcxFiles())
        QFile::remove(workingFile(name));
    QFile::remove(convertedPicturePath());
    QFile::remove(store::programFile(QStringLiteral("temp.jpg")));
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
