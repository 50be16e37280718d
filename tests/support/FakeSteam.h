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
    // folders, each with liblist.gam ("valve" named "Half-Life", "cstrike"
    // "Counter-Strike", others by their folder). Returns the library's path.
    QString addLibrary(const QString& name, const QStringList& mods);
    // <library>/steamapps/common/Half-Life/<mod>
    static QString modFolder(const QString& library, const QString& mod);
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
