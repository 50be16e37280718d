// Many files at once through the windows: a folder dropped, several files
// chosen with "+", "Import folder or archive...", several files on the
// command line or from a second start; the progress window and its Cancel,
// and the summary.
#include "ImportFixture.h"
#include "SprayPack.h"

#include "app/Unit1.h"
#include "core/BatchImport.h"
#include "handover/Handover.h"
#include "import/BatchProgress.h"
#include "import/BatchSummaryDialog.h"
#include "import/OpenDialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <thread>

using logoimport::OpenDialog;

namespace {

class BatchWindow : public ImportFixture {
protected:
    QString pack(int sprays, int twins = 0, int pictures = 0, int broken = 0)
    {
        const QString dir = elsewhere() + "/clan pack";
        spraypack::writePack(dir, {sprays, twins, pictures, broken});
        return dir;
    }

    // Waits for the summary and gives its text; the summary is closed.
    QString summaryText()
    {
        const bool shown = QTest::qWaitFor(
            [&] { return importer().batchSummary() && importer().batchSummary()->isVisible(); }, 30000);
        EXPECT_TRUE(shown) << "no summary";
        if (!shown)
            return QString();
        QWidget* summary = importer().batchSummary();
        const QString text = summary->findChild<QPlainTextEdit*>("SummaryText")->toPlainText();
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(summary->findChild<QPushButton*>("CopyButton"), Qt::LeftButton);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), text) << "the summary is copied whole";
        QTest::mouseClick(summary->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        EXPECT_FALSE(summary->isVisible());
        EXPECT_FALSE(importer().isRunning());
        EXPECT_TRUE(form().acceptDrops());
        return text;
    }
};

TEST_F(BatchWindow, ADroppedFolderFillsPagesWhileTheProgressWindowCounts)
{
    addPage("Page1", {"one"});
    ASSERT_TRUE(start());
    QStringList counts;
    drop(urlsOf({pack(20, 2, 2, 3)}));
    ASSERT_NE(importer().batch(), nullptr) << "the drop started a batch";
    EXPECT_TRUE(importer().batchProgress()->isVisible());
    EXPECT_EQ(importer().batchProgress()->windowModality(), Qt::ApplicationModal);
    QObject::connect(importer().batch(), &core::BatchImport::progress, [&] {
        counts << importer().batchProgress()->count()->text();
    });

    const QString text = summaryText();
    EXPECT_TRUE(text.startsWith("Imported: 22, duplicates: 2, skipped: 3.")) << text.toStdString();
    EXPECT_TRUE(text.contains("notes3.txt: it is no spray logo WAD file and no picture")) << text.toStdString();
    EXPECT_TRUE(text.contains("picture1.png as picture1 (made from the picture)")) << text.toStdString();
    EXPECT_EQ(counts.value(counts.size() - 1), "27 of 27 files");
    EXPECT_EQ(promptShowings, 0);
    EXPECT_EQ(storedPageTitles(), (QStringList{"Page1", "clan pack 1", "clan pack 2"}));
    EXPECT_EQ(library().pageTitle(), "clan pack 2") << "the window shows the pages as they fill";
    EXPECT_EQ(slotTitle(8), QString());
    EXPECT_FALSE(importer().batchProgress()->isVisible());
}

TEST_F(BatchWindow, CancelStopsTheBatchAndKeepsWhatCameIn)
{
    addPage("Page1");
    ASSERT_TRUE(start());
    drop(urlsOf({pack(60)}));
    ASSERT_NE(importer().batch(), nullptr);
    QObject::connect(importer().batch(), &core::BatchImport::progress, [&](int done) {
        if (done == 10)
            QTest::mouseClick(importer().batchProgress()->cancelButton(), Qt::LeftButton);
    });
    const QString text = summaryText();
    EXPECT_TRUE(text.startsWith("Imported: 10, duplicates: 0, skipped: 0. Cancelled")) << text.toStdString();
    const QStringList pages = storedPageTitles();
    EXPECT_EQ(pages, (QStringList{"Page1", "clan pack 1"}));
    EXPECT_EQ(storedSlotTitle("clan pack 1", 2), "spray18") << "stored, in the order walked";
    EXPECT_EQ(programDirEntries().filter(".wad").size(), 10);
}

TEST_F(BatchWindow, SeveralFilesFromPlusTheMenuItemAndTheCommandLineAreOneBatchEach)
{
    addPage("Page1");
    const QString dir = pack(3);
    const QString a = dir + "/spray1/tempdecal.wad";
    const QString b = dir + "/spray2/tempdecal.wad";
    program().setFilesToOpen({a, b});
    ASSERT_TRUE(start());
    EXPECT_TRUE(summaryText().startsWith("Imported: 2,"));
    EXPECT_EQ(slotTitle(2), "spray2");

    OpenDialog::queueChoices({dir + "/spray3/tempdecal.wad", a});
    clickPlus(8);
    const QString plus = summaryText();
    EXPECT_TRUE(plus.startsWith("Imported: 1, duplicates: 1,")) << plus.toStdString();
    EXPECT_EQ(slotTitle(3), "spray3");

    spraypack::zipFolder(pack(5), elsewhere() + "/more.zip");
    OpenDialog::queueChoice(elsewhere() + "/more.zip");
    form().findChild<QAction*>("ImportFolder1")->trigger();
    EXPECT_TRUE(summaryText().startsWith("Imported: 2, duplicates: 3,"));
    EXPECT_EQ(slotTitle(5), "spray5");
    EXPECT_EQ(promptShowings, 0);
}

TEST_F(BatchWindow, ASecondStartHandsOverSeveralFilesInOneMessage)
{
    addPage("Page1");
    ASSERT_TRUE(start());
    const QString dir = pack(2);
    const QStringList files{dir + "/spray1/tempdecal.wad", dir + "/spray2/tempdecal.wad"};
    EXPECT_EQ(handover::decodeFiles(handover::encodeMessage(files[0]) + ' ' + handover::encodeMessage(files[1])), files)
        << "a space in a path is always written as %20";
    std::atomic<bool> done{false};
    bool ok = false;
    QString why;
    std::thread second([&] {
        ok = handover::sendFiles(files, &why);
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 15000));
    second.join();
    ASSERT_TRUE(ok) << why.toStdString();
    EXPECT_TRUE(summaryText().startsWith("Imported: 2,"));
    EXPECT_EQ(promptShowings, 0);
}

} // namespace
