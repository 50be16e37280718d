// Files from outside are read up to a limit for their kind: counted as they
// are read, so that a link into /proc (which says it is empty) or a huge
// sparse file is refused before it fills the memory or the disk.
#include "files/FileOps.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class ReadLimits : public ::testing::Test {
protected:
    // A file of `size` bytes that takes no room on the disk.
    std::string sparse(const QString& name, qint64 size)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(size)) << name.toStdString();
        return f.fileName().toStdString();
    }
    std::string link(const QString& name, const QString& target)
    {
        EXPECT_TRUE(QFile::link(target, dir.filePath(name))) << name.toStdString();
        return dir.filePath(name).toStdString();
    }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    // The error readAll gives, or "" when it read the file.
    static std::string refusal(const std::string& path, std::size_t limit)
    {
        try {
            files::readAll(path, limit);
        } catch (const files::FileError& e) {
            return e.what();
        }
        return {};
    }

    QTemporaryDir dir;
};

TEST_F(ReadLimits, CountsWhatIsReadNotWhatTheFileSays)
{
    // /proc files say they are empty; pagemap would give hundreds of gigabytes.
    const std::string pagemap = link(QStringLiteral("pagemap.wad"), QStringLiteral("/proc/self/pagemap"));
    const std::string why = refusal(pagemap, files::kMaxWadBytes);
    EXPECT_NE(why.find(pagemap), std::string::npos) << why;
    EXPECT_NE(why.find("larger than 16 MiB"), std::string::npos) << why;

    const std::string status = link(QStringLiteral("status.ini"), QStringLiteral("/proc/self/status"));
    EXPECT_EQ(refusal(status, files::kMaxSettingsFileBytes), "") << "a small /proc file is read";
    EXPECT_NE(refusal(status, 10).find("larger than 10 bytes"), std::string::npos);

    const std::string exact = sparse(QStringLiteral("exact.vdf"), 4096);
    EXPECT_EQ(files::readAll(exact, 4096).size(), 4096u);
    EXPECT_NE(refusal(exact, 4095).find("larger than 4095 bytes"), std::string::npos);
    EXPECT_NE(refusal(exact, 1024).find("larger than 1 KiB"), std::string::npos);
}

TEST_F(ReadLimits, ACopyOverTheLimitWritesNothing)
{
    const std::string big = sparse(QStringLiteral("big.wad"), qint64(files::kMaxWadBytes) + 1);
    const std::string to = dir.filePath(QStringLiteral("copy.wad")).toStdString();
    EXPECT_THROW(files::copyExclusive(big, to, files::kMaxWadBytes), files::FileError);
    EXPECT_THROW(files::copyAtomically(big, to, files::kMaxWadBytes, 0444), files::FileError);
    const std::string pagemap = link(QStringLiteral("pagemap.wad"), QStringLiteral("/proc/self/pagemap"));
    EXPECT_THROW(files::copyExclusive(pagemap, to, files::kMaxWadBytes), files::FileError);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("big.wad"), QStringLiteral("pagemap.wad")}));

    const std::string whole = sparse(QStringLiteral("whole.wad"), qint64(files::kMaxWadBytes));
    files::copyExclusive(whole, to, files::kMaxWadBytes);
    EXPECT_EQ(QFileInfo(QString::fromStdString(to)).size(), qint64(files::kMaxWadBytes));
}

} // namespace
