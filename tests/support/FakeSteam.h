// A made-up home directory with a Steam tree, for tests of finding and
// starting the game through Steam: HOME points at it (and PATH leads to a
// fake "steam" that records its arguments, once installed) until the object
// goes. Nothing of a real Steam on the machine is looked at.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class FakeSteam {
public:
    // Where Steam keeps libraryfolders.vdf: the native install, the older
    // ~/.steam/steam link and the Flatpak.
    enum class Place { Native, Legacy, Flatpak };

    FakeSteam();
    ~FakeSteam();
    FakeSteam(const FakeSteam&) = delete;
    FakeSteam& operator=(const FakeSteam&) = delete;

    QString home() const { return home_.path(); }
    QString steamDir(Place place) const;

    // A library folder <home>/<name> holding the game with the given mod
    // folders, each with liblist.gam naming the game as the real one does
    // ("Counter-Strike" for cstrike; the folder's name for a mod not known
    // here). Returns the library's path.
    QString addLibrary(const QString& name, const QStringList& mods);
    // <library>/steamapps/common/Half-Life/<mod>
    static QString modFolder(const QString& library, const QString& mod);
    // Sven Co-op in a library: <library>/steamapps/common/Sven Co-op/svencoop
    // with its liblist.gam. Returns that folder.
    static QString addSvenCoop(const QString& library);
    // A libraryfolders.vdf at the place that lists the libraries (in today's
    // form, with "path" blocks); or the given bytes as they are.
    void writeLibraryFile(Place place, const QStringList& libraries);
    void writeRawLibraryFile(Place place, const QByteArray& bytes);

    // Puts a "steam" script first on PATH that appends its arguments, one
    // line per start, to steamCalls().
    void installSteamCommand();
    QString steamCommand() const { return home() + QStringLiteral("/bin/steam"); }
    QStringList steamCalls() const;

private:
    QTemporaryDir home_;
    QByteArray oldHome_;
    QByteArray oldPath_;
    bool pathChanged_ = false;
};
