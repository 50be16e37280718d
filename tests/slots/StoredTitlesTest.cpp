// Titles read from the table that are no plain file name: every command that
// deletes, moves or copies a logo wad file refuses them and touches no file.
#include "SlotFixture.h"

#include "app/Unit1.h"
#include "store/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

class StoredTitles : public SlotFixture {
protected:
    void SetUp() override
    {
        SlotFixture::SetUp();
        // Beside the program directory, with a name short enough for a title.
        outside_ = std::make_unique<QTemporaryDir>(QFileInfo(dir()).absolutePath() + QStringLiteral("/v-XXXXXX"));
        ASSERT_TRUE(outside_->isValid());
        // A title that climbs out of the program directory into a folder of
        // the user's; the file there must survive every command.
        hostile_ = QStringLiteral("../") + QFileInfo(outside_->path()).fileName() + QStringLiteral("/x");
        QFile victim(victimPath());
        ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
        victim.write("the user's own file");
        victim.close();
        addPage(QStringLiteral("page"), {hostile_, QStringLiteral("good")});
        writeFile(QStringLiteral("good.wad"), "logo");
    }
    QString victimPath() const { return outside_->filePath(QStringLiteral("x.wad")); }
    void expectRefusedAndUntouched()
    {
        EXPECT_TRUE(QFile::exists(victimPath()));
        EXPECT_TRUE(fileExists(QStringLiteral("good.wad"))) << "no file is touched, not even the sound ones";
        EXPECT_TRUE(QDir(outside_->path()).entryList(QDir::Files) == QStringList{QStringLiteral("x.wad")});
        ASSERT_FALSE(shown().isEmpty());
        EXPECT_TRUE(shown().last().contains(QStringLiteral("\"") + hostile_ + QStringLiteral("\""))) << shown().last().toStdString();
        EXPECT_EQ(storedPageTitles(), QStringList{QStringLiteral("page")});
    }
    void click(const char* button) { QTest::mouseClick(widget<QToolButton>(QLatin1String(button)), Qt::LeftButton); }

    std::unique_ptr<QTemporaryDir> outside_;
    QString hostile_;
};

TEST_F(StoredTitles, DeletingThePageWithItsFiles)
{
    ASSERT_TRUE(start());
    answer({yes(), yes()});
    click("ToolButton2");
    expectRefusedAndUntouched();
}

TEST_F(StoredTitles, DeletingAllPagesWithTheirFiles)
{
    ASSERT_TRUE(start());
    answer({yes(), yes()});
    click("ToolButton10");
    expectRefusedAndUntouched();
}

// The slot is emptied all the same (a damaged table must not leave a slot
// nobody can clear); only the file is left alone, and the message says why.
TEST_F(StoredTitles, DeletingTheSlotWithItsFileEmptiesTheSlotAndTouchesNoFile)
{
    ASSERT_TRUE(start());
    answer({yes(), yes()});
    QTest::mouseClick(minus(1), Qt::LeftButton);
    expectRefusedAndUntouched();
    EXPECT_TRUE(shown().last().contains(QStringLiteral("no valid file name"))) << shown().last().toStdString();
    EXPECT_EQ(title(1), QString()) << "the slot is emptied";
    EXPECT_EQ(field(1), library().blankPicture(store::emptyBitmapPath()));
    answer({yes()});
    QTest::mouseClick(widget<QToolButton>("ToolButton5"), Qt::LeftButton);   // Save
    EXPECT_EQ(storedTitle(QStringLiteral("page"), 1), QString());
}

TEST_F(StoredTitles, RenamingTheLogo)
{
    ASSERT_TRUE(start());
    withRenameDialog(1, [&](TForm9& dialog) { typeAndConfirm(dialog, QStringLiteral("moved")); });
    expectRefusedAndUntouched();
    EXPECT_FALSE(fileExists(QStringLiteral("moved.wad")));
}

} // namespace
