// A file written exclusively gets its name only when whole; its temporary
// may lie in a folder of its own (an import's working folder), which is
// left empty whether the write succeeds or is refused.
#include "files/FileOps.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <vector>

namespace {

class ExclusiveWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("work")));
    }
    static QStringList entries(const QString& path)
    {
        return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
    static QByteArray bytesOf(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString logos() const { return dir.path(); }
    QString work() const { return dir.filePath(QStringLiteral("work")); }
    std::string target(const char* name) const { return dir.filePath(QString::fromLatin1(name)).toStdString(); }

    QTemporaryDir dir;
};

TEST_F(ExclusiveWrite, ThroughAWorkingFolderTheFileArrivesWholeAndTheFolderStaysEmpty)
{
    const std::vector<std::uint8_t> wad{'W', 'A', 'D', '3', 1, 2, 3};
    files::writeExclusive(target("wolf.wad"), wad, work().toStdString());
    EXPECT_EQ(bytesOf(dir.filePath(QStringLiteral("wolf.wad"))), QByteArray("WAD3\x01\x02\x03", 7));
    EXPECT_EQ(entries(work()), QStringList());

    QFile source(dir.filePath(QStringLiteral("source.wad")));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("a copied logo");
    source.close();
    files::copyExclusive(source.fileName().toStdString(), target("copy.wad"), 1024, work().toStdString());
    EXPECT_EQ(bytesOf(dir.filePath(QStringLiteral("copy.wad"))), QByteArray("a copied logo"));
    EXPECT_EQ(entries(work()), QStringList());
    EXPECT_EQ(entries(logos()), (QStringList{QStringLiteral("copy.wad"), QStringLiteral("source.wad"),
                                             QStringLiteral("wolf.wad"), QStringLiteral("work")}));
}

TEST_F(ExclusiveWrite, AnExistingFileIsRefusedAndKeptWithNothingLeftInEitherFolder)
{
    QFile existing(dir.filePath(QStringLiteral("wolf.wad")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("the logo there");
    existing.close();

    for (const std::string& temporaryDir : {work().toStdString(), std::string()}) {
        try {
            files::writeExclusive(target("wolf.wad"), {'n', 'e', 'w'}, temporaryDir);
            ADD_FAILURE() << "an existing file was replaced";
        } catch (const files::FileError& e) {
            EXPECT_TRUE(e.targetExists()) << e.what();
        }
    }
    EXPECT_EQ(bytesOf(existing.fileName()), QByteArray("the logo there"));
    EXPECT_EQ(entries(work()), QStringList());
    EXPECT_EQ(entries(logos()), (QStringList{QStringLiteral("wolf.wad"), QStringLiteral("work")}));
}

TEST_F(ExclusiveWrite, AWorkingFolderThatIsGoneFailsWithoutAFile)
{
    ASSERT_TRUE(QDir(work()).removeRecursively());
    EXPECT_THROW(files::writeExclusive(target("wolf.wad"), {'W', 'A', 'D', '3'}, work().toStdString()), files::FileError);
    EXPECT_EQ(entries(logos()), QStringList());
}

} // namespace
