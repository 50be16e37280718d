// Importing a whole collection at once, without a window: the walk over
// folders and archives, the names, the duplicates and the skipped files,
// the pages added, the cancel; and finding a logo among many pages.
#include "ProgramFixture.h"
#include "SprayPack.h"

#include "core/BatchImport.h"
#include "core/LogoName.h"
#include "core/SourceWalk.h"
#include "core/SprayIntake.h"
#include "core/WorkingFiles.h"
#include "formats/SprayCheck.h"
#include "formats/Wad3.h"
#include "store/PictureField.h"
#include "store/ProgramDir.h"
#include "store/Sqlite.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

class BatchImport : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        ASSERT_TRUE(packs.isValid());
    }

    // The pack of the issue: 300 sprays, 20 copies, 10 pictures, 5 broken
    // files; one spray is already in the library under another name, and
    // the name of another is taken by a logo of other content.
    QString layOutPack()
    {
        broken = spraypack::writePack(packs.filePath("pack"), {300, 20, 10, 5});
        writeFile("mine.wad", spraypack::sprayWad(2));
        writeFile("spray1.wad", spraypack::sprayWad(999));
        addPage("Mine", {"mine", "spray1"});
        return packs.filePath("pack");
    }

    core::BatchSummary run(const QStringList& sources, int cancelAt = -1)
    {
        library.open(dir());
        core::BatchImport batch(library, sources);
        QObject::connect(&batch, &core::BatchImport::progress, [&](int done, int, const QString&) {
            if (done == cancelAt)
                batch.cancel();
        });
        batch.start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return batch.isFinished(); }, 60000));
        QCoreApplication::processEvents();   // anything the reading thread still sent is dropped
        return batch.summary();
    }

    // The whole pack came in: every spray once, under its folder's name.
    void expectWholePack(const core::BatchSummary& summary)
    {
        EXPECT_EQ(summary.imported.size(), 299 + 10);
        EXPECT_EQ(summary.duplicates.size(), 21);
        ASSERT_EQ(summary.skipped.size(), 5) << summary.text().toStdString();
        EXPECT_FALSE(summary.cancelled);
        QStringList skippedFiles;
        for (const core::BatchEntry& e : summary.skipped) {
            skippedFiles << QFileInfo(e.file).fileName();
            EXPECT_FALSE(e.detail.isEmpty());
        }
        for (const QString& b : broken)
            EXPECT_TRUE(skippedFiles.contains(QFileInfo(b).fileName())) << b.toStdString();
        for (const core::BatchEntry& e : summary.duplicates)
            EXPECT_TRUE(e.file.contains("/twin") || e.file.contains("/spray2/")) << e.file.toStdString();

        QHash<QString, QString> nameOf;
        for (const core::BatchEntry& e : summary.imported)
            nameOf.insert(QFileInfo(e.file).dir().dirName() + "/" + QFileInfo(e.file).fileName(), e.detail);
        EXPECT_EQ(nameOf.value("spray7/tempdecal.wad"), "spray7");
        EXPECT_EQ(nameOf.value("spray1/tempdecal.wad"), "spray1_2") << "spray1 names another logo";
        EXPECT_EQ(readFile("spray7.wad"), spraypack::sprayWad(7));
        EXPECT_EQ(readFile("spray1.wad"), spraypack::sprayWad(999));

        // Every logo is stored, once, with its file; the current page first,
        // then pages named after the pack.
        library.refresh();
        const QStringList titles = library.storedSlotTitles();
        QSet<QString> unique;
        for (const core::BatchEntry& e : summary.imported) {
            EXPECT_TRUE(titles.contains(e.detail)) << e.detail.toStdString();
            EXPECT_TRUE(fileExists(e.detail + ".wad"));
            unique.insert(e.detail);
        }
        EXPECT_EQ(unique.size(), summary.imported.size());
        const QStringList pages = storedPageTitles();
        EXPECT_EQ(pages.size(), 1 + 38) << "6 logos on Mine, 303 on new pages";
        EXPECT_TRUE(pages.contains("pack 1") && pages.contains("pack 38"));
        EXPECT_FALSE(library.UnsavedChanges() && library.isEditing()) << "nothing is left pending";
        // Each logo file was written in the import's working folder, which
        // the batch made and leaves empty; nothing half-written among the logos.
        ASSERT_TRUE(QFileInfo(logoimport::workingDir()).isDir());
        EXPECT_EQ(QDir(logoimport::workingDir()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());
        EXPECT_EQ(QDir(dir()).entryList({"*.part*"}, QDir::Files | QDir::Hidden | QDir::System), QStringList());
    }

    QTemporaryDir packs;
    QStringList broken;
    core::Library library;
};

