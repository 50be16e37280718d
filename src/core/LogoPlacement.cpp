#include "LogoPlacement.h"

#include "Library.h"
#include "WorkingFiles.h"
#include "files/FileOps.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace logoimport {

namespace {

// Both paths lead to one file (a hard link of the other).
bool sameFile(const QString& a, const QString& b)
{
    struct stat first;
    struct stat second;
    return ::lstat(QFile::encodeName(a).constData(), &first) == 0 && ::lstat(QFile::encodeName(b).constData(), &second) == 0
           && first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

bool liesInProgramDir(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash >= 0 && path.left(slash) == store::programDir();
}

Placement placeLogo(const QString& source, const QString& target, bool rename)
{
    if (files::exists(target.toStdString()))
        throw files::FileError("cannot create " + target.toStdString() + ": File exists", EEXIST);
    QDir().mkpath(workingDir());
    const QString working = workingLogoPath(target);
    if (rename) {
        files::requireRegularFile(source.toStdString());
        // A second name in the working folder, like a copy's; the file keeps
        // its own until the page is stored. Without hard links it is renamed
        // in that step instead.
        const bool linked = files::addName(source.toStdString(), working.toStdString());
        return {source, linked ? working : source, target, true};
    }
    files::copyExclusive(source.toStdString(), working.toStdString(), files::kMaxWadBytes, workingDir().toStdString());
    return {source, working, target, false};
}

namespace {

// A file of the program directory renamed as the page is stored, for want
// of hard links.
bool renamedInPlace(const Placement& placed) { return placed.renamed && placed.working == placed.source; }

} // namespace

void storeWithLogo(core::Library& library, const Placement& placed)
{
    const std::string working = placed.working.toStdString();
    const std::string target = placed.target.toStdString();
    // Two names for the file while the page is stored: a kill in between
    // leaves the working name, by which the next start knows the file.
    // Where the file system has no hard links, the file is renamed instead.
    bool bothNames = false;
    if (renamedInPlace(placed))
        files::renameNoReplace(working, target);
    else
        bothNames = files::addNameNoReplace(working, target);
    try {
        library.store();
    } catch (...) {
        try {
            if (bothNames)
                files::removeFile(target);
            else
                files::renameNoReplace(target, working);
        } catch (const files::FileError&) {
            // The file keeps its logo name (a renamed one is reported by
            // undoPlacement()).
        }
        throw;
    }
    if (bothNames)
        files::removeFile(working);
    if (placed.renamed && !renamedInPlace(placed))
        files::removeFile(placed.source.toStdString());   // the logo's name is its name now
}

QString undoPlacement(const Placement& placement)
{
    if (renamedInPlace(placement)) {
        if (files::exists(placement.source.toStdString()))
            return QString();
        return QStringLiteral("The file %1 keeps the name %2.")
            .arg(QFileInfo(placement.source).fileName(), QFileInfo(placement.target).fileName());
    }
    if (!placement.working.isEmpty())
        files::removeFile(placement.working.toStdString());   // a renamed file keeps its own name
    return QString();
}

void settleUnfinishedPlacements(const core::Library& library)
{
    const QString work = workingDir();
    for (const QString& name : QDir(work).entryList({QStringLiteral("*.wad")}, QDir::Files | QDir::Hidden)) {
        const QString working = work + QLatin1Char('/') + name;
        const QString target = store::programFile(name);
        const bool linked = sameFile(working, target);
        if (library.namesLogoFile(target)) {
            if (!files::exists(target.toStdString())) {
                try {
                    files::renameNoReplace(working.toStdString(), target.toStdString());
                    continue;
                } catch (const files::FileError&) {
                }
            }
        } else if (linked) {
            files::removeFile(target.toStdString());
        }
        files::removeFile(working.toStdString());
    }
}

} // namespace logoimport
