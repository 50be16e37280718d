#include "ReplacedSprays.h"

#include "GameCommand.h"
#include "Install.h"
#include "files/FileOps.h"
#include "steam/GameFolders.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QFileInfo>

namespace core {

namespace {

// The title of the library's logo with these bytes; empty when none.
QString titleWithHash(const QByteArray& hash)
{
    QDir dir(store::programDir());
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.wad")}, QDir::Files, QDir::Name))
        if (installrecord::hashOf(file.filePath()) == hash)
            return file.completeBaseName();
    return {};
}

} // namespace

QString ReplacedSpray::text() const
{
    const QString title = installed.title;
    const QString replaced = QStringLiteral("%1 replaced your spray \"%2\" with its own.").arg(game, title);
    switch (logo) {
    case Logo::InLibrary:
        return replaced + QStringLiteral(" Put \"%1\" back?").arg(title);
    case Logo::Renamed:
        return replaced
            + QStringLiteral(" \"%1\" has been renamed to \"%2\" in the library since; double-click it to install it again.")
                  .arg(title, renamedTo);
    case Logo::Deleted:
        return replaced + QStringLiteral(" \"%1\" has been deleted from the library since, so it cannot be put back.")
                              .arg(title);
    }
    return replaced;
}

QList<ReplacedSpray> findReplacedSprays(const QStringList& targets)
{
    QStringList folders;
    for (const QString& target : targets)
        folders << QDir::cleanPath(target);
    QList<ReplacedSpray> found;
    for (const InstalledSpray& entry : installrecord::read()) {
        if (!folders.contains(QDir::cleanPath(entry.target)))
            continue;
        const QString path = game::fileIn(entry.target, entry.file);
        const QFileInfo info(path);
        if (info.isSymLink() || !info.isFile())
            continue;
        const QByteArray hash = installrecord::hashOf(path);
        if (hash.isEmpty() || hash == entry.hash || hash == entry.keptHash)
            continue;
        ReplacedSpray replaced{entry, steam::gameName(entry.target), hash, ReplacedSpray::Logo::InLibrary, QString()};
        const QString logo = store::titleNamesFile(entry.title) ? store::logoWadPath(entry.title) : QString();
        if (logo.isEmpty() || installrecord::hashOf(logo) != entry.hash) {
            replaced.renamedTo = titleWithHash(entry.hash);
            replaced.logo = replaced.renamedTo.isEmpty() ? ReplacedSpray::Logo::Deleted : ReplacedSpray::Logo::Renamed;
        }
        found << replaced;
    }
    return found;
}

QString putBack(const ReplacedSpray& replaced, const Settings& settings)
{
    const InstallResult::Target target = installInto(replaced.installed.title, replaced.installed.target, settings);
    return target.outcome == InstallResult::Outcome::Installed ? QString() : target.text;
}

void keepReplacement(const ReplacedSpray& replaced)
{
    InstalledSpray entry = replaced.installed;
    entry.keptHash = replaced.foundHash;
    try {
        installrecord::note(entry);
    } catch (const files::FileError&) {
        // Asked again next time: nothing is lost.
    }
}

} // namespace core
