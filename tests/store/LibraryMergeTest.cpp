// "Import library...": another library's pages join the current one; taken
// page titles and logo names get a number, no file is overwritten.
#include "ParadoxWriter.h"

#include "store/Installer.h"
#include "store/LibraryMerge.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace store;
using paradoxtest::pageRow;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray picture(QRgb colour)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    return pictureFromImage(image);
}

class LibraryMerge : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.isValid() && folder.isValid());
        ASSERT_TRUE(installTables(program.path()).failures.isEmpty());
        pages.setDirectory(program.path());
        pages.open();
        // The current library: "Fun" and a 15-character title, the logos
        // "cool" and "abcdefghijklmno" with their files, and a slot "ghost"
        // whose file is gone (its name is taken all the same).
        addPage("Fun", {"cool", "ghost"});
        addPage("ABCDEFGHIJKLMNO", {"abcdefghijklmno"});
        writeFile(program.filePath("cool.wad"), "current cool");
        writeFile(program.filePath("abcdefghijklmno.wad"), "current long");
    }

    void addPage(const QString& title, const QStringList& logos)
    {
        pages.insert();
        pages.setText(LogoPage::PageTitle, title);
        for (int n = 0; n < logos.size(); ++n)
            pages.setText(LogoPage::pictureTitle(n + 1), logos[n]);
        pages.post();
    }

    // Page title -> its slot titles, as stored.
    QMap<QString, QStringList> stored()
    {
        QMap<QString, QStringList> result;
        for (int row = 0; row < pages.rowCount(); ++row) {
            pages.moveTo(row);
            QStringList logos;
            for (int n = 1; n <= 8; ++n)
                logos << pages.text(LogoPage::pictureTitle(n));
            while (!logos.isEmpty() && logos.last().isEmpty())
                logos.removeLast();
            result.insert(pages.text(LogoPage::PageTitle), logos);
        }
        return result;
    }

    QTemporaryDir program, folder;
    Table pages{logoTableDef()};
};

TEST_F(LibraryMerge, ParadoxPagesAndLogosComeInWithNumbersWhereTaken)
{
    const QByteArray red = picture(qRgb(255, 0, 0));
    paradoxtest::writeTable(folder.path(), "LogoDB.db", "LogoDB.MB", paradoxtest::logoFields(),
                            {pageRow("Fun", {{"cool", red}, {"other", ""}, {"ghost", ""}}),
                             pageRow("ABCDEFGHIJKLMNO", {{"abcdefghijklmno", ""}}),
                             pageRow("Second", {{"cool", red}, {"gone", ""}})});
    // The folder's files, one named in another letter case as Windows allows.
    writeFile(folder.filePath("COOL.WAD"), "folder cool");
    writeFile(folder.filePath("other.wad"), "folder other");
    writeFile(folder.filePath("ghost.wad"), "folder ghost");
    writeFile(folder.filePath("abcdefghijklmno.wad"), "folder long");

    const MergeReport report = mergeLibrary(folder.path(), pages, program.path());
    EXPECT_EQ(report.pages, 3);

    const QMap<QString, QStringList> expected{
        {"ABCDEFGHIJKLMNO", {"abcdefghijklmno"}},
        {"ABCDEFGHIJKLM 2", {"abcdefghijklm_2"}},
        {"Fun", {"cool", "ghost"}},
        {"Fun 2", {"cool_2", "other", "ghost_2"}},
        {"Second", {"cool_2", "gone"}},   // the same logo of the folder: one file
    };
    EXPECT_EQ(stored(), expected);
    // Nothing of the current library is overwritten; each copy is the folder's.
    EXPECT_EQ(readFile(program.filePath("cool.wad")), "current cool");
    EXPECT_EQ(readFile(program.filePath("abcdefghijklmno.wad")), "current long");
    EXPECT_EQ(readFile(program.filePath("cool_2.wad")), "folder cool");
    EXPECT_EQ(readFile(program.filePath("other.wad")), "folder other");
    EXPECT_EQ(readFile(program.filePath("ghost_2.wad")), "folder ghost");
    EXPECT_EQ(readFile(program.filePath("abcdefghijklm_2.wad")), "folder long");
    EXPECT_FALSE(QFile::exists(program.filePath("ghost.wad")));
    EXPECT_EQ(report.copiedFiles.size(), 4);
    // The missing gone.wad is named; the picture came along with its slot.
    ASSERT_EQ(report.problems.size(), 1);
    EXPECT_NE(report.problems[0].indexOf("gone.wad"), -1);
    pages.moveTo(3);
    ASSERT_EQ(pages.text(LogoPage::PageTitle), "Fun 2");
    EXPECT_EQ(pages.picture(LogoPage::picture(1)), red);
}

TEST_F(LibraryMerge, ALibraryOfOurOwnComesInToo)
{
    ASSERT_TRUE(installTables(folder.path()).failures.isEmpty());
    {
        Table theirs(logoTableDef());
        theirs.setDirectory(folder.path());
        theirs.open();
        theirs.insert();
        theirs.setText(LogoPage::PageTitle, "Fun");
        theirs.setText(LogoPage::pictureTitle(2), "cool");
        theirs.setPicture(LogoPage::picture(2), picture(qRgb(0, 0, 255)));
        theirs.post();
    }
    writeFile(folder.filePath("cool.wad"), "their cool");
    // A pending change of the current page is saved first, not lost.
    pages.moveTo(1);
    pages.edit();
    pages.setText(LogoPage::pictureTitle(3), "edited");

    const MergeReport report = mergeLibrary(folder.path(), pages, program.path());
    EXPECT_EQ(report.pages, 1);
    const QMap<QString, QStringList> result = stored();
    EXPECT_EQ(result.value("Fun"), QStringList({"cool", "ghost", "edited"}));
    EXPECT_EQ(result.value("Fun 2"), QStringList({"", "cool_2"}));
    EXPECT_EQ(readFile(program.filePath("cool_2.wad")), "their cool");
}

TEST_F(LibraryMerge, TheLibraryItselfAndFoldersWithoutOneAreRefused)
{
    EXPECT_THROW(mergeLibrary(program.path(), pages, program.path()), MergeError);
    EXPECT_THROW(mergeLibrary(folder.path(), pages, program.path()), MergeError);   // no LogoDB.db
    writeFile(folder.filePath("LogoDB.db"), "neither Paradox nor SQLite");
    EXPECT_THROW(mergeLibrary(folder.path(), pages, program.path()), MergeError);
    EXPECT_EQ(pages.rowCount(), 2);
    EXPECT_EQ(QDir(program.path()).entryList({"*.wad"}, QDir::Files, QDir::Name),
              QStringList({"abcdefghijklmno.wad", "cool.wad"}));
}

} // namespace
