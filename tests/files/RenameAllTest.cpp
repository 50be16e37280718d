// Several renames as one: when one fails, the others are undone.
#include "files/FileOps.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

std::string path(const QTemporaryDir& dir, const char* name) { return QFile::encodeName(dir.filePath(name)).toStdString(); }

void write(const QTemporaryDir& dir, const char* name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(RenameAll, AFailedRenamePutsTheEarlierOnesBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("old"));
    write(dir, "a.db", "a");
    write(dir, "b.MB", "b");
    write(dir, "c.PX", "c");
    write(dir, "old/c.PX", "someone else's");
    try {
        files::renameAllNoReplace({{path(dir, "a.db"), path(dir, "old/a.db")},
                                   {path(dir, "b.MB"), path(dir, "old/b.MB")},
                                   {path(dir, "c.PX"), path(dir, "old/c.PX")}});
        ADD_FAILURE() << "replaced an existing file";
    } catch (const files::FileError& e) {
        EXPECT_TRUE(e.targetExists()) << e.what();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), QStringList({"a.db", "b.MB", "c.PX"}));
    EXPECT_EQ(QDir(dir.filePath("old")).entryList(QDir::Files), QStringList({"c.PX"}));
    QFile kept(dir.filePath("old/c.PX"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "someone else's");

    files::renameAllNoReplace({{path(dir, "a.db"), path(dir, "old/a.db")}, {path(dir, "b.MB"), path(dir, "old/b.MB")}});
    EXPECT_EQ(QDir(dir.filePath("old")).entryList(QDir::Files, QDir::Name), QStringList({"a.db", "b.MB", "c.PX"}));
}

} // namespace
