// The import's working files lie in a folder of their own inside the
// program directory: the converters run there, an import leaves it empty,
// and a start clears what an earlier run left in it.
#include "ImportFixture.h"

#include "core/WorkingFiles.h"
#include "settings/Unit5.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class WorkingFolder : public ImportFixture {};

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

} // namespace
