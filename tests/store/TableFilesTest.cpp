// Which paths are the program directory's table files: by name there (in
// any letter case, existing or not), or the same file elsewhere.
#include "store/Installer.h"
#include "store/ProgramDir.h"
#include "store/TableFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

TEST(TableFiles, KnownByNameInTheProgramDirectoryAndBySameFileElsewhere)
{
    QTemporaryDir program, other;
    ASSERT_TRUE(store::installTables(program.path()).failures.isEmpty());
    store::setProgramDir(program.path());
    const QString logo = program.filePath(QStringLiteral("LogoDB.db"));
    ASSERT_TRUE(QFile::link(logo, other.filePath(QStringLiteral("picture.png"))));
    ASSERT_EQ(::link(QFile::encodeName(logo).constData(), QFile::encodeName(other.filePath(QStringLiteral("hard"))).constData()), 0);
    ASSERT_TRUE(QFile::copy(logo, other.filePath(QStringLiteral("copy.db"))));

    for (const char* name : {"LogoDB.db", "logodb.DB", "ConfigDB.db-wal", "SwitchDB.db-shm", "LogoDB.db-journal"})
        EXPECT_TRUE(store::isTableFile(program.filePath(QLatin1String(name)))) << name;
    EXPECT_TRUE(store::isTableFile(other.filePath(QStringLiteral("picture.png"))));
    EXPECT_TRUE(store::isTableFile(other.filePath(QStringLiteral("hard"))));
    for (const char* name : {"LogoDB.db.wad", "LogoDB.dbx", "empty.bmp", "LogoDB"})
        EXPECT_FALSE(store::isTableFile(program.filePath(QLatin1String(name)))) << name;
    EXPECT_FALSE(store::isTableFile(other.filePath(QStringLiteral("copy.db"))));
    EXPECT_FALSE(store::isTableFile(other.filePath(QStringLiteral("LogoDB.db"))));
    EXPECT_FALSE(store::isTableFile(QString()));
    store::setProgramDir(QString());
}
