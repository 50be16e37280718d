// Which folder holds the library: an executable's folder that holds any one
// of the tables is a library of its own, however damaged.
#include "store/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(ProgramDir, AnyTableOrTheMarkerMakesTheFolderPortable)
{
    for (const char* name : {"LogoDB.db", "ConfigDB.db", "SwitchDB.db", "portable"}) {
        QTemporaryDir dir;
        touch(dir.filePath(QString::fromLatin1(name)));
        EXPECT_EQ(store::layoutOf(dir.path()), store::Layout::Portable) << name;
    }
    QTemporaryDir plain;
    touch(plain.filePath(QStringLiteral("tagomat2")));
    EXPECT_EQ(store::layoutOf(plain.path()), store::Layout::Installed) << "a folder with only the program";
}

TEST(ProgramDir, AFolderNothingCanBeSavedInIsNoPortableLibrary)
{
    QTemporaryDir closed;
    touch(closed.filePath(QStringLiteral("LogoDB.db")));
    ASSERT_TRUE(QFile::setPermissions(closed.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (QFileInfo(closed.path()).isWritable())
        GTEST_SKIP() << "running as a user who writes anywhere";
    EXPECT_EQ(store::layoutOf(closed.path()), store::Layout::Installed) << "a folder nothing could be saved in";
    QFile::setPermissions(closed.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramDir, TitlesThatLeaveTheFolderNameNoFile)
{
    store::setProgramDir(QStringLiteral("/lib"));
    EXPECT_EQ(store::logoWadPath(QStringLiteral("wolf")), QStringLiteral("/lib/wolf.wad"));
    for (const char* title : {"../x", "a/b", ".", "..", "a\\b", "tab\there"})
        EXPECT_THROW(store::checkedLogoWadPath(QString::fromLatin1(title)), store::TitleError) << title;
    EXPECT_NO_THROW(store::checkedLogoWadPath(QStringLiteral("Ünïcode")));
    store::setProgramDir(QString());
}

TEST(ProgramDir, TheInstalledLibraryIgnoresARelativeDataHome)
{
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(store::installedDataFolder(), QDir::homePath() + QStringLiteral("/.local/share/tagomat2"));
    qputenv("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(store::installedDataFolder(), QStringLiteral("/srv/data/tagomat2"));
    if (old.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", old);
}

} // namespace