TEST_F(BatchImport, AFolderOfSpraysComesInOneGoWithItsSummary)
{
    const core::BatchSummary summary = run({layOutPack()});
    expectWholePack(summary);
    // The slot picture is the spray's own, made without the converters.
    const core::Library::Found spray7 = library.find("spray7", 1).value(0);
    ASSERT_TRUE(library.goToPage(spray7.page));
    const QByteArray wad = spraypack::sprayWad(7);
    const auto* data = reinterpret_cast<const std::uint8_t*>(wad.constData());
    EXPECT_EQ(library.slotPicture(spray7.slot), store::pictureFromRgb(formats::toRgb(formats::readWadPicture(data, wad.size()))));
    const QString text = summary.text();
    EXPECT_TRUE(text.startsWith("Imported: 309, duplicates: 21, skipped: 5.")) << text.toStdString();
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(packs.filePath("pack/twin3/tempdecal.wad")) + ": the same picture as spray3"));
}

TEST_F(BatchImport, AZipOfTheSamePackDoesTheSame)
{
    const QString pack = layOutPack();
    spraypack::zipFolder(pack, packs.filePath("pack.zip"));
    QDir(pack).removeRecursively();
    const core::BatchSummary summary = run({packs.filePath("pack.zip")});
    expectWholePack(summary);
    EXPECT_TRUE(summary.imported.first().file.startsWith(packs.filePath("pack.zip/pack/")));
}

TEST_F(BatchImport, CancelHalfWayKeepsWhatWasImportedAndStored)
{
    const core::BatchSummary summary = run({layOutPack()}, 150);
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.imported.size() + summary.duplicates.size() + summary.skipped.size(), 150);
    library.close();
    library.open(dir());   // what the table file holds
    const QStringList titles = library.storedSlotTitles();
    for (const core::BatchEntry& e : summary.imported)
        EXPECT_TRUE(titles.contains(e.detail) && fileExists(e.detail + ".wad")) << e.detail.toStdString();
    const int wadFiles = QDir(dir()).entryList({"*.wad"}, QDir::Files).size();
    EXPECT_EQ(wadFiles, summary.imported.size() + 2) << "no logo file beyond those imported";
}

