// The temporary files of a write cut short by a crash: found by their name
// and the ended process that wrote them, and removed without touching
// anything else.
#include "support/EndedProcess.h"

#include "files/FileOps.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

namespace {

class StaleTemporaries : public ::testing::Test {
protected:
    QString file(const QString& name, const QByteArray& bytes = "x")
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
        f.write(bytes);
        return f.fileName();
    }
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                          QDir::Name);
    }
    int sweep(const char* pattern) { return files::removeStaleTemporaries(dir.path().toStdString(), {pattern}); }
    static QString part(const QString& target, long pid, int attempt = 0)
    {
        return QStringLiteral("%1.part%2-%3").arg(target).arg(pid).arg(attempt);
    }

    QTemporaryDir dir;
    const pid_t ended = endedProcessId();
};

TEST_F(StaleTemporaries, OnlyThoseOfEndedProcessesAndTheNamedTargetGo)
{
    file(QStringLiteral("pldecal.wad"), "the game's logo");
    file(part(QStringLiteral("pldecal.wad"), ended));
    file(part(QStringLiteral("pldecal.wad"), ended, 12));
    file(part(QStringLiteral("pldecal.wad"), runningOtherProcessId()));
    file(part(QStringLiteral("pldecal.wad"), ::getpid()));
    file(part(QStringLiteral("other.wad"), ended));

    EXPECT_EQ(sweep("pldecal.wad"), 2);
    EXPECT_EQ(entries(), (QStringList{part(QStringLiteral("other.wad"), ended), QStringLiteral("pldecal.wad"),
                                      part(QStringLiteral("pldecal.wad"), runningOtherProcessId()),
                                      part(QStringLiteral("pldecal.wad"), ::getpid())}));
    QFile kept(dir.filePath(QStringLiteral("pldecal.wad")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("the game's logo"));
}

TEST_F(StaleTemporaries, APatternCoversEveryMatchingTargetHiddenOnesToo)
{
    file(part(QStringLiteral("a.pcx"), ended));
    file(part(QStringLiteral(".hidden.pcx"), ended));
    file(part(QStringLiteral("a.pcx.wad"), ended));
    EXPECT_EQ(sweep("*.pcx"), 2);
    EXPECT_EQ(entries(), QStringList{part(QStringLiteral("a.pcx.wad"), ended)});
}

TEST_F(StaleTemporaries, NamesThatOnlyLookAlikeAndNonFilesStay)
{
    const QStringList lookAlikes{
        QStringLiteral("pldecal.wad.part"),
        QStringLiteral("pldecal.wad.part-1"),
        QStringLiteral("pldecal.wad.part%1-").arg(ended),
        QStringLiteral("pldecal.wad.part%1").arg(ended),
        QStringLiteral("pldecal.wad.part%1-1x").arg(ended),
        QStringLiteral("pldecal.wad.part+%1-1").arg(ended),
        QStringLiteral("pldecal.wad.part0-0"),
        QStringLiteral("pldecal.wad.part99999999999999999999-0"),
        QStringLiteral(".part%1-0").arg(ended),
    };
    for (const QString& name : lookAlikes)
        file(name);
    ASSERT_TRUE(QDir(dir.path()).mkdir(part(QStringLiteral("pldecal.wad"), ended, 1)));
    const QString target = file(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QFile::link(target, dir.filePath(part(QStringLiteral("pldecal.wad"), ended, 2))));
    const QStringList before = entries();

    EXPECT_EQ(sweep("pldecal.wad"), 0);
    EXPECT_EQ(entries(), before);
}

TEST_F(StaleTemporaries, AMissingDirectoryHasNothingToRemove)
{
    EXPECT_EQ(files::removeStaleTemporaries(dir.filePath(QStringLiteral("gone")).toStdString(), {"*"}), 0);
}

TEST_F(StaleTemporaries, AnAtomicWriteLeavesOnlyItsTargetAndSweepsNothingOfItsOwn)
{
    const std::string target = dir.filePath(QStringLiteral("pldecal.wad")).toStdString();
    files::writeAtomically(target, {1, 2, 3});
    files::writeAtomically(target, {4, 5}, files::Durability::Flushed);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("pldecal.wad")});
    EXPECT_EQ(files::readAll(target, 16), (std::vector<std::uint8_t>{4, 5}));
    EXPECT_EQ(sweep("*"), 0);
}

// "Save picture as" and the installs write into folders of the user's and
// the game's: the first write of a kind of file there in a run clears what
// killed writes of that kind left, and nothing that is not exactly such a
// file.
TEST_F(StaleTemporaries, TheFirstWriteIntoAFolderSweepsWhatKilledWritersLeftThere)
{
    const auto aged = [this](const QString& name) {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    };
    file(QStringLiteral("holiday.png"), "the user's own picture");
    file(part(QStringLiteral("logo.png"), ended));
    file(part(QStringLiteral("other logo.png"), ended, 7));
    aged(part(QStringLiteral("older.png"), runningOtherProcessId()));   // its number is some other process's by now
    const QStringList kept{
        part(QStringLiteral("fresh.png"), runningOtherProcessId()),    // a copy that writes now
        part(QStringLiteral("liblist.gam"), ended),                    // no kind this write makes
        QStringLiteral("film.png.part"),                               // another program's download
        QStringLiteral("notes.png.part%1-123").arg(ended),             // no attempt of ours has three digits
        QStringLiteral("notes.png.part%1-1.txt").arg(ended),
    };
    for (const QString& name : kept)
        file(name);
    aged(kept[2]);

    files::writeAtomically(dir.filePath(QStringLiteral("new.png")).toStdString(), {1, 2, 3});

    QStringList expected = kept + QStringList{QStringLiteral("holiday.png"), QStringLiteral("new.png")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries(), expected);
}

} // namespace
