#include "FakeSteam.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray gameNameOf(const QString& mod)
{
    static const QHash<QString, QByteArray> names{
        {QStringLiteral("valve"), "Half-Life"},           {QStringLiteral("cstrike"), "Counter-Strike"},
        {QStringLiteral("dod"), "Day of Defeat"},         {QStringLiteral("tfc"), "Team Fortress Classic"},
        {QStringLiteral("czero"), "Condition Zero"},      {QStringLiteral("gearbox"), "Opposing Force"},
    };
    return names.value(mod, mod.toUtf8());
}

} // namespace

FakeSteam::FakeSteam() : oldHome_(qgetenv("HOME")), oldPath_(qgetenv("PATH"))
{
    qputenv("HOME", QFile::encodeName(home()));
}

FakeSteam::~FakeSteam()
{
    qputenv("HOME", oldHome_);
    if (pathChanged_)
        qputenv("PATH", oldPath_);
}

QString FakeSteam::steamDir(Place place) const
{
    switch (place) {
    case Place::Native: return home() + QStringLiteral("/.local/share/Steam");
    case Place::Legacy: return home() + QStringLiteral("/.steam/steam");
    case Place::Flatpak: return home() + QStringLiteral("/.var/app/com.valvesoftware.Steam/.local/share/Steam");
    }
    return {};
}

QString FakeSteam::modFolder(const QString& library, const QString& mod)
{
    return library + QStringLiteral("/steamapps/common/Half-Life/") + mod;
}

QString FakeSteam::addLibrary(const QString& name, const QStringList& mods)
{
    const QString library = home() + QLatin1Char('/') + name;
    QDir().mkpath(library + QStringLiteral("/steamapps/common/Half-Life"));
    for (const QString& mod : mods)
        writeFile(modFolder(library, mod) + QStringLiteral("/liblist.gam"),
                  "// liblist\ngame \"" + gameNameOf(mod) + "\"\nstartmap \"c0a0\"\n");
    return library;
}

QString FakeSteam::addSvenCoop(const QString& library)
{
    const QString folder = library + QStringLiteral("/steamapps/common/Sven Co-op/svencoop");
    writeFile(folder + QStringLiteral("/liblist.gam"), "game \"Sven Co-op\"\ngamedll_linux \"dlls/server.so\"\n");
    return folder;
}

void FakeSteam::writeLibraryFile(Place place, const QStringList& libraries)
{
    QByteArray text = "// written by Steam\n\"libraryfolders\"\n{\n";
    for (int i = 0; i < libraries.size(); ++i)
        text += "\t\"" + QByteArray::number(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" + libraries[i].toUtf8()
            + "\"\n\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"70\"\t\t\"123456\"\n\t\t}\n\t}\n";
    text += "}\n";
    writeRawLibraryFile(place, text);
}

void FakeSteam::writeRawLibraryFile(Place place, const QByteArray& bytes)
{
    writeFile(steamDir(place) + QStringLiteral("/steamapps/libraryfolders.vdf"), bytes);
}

void FakeSteam::installSteamCommand()
{
    const QString script = steamCommand();
    writeFile(script, "#!/bin/sh\necho \"$*\" >> \"$0.calls\"\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", QFile::encodeName(QFileInfo(script).absolutePath()) + ':' + oldPath_);
    pathChanged_ = true;
}

QStringList FakeSteam::steamCalls() const
{
    QFile file(steamCommand() + QStringLiteral(".calls"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