// A logo file takes its name only as the page that names it is stored: at
// no moment does a file lie under a logo's name that only the pending edit
// names, which a kill would leave behind with no slot naming it.
TEST_F(BatchImport, NoLogoFileIsNamedBeforeItsPageIsStored)
{
    spraypack::writePack(packs.filePath("few"), {3, 0, 0, 0});
    QStringList namedEarly;
    int slotChanges = 0;
    QObject::connect(&library, &core::Library::fieldChanged, [&] {
        const QStringList stored = library.storedSlotTitles();
        for (int n = 1; n <= 8; ++n) {
            const QString title = library.slotTitle(n);
            if (!title.isEmpty() && !stored.contains(title)) {
                ++slotChanges;
                if (fileExists(title + ".wad"))
                    namedEarly << title;
            }
        }
    });
    const core::BatchSummary summary = run({packs.filePath("few")});
    EXPECT_EQ(summary.imported.size(), 3) << summary.text().toStdString();
    EXPECT_GT(slotChanges, 0) << "the pending slots were seen";
    EXPECT_EQ(namedEarly, QStringList());
    for (const core::BatchEntry& e : summary.imported)
        EXPECT_TRUE(fileExists(e.detail + ".wad")) << e.detail.toStdString();
    EXPECT_EQ(QDir(logoimport::workingDir()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(BatchImport, SpraysTheGameRefusesAreRemadeOrSkippedWithTheirReason)
{
    const QString folder = packs.filePath("odd");
    QDir().mkpath(folder);
    const auto put = [&](const QString& name, const QByteArray& bytes) {
        QFile f(folder + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    put("big.wad", spraypack::sprayWad(5, 128));
    put("two.wad", spraypack::twoPictureWad(6));
    const core::BatchSummary summary = run({folder});
    ASSERT_EQ(summary.imported.size(), 1);
    EXPECT_EQ(summary.imported[0].detail, "big");
    EXPECT_TRUE(summary.imported[0].note.startsWith("remade for the game: ")) << summary.imported[0].note.toStdString();
    const QByteArray remade = readFile("big.wad");
    EXPECT_TRUE(formats::checkSpray(reinterpret_cast<const std::uint8_t*>(remade.constData()), remade.size()).gameReady());
    ASSERT_EQ(summary.skipped.size(), 1);
    EXPECT_EQ(summary.skipped[0].detail, "holds 2 pictures: import it on its own to choose one");
    EXPECT_EQ(storedPageTitles(), QStringList{"odd 1"}) << "the first page of an empty library is named too";
}

TEST_F(BatchImport, ArchivesInsideArchivesAreWalkedWithoutUnpacking)
{
    spraypack::writePack(packs.filePath("inner/deep"), {2, 0, 0, 0});
    spraypack::zipFolder(packs.filePath("inner"), packs.filePath("outer/sub/inner.zip"));
    spraypack::zipFolder(packs.filePath("outer"), packs.filePath("outer.zip"));
    core::SourceWalk walk({packs.filePath("outer.zip")}, core::intakeReadLimit);
    QStringList found;
    core::SourceFile file;
    while (walk.next(file)) {
        EXPECT_TRUE(file.error.isEmpty()) << file.error.toStdString();
        EXPECT_FALSE(file.bytes.empty());
        found << file.path.mid(packs.path().size() + 1) + " in " + file.container;
    }
    found.sort();
    EXPECT_EQ(found, (QStringList{"outer.zip/outer/sub/inner.zip/inner/deep/spray1/tempdecal.wad in spray1",
                                  "outer.zip/outer/sub/inner.zip/inner/deep/spray2/tempdecal.wad in spray2"}));
    EXPECT_EQ(QDir(packs.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 3) << "nothing unpacked";
}

TEST(LogoNameFit, NamesAreMadeToFitTheRule)
{
    const QSet<QString> taken{"taken", "taken_2", "a_very_long_nam", "a_very_long_n_2"};
    const auto fit = [&](const QString& name) {
        return logoimport::fitLogoName(name, [&](const QString& n) { return taken.contains(n); });
    };
    EXPECT_EQ(fit("my logo"), "my_logo");
    EXPECT_EQ(fit("a very long title"), "a_very_long_tit");
    EXPECT_EQ(fit("taken"), "taken_3");
    EXPECT_EQ(fit("a very long name"), "a_very_long_n_3") << "cut to leave room for the number";
    EXPECT_EQ(fit(QString::fromUtf8("sm\u00f6rg\u00e5s \u263a")), QString::fromUtf8("sm\u00f6rg\u00e5s__"));
    EXPECT_EQ(fit(".."), "logo") << "no file can have that name";
    EXPECT_EQ(fit(""), "logo");
    EXPECT_EQ(fit("a.b"), "a.b");
    for (const QString& name : {fit("my logo"), fit("a very long title"), fit("a/b\\c\td")})
        EXPECT_TRUE(logoimport::logoNameProblem(name).isEmpty()) << name.toStdString();
}

// Ten thousand pages written in one transaction, as a library grows over
// years; page N holds logos "logoN_1" to "logoN_8".
class LibraryFind : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        store::SqliteDb db;
        db.open(path("LogoDB.db"), false);
        db.exec("BEGIN");
        store::SqliteStmt insert(db, "INSERT INTO LogoDB (\"Page Title\", \"Picture 3 Title\", \"Picture 3\", "
                                     "\"Picture 8 Title\") VALUES (?, ?, ?, ?)");
        const QByteArray picture(20000, 'p');   // pictures between the titles, as real ones lie
        for (int n = 1; n <= 10000; ++n) {
            insert.bindText(1, QStringLiteral("page %1").arg(n, 5, 10, QLatin1Char('0')));
            insert.bindText(2, QStringLiteral("logo%1_3").arg(n));
            insert.bindBlob(3, picture);
            insert.bindText(4, n == 7777 ? QStringLiteral("Rare_Bird") : QStringLiteral("logo%1_8").arg(n));
            insert.step();
            insert.reset();
        }
        db.exec("COMMIT");
        library.open(dir());
    }
    core::Library library;
};

TEST_F(LibraryFind, FindsALogoByPartOfItsNameAmongTenThousandPagesAndGoesThere)
{
    const QList<core::Library::Found> found = library.find("rare_b", 200);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].page, "page 07777");
    EXPECT_EQ(found[0].slot, 8);
    EXPECT_EQ(found[0].title, "Rare_Bird");

    const QList<core::Library::Found> many = library.find("logo12", 200);
    EXPECT_EQ(many.size(), 2 * 111) << "pages 12, 120 to 129, 1200 to 1299, each with two logos that match";
    QSet<QString> pages;
    for (const core::Library::Found& f : library.find("LOGO", 200))
        pages.insert(f.page);
    EXPECT_EQ(pages.size(), 200) << "at most 200 pages";
    EXPECT_TRUE(std::is_sorted(many.begin(), many.end(), [](auto& a, auto& b) { return a.page < b.page; }));
    EXPECT_EQ(library.find("page 0999", 200).first().slot, 0) << "a page found by its own title";
    EXPECT_TRUE(library.find("%", 200).isEmpty()) << "% is a character, not a pattern";

    EXPECT_TRUE(library.goToPage("page 07777"));
    EXPECT_EQ(library.slotTitle(8), "Rare_Bird");
    EXPECT_FALSE(library.goToPage("page 99999"));
}

} // namespace
