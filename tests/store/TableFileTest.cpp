// Opening table files: what is not a table of ours is a database error, and
// opening never makes a file. The installer never touches an existing table.
#include "store/Installer.h"
#include "store/Records.h"
#include "store/Sqlite.h"
#include "store/Table.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace store;

namespace {

void expectOpenFails(const QString& dir, const TableDef& def)
{
    Table t(def);
    t.setDirectory(dir);
    EXPECT_THROW(t.open(), DatabaseError);
    EXPECT_FALSE(t.isOpen());
}

TEST(TableFile, OpeningAMissingFileFailsAndCreatesNothing)
{
    QTemporaryDir dir;
    expectOpenFails(dir.path(), logoTableDef());
    EXPECT_FALSE(QFile::exists(dir.filePath("LogoDB.db")));
}

TEST(TableFile, GarbageTruncatedAndEmptyFilesAreDatabaseErrors)
{
    QTemporaryDir dir;
    ASSERT_TRUE(installTables(dir.path()).failures.isEmpty());
    QFile real(dir.filePath("LogoDB.db"));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray bytes = real.readAll();
    real.close();
    for (const QByteArray& content : {QByteArray(), QByteArray("not a table at all, just text"), bytes.left(100)}) {
        QFile f(dir.filePath("LogoDB.db"));
        QFile::remove(dir.filePath("LogoDB.db-wal"));
        QFile::remove(dir.filePath("LogoDB.db-shm"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        expectOpenFails(dir.path(), logoTableDef());
    }
}

TEST(TableFile, ATableWithOtherColumnsIsRefused)
{
    QTemporaryDir dir;
    {
        SqliteDb db;
        db.open(dir.filePath("ConfigDB.db"), true);
        db.exec("CREATE TABLE ConfigDB (Config TEXT, ConfigSaved TEXT, WaitTime INTEGER, ExtraConfig TEXT, ExtraConfigSaved TEXT)");
        db.exec("INSERT INTO ConfigDB VALUES ('', 'No', 300, '', 'No')");
    }
    expectOpenFails(dir.path(), configTableDef());
    {
        SqliteDb db;
        db.open(dir.filePath("SwitchDB.db"), true);
        db.exec("CREATE TABLE Other (x TEXT)");
    }
    expectOpenFails(dir.path(), switchTableDef());
}

TEST(TableFile, TheInstalledLayoutIsTheOneOtherToolsRead)
{
    QTemporaryDir dir;
    const InstallReport report = installTables(dir.path());
    EXPECT_EQ(report.created.size(), 3);
    SqliteDb db;
    db.open(dir.filePath("LogoDB.db"), false);
    SqliteStmt info(db, "PRAGMA table_info(\"LogoDB\")");
    QStringList columns;
    while (info.step())
        columns << info.columnText(1) + " " + info.columnText(2) + (info.columnInt(3) ? " NOT NULL" : "");
    ASSERT_EQ(columns.size(), 17);
    EXPECT_EQ(columns[0], "Page Title TEXT NOT NULL");
    EXPECT_EQ(columns[1], "Picture 1 Title TEXT NOT NULL");
    EXPECT_EQ(columns[2], "Picture 1 BLOB");
    EXPECT_EQ(columns[16], "Picture 8 BLOB");
    SqliteStmt unique(db, "SELECT COUNT(*) FROM pragma_index_list('LogoDB') WHERE \"unique\" = 1");
    ASSERT_TRUE(unique.step());
    EXPECT_EQ(unique.columnInt(0), 1);
}

TEST(TableFile, TheInstallerLeavesExistingTablesAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(installTables(dir.path()).failures.isEmpty());
    Table config(configTableDef());
    config.setDirectory(dir.path());
    config.open();
    config.edit();
    config.setText(ConfigRecord::Config, "/games/hl/cstrike");
    config.post();
    config.close();
    QFile::remove(dir.filePath("SwitchDB.db"));

    const InstallReport again = installTables(dir.path());
    EXPECT_EQ(again.created, QStringList{dir.filePath("SwitchDB.db")});
    EXPECT_EQ(again.keptAsTheyWere.size(), 2);
    config.open();
    EXPECT_EQ(config.text(ConfigRecord::Config), "/games/hl/cstrike");
}

// What a first start killed while making a table, or a database tool run
// on the name too early, leaves: a file with no table in it. Start-up could
// never open such a library, so the installer makes it anew; anything it
// cannot read as a database, or that holds some table, it keeps.
TEST(TableFile, TheInstallerMakesAnewOnlyAFileThatHoldsNoTable)
{
    QTemporaryDir dir;
    {
        QFile empty(dir.filePath("LogoDB.db"));
        ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    }
    {
        SqliteDb db;
        db.open(dir.filePath("ConfigDB.db"), true);
        db.exec("PRAGMA journal_mode=WAL");
    }
    {
        QFile garbage(dir.filePath("SwitchDB.db"));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(8192, 'x'));
    }
    const InstallReport report = installTables(dir.path());
    EXPECT_EQ(report.created, (QStringList{dir.filePath("LogoDB.db"), dir.filePath("ConfigDB.db")}));
    EXPECT_EQ(report.keptAsTheyWere, QStringList{dir.filePath("SwitchDB.db")});
    EXPECT_TRUE(report.failures.isEmpty());
    EXPECT_EQ(QFileInfo(dir.filePath("SwitchDB.db")).size(), 8192);

    Table config(configTableDef());
    config.setDirectory(dir.path());
    config.open();
    EXPECT_EQ(config.text(ConfigRecord::ConfigSaved), "No");
    Table logos(logoTableDef());
    logos.setDirectory(dir.path());
    EXPECT_NO_THROW(logos.open());
}

} // namespace
