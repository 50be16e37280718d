// The import's working files lie in a folder of their own inside the
// program directory: the converters run there, an import leaves it empty,
// and a start clears what an earlier run left in it. A logo wad file takes
// its name only with the page that names it: a kill at any moment of an
// import leaves no file under a logo's name that no slot names.
#include "ImportFixture.h"

#include "core/Library.h"
#include "core/WorkingFiles.h"
#include "import/OpenDialog.h"
#include "settings/Unit5.h"
#include "support/EndedProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

class WorkingFolder : public ImportFixture {
protected:
    static QByteArray sprayBytes()
    {
        QFile f(fixture(QStringLiteral("spray-a.wad")));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
};

TEST_F(WorkingFolder, ConvertersRunThereAndAnImportLeavesItEmpty)
{
    addPage(QStringLiteral("Page1"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("import-work"))));
    writeFile(QStringLiteral("import-work/old.pcx"), "left by a killed run");
    writeFile(QStringLiteral("import-work/temp.jpg"), "left by a killed run");
    // The extractor notes where it runs, then does its work.
    ASSERT_TRUE(QFile::rename(path(QStringLiteral("wad3")), path(QStringLiteral("wad3.real"))));
    replaceTool(QStringLiteral("wad3"), "pwd > \"$0.cwd\"\nexec \"$0.real\" \"$@\"\n");
    ASSERT_TRUE(start());
    EXPECT_FALSE(fileExists(QStringLiteral("import-work/old.pcx")));
    EXPECT_FALSE(fileExists(QStringLiteral("import-work/temp.jpg")));
    window<TForm5>().setPosition(0);
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("spray-a.wad"), QStringLiteral("my_logo"));

    clickPlus(1);

    EXPECT_EQ(slotTitle(1), QStringLiteral("my_logo"));
    EXPECT_EQ(QFileInfo(QString::fromLocal8Bit(readFile(QStringLiteral("wad3.cwd")).trimmed())).canonicalFilePath(),
              QFileInfo(logoimport::workingDir()).canonicalFilePath());
    EXPECT_EQ(QDir(logoimport::workingDir()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
    EXPECT_EQ(programDirEntries().filter(QStringLiteral(".pcx")), QStringList());
}

// The converters work on the file under its working name; the logo name
// appears together with the stored page. A logo file of the program
// directory that no slot names keeps its own name until then.
TEST_F(WorkingFolder, TheLogoTakesItsNameOnlyWithTheStoredPage)
{
    addPage(QStringLiteral("Page1"));
    writeFile(QStringLiteral("unlisted.wad"), sprayBytes());
    ASSERT_TRUE(QFile::rename(path(QStringLiteral("wad3")), path(QStringLiteral("wad3.real"))));
    replaceTool(QStringLiteral("wad3"), "{ ls \"$(dirname \"$0\")\"; echo --; } >> \"$0.seen\"\nexec \"$0.real\" \"$@\"\n");
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("spray-a.wad"), QStringLiteral("my_logo"));
    clickPlus(1);
    logoimport::OpenDialog::queueChoice(path(QStringLiteral("unlisted.wad")));
    answerPrompt({QStringLiteral("renamed_logo")});
    clickPlus(2);

    // What each import's extractor saw in the program directory.
    const QStringList seen = QString::fromUtf8(readFile(QStringLiteral("wad3.seen"))).split(QStringLiteral("--\n"));
    ASSERT_GE(seen.size(), 2);
    EXPECT_FALSE(seen[0].contains(QStringLiteral("my_logo.wad"))) << seen[0].toStdString();
    EXPECT_TRUE(seen[1].contains(QStringLiteral("unlisted.wad")) && !seen[1].contains(QStringLiteral("renamed_logo.wad")))
        << seen[1].toStdString();
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 1), QStringLiteral("my_logo"));
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 2), QStringLiteral("renamed_logo"));
    EXPECT_EQ(readFile(QStringLiteral("my_logo.wad")), sprayBytes());
    EXPECT_EQ(readFile(QStringLiteral("renamed_logo.wad")), sprayBytes());
    EXPECT_FALSE(fileExists(QStringLiteral("unlisted.wad")));
    EXPECT_EQ(QDir(logoimport::workingDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// A page that cannot be stored (its title is another page's) takes the
// import back: the slot as it was, and no file under the logo's name.
TEST_F(WorkingFolder, AnImportWhosePageCannotBeStoredLeavesNoLogoFile)
{
    addPage(QStringLiteral("Page1"));
    addPage(QStringLiteral("Page2"));
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    const QString page = library().pageTitle();
    library().edit();
    library().setPageTitle(page == QStringLiteral("Page1") ? QStringLiteral("Page2") : QStringLiteral("Page1"));
    chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("spray-a.wad"), QStringLiteral("my_logo"));

    clickPlus(1);

    EXPECT_EQ(slotTitle(1), QString());
    EXPECT_FALSE(fileExists(QStringLiteral("my_logo.wad")));
    EXPECT_EQ(storedSlotTitle(page, 1), QString());
    EXPECT_EQ(QDir(logoimport::workingDir()).entryList(QDir::Files | QDir::Hidden), QStringList());
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().contains(QStringLiteral("my_logo could not be stored"))) << shown().first().toStdString();
}

// What kills at each moment of an import leave, settled by the next start:
// a copy whose page was stored gets its name, one whose page was not goes
// (with the logo name it may already have had), and so do the folders of
// logos being made. A logo file of the user's that no slot names stays.
TEST_F(WorkingFolder, AStartSettlesWhatKilledImportsLeft)
{
    const QByteArray spray = sprayBytes();
    addPage(QStringLiteral("Page1"), {QStringLiteral("stored")});
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("import-work"))));
    writeFile(QStringLiteral("import-work/stored.wad"), spray);          // killed after the page was stored
    writeFile(QStringLiteral("import-work/unstored.wad"), spray);        // killed while the page was stored
    ASSERT_EQ(::link(QFile::encodeName(path(QStringLiteral("import-work/unstored.wad"))).constData(),
                     QFile::encodeName(path(QStringLiteral("unstored.wad"))).constData()), 0);
    writeFile(QStringLiteral("import-work/converting.wad"), spray);      // killed while converting
    const QString made = QStringLiteral("import-work/made-%1-AbC123").arg(endedProcessId());
    ASSERT_TRUE(QDir().mkpath(path(made)));
    writeFile(made + QStringLiteral("/picture.wad"), spray);             // killed in Make logo
    writeFile(QStringLiteral("mine.wad"), spray);
    writeFile(QStringLiteral("theirs.wad"), spray);                      // killed while converting it as "renamed"
    ASSERT_EQ(::link(QFile::encodeName(path(QStringLiteral("theirs.wad"))).constData(),
                     QFile::encodeName(path(QStringLiteral("import-work/renamed.wad"))).constData()), 0);

    ASSERT_TRUE(start());

    EXPECT_EQ(readFile(QStringLiteral("stored.wad")), spray);
    EXPECT_FALSE(fileExists(QStringLiteral("unstored.wad")));
    EXPECT_TRUE(fileExists(QStringLiteral("mine.wad")));
    EXPECT_EQ(readFile(QStringLiteral("theirs.wad")), spray);
    EXPECT_FALSE(fileExists(QStringLiteral("renamed.wad")));
    EXPECT_EQ(QDir(logoimport::workingDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(library().unlistedLogos(), (QStringList{QStringLiteral("mine"), QStringLiteral("theirs")}));
}

} // namespace
