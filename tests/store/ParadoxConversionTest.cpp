// Libraries kept in Paradox tables: known by their header,
// converted into our tables with every page, title, picture and setting,
// the old files kept in old-tables/, and nothing changed when it fails.
#include "ParadoxWriter.h"

#include "store/Installer.h"
#include "store/ParadoxConversion.h"
#include "store/ParadoxTable.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace store;
using paradoxtest::pageRow;

namespace {

QByteArray picture(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(1, 2, 3));
    return pictureFromImage(image);   // with the 8-byte graphic header
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Every file under a directory (hidden ones too) with its bytes.
QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), it.fileInfo().isDir() ? QByteArray("<dir>") : readFile(path));
    }
    return files;
}

class ParadoxLibrary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Three pages: pictures with the graphic header (one too long for a
    // shared blob block), one without it, a short one kept in the row, six
    // filling the second half of a shared block, and free slots; the
    // settings and a scratch record.
    void writeLibrary()
    {
        big = picture(48, 32, qRgb(200, 30, 40));
        small = picture(4, 4, qRgb(0, 90, 250));
        bare = unwrapPicture(picture(16, 8, qRgb(10, 200, 10)));
        tiny = QByteArray("0123456789ab");   // no bitmap, but it fits in the row
        for (int i = 0; i < 6; ++i)
            more << picture(12, 8, qRgb(40 * i, 0, 0));
        paradoxtest::writeLibrary(dir.path(),
                                  {pageRow("Favourites", {{"cool", big}, {"", ""}, {"bare", bare}}),
                                   pageRow("Zoo", {{"lion", small}, {"tiny", tiny}, {"a", more[0]}, {"b", more[1]},
                                                   {"c", more[2]}, {"d", more[3]}, {"e", more[4]}, {"f", more[5]}}),
                                   pageRow("Empty", {})},
                                  {"/games/Half-Life/cstrike", "Yes", "260", "/usr/bin/hlsw", "Yes"},
                                  {small, "lion", "Gordon"});
    }

    QTemporaryDir dir;
    QByteArray big, small, bare, tiny;
    QVector<QByteArray> more;
};

TEST_F(ParadoxLibrary, TablesAreKnownByTheirHeaderNotTheirName)
{
    writeLibrary();
    const QString paradox = dir.filePath("LogoDB.db");
    EXPECT_TRUE(isParadoxTable(paradox));
    EXPECT_TRUE(isParadoxTable(dir.filePath("SwitchDB.db")));
    EXPECT_TRUE(holdsParadoxTables(dir.path()));

    QTemporaryDir other;
    writeFile(other.filePath("pages.dat"), readFile(paradox));
    EXPECT_TRUE(isParadoxTable(other.filePath("pages.dat")));
    // Our own SQLite tables, the blob and index files, damaged and foreign
    // files are no Paradox tables, whatever their names.
    ASSERT_TRUE(installTables(other.path()).failures.isEmpty());
    EXPECT_FALSE(isParadoxTable(other.filePath("LogoDB.db")));
    EXPECT_FALSE(holdsParadoxTables(other.path()));
    EXPECT_FALSE(isParadoxTable(dir.filePath("LogoDB.MB")));
    EXPECT_FALSE(isParadoxTable(dir.filePath("LogoDB.PX")));
    writeFile(other.filePath("cut.db"), readFile(paradox).left(0x60));
    EXPECT_FALSE(isParadoxTable(other.filePath("cut.db")));
    QByteArray wrongSum = readFile(paradox);
    wrongSum[0] = char(wrongSum[0] + 1);   // the record size no longer matches the fields
    writeFile(other.filePath("sum.db"), wrongSum);
    EXPECT_FALSE(isParadoxTable(other.filePath("sum.db")));
    EXPECT_FALSE(isParadoxTable(other.filePath("missing.db")));
    EXPECT_FALSE(isParadoxTable(other.path()));
}

TEST_F(ParadoxLibrary, ConversionKeepsEveryPageTitlePictureAndSettingAndTheOldFiles)
{
    writeLibrary();
    const QMap<QString, QByteArray> before = snapshot(dir.path());

    const ConversionReport report = convertParadoxLibrary(dir.path());
    EXPECT_EQ(report.pages, 3);
    EXPECT_EQ(report.converted, QStringList({"LogoDB.db", "ConfigDB.db", "SwitchDB.db"}));
    EXPECT_TRUE(report.notes.isEmpty()) << report.notes.join('\n').toStdString();

    // The old files, byte for byte, in old-tables/; nothing else is left.
    for (const QString& name : {"LogoDB.db", "LogoDB.MB", "LogoDB.PX", "ConfigDB.db", "SwitchDB.db", "SwitchDB.MB"}) {
        EXPECT_EQ(readFile(dir.filePath("old-tables/" + name)), before.value(name)) << name.toStdString();
        EXPECT_TRUE(report.keptFiles.contains(name)) << name.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
              QStringList({"ConfigDB.db", "LogoDB.db", "SwitchDB.db", "old-tables"}));
    EXPECT_FALSE(holdsParadoxTables(dir.path()));

    Table pages(logoTableDef());
    pages.setDirectory(dir.path());
    pages.open();
    ASSERT_EQ(pages.rowCount(), 3);
    pages.moveTo(1);   // in key order: Empty, Favourites, Zoo
    EXPECT_EQ(pages.text(LogoPage::PageTitle), "Favourites");
    EXPECT_EQ(pages.text(LogoPage::pictureTitle(1)), "cool");
    EXPECT_EQ(pages.picture(LogoPage::picture(1)), big);
    EXPECT_EQ(pictureImage(pages.picture(LogoPage::picture(1))).size(), QSize(48, 32));
    EXPECT_EQ(pages.text(LogoPage::pictureTitle(2)), "");
    EXPECT_TRUE(pages.picture(LogoPage::picture(2)).isNull());
    EXPECT_EQ(pages.text(LogoPage::pictureTitle(3)), "bare");
    EXPECT_EQ(pages.picture(LogoPage::picture(3)), wrapPicture(bare));   // given the header our fields have
    EXPECT_EQ(pictureImage(pages.picture(LogoPage::picture(3))).pixel(0, 0), qRgb(1, 2, 3));
    pages.moveTo(2);
    EXPECT_EQ(pages.text(LogoPage::PageTitle), "Zoo");
    EXPECT_EQ(pages.picture(LogoPage::picture(1)), small);
    EXPECT_EQ(pages.text(LogoPage::pictureTitle(2)), "tiny");
    EXPECT_EQ(unwrapPicture(pages.picture(LogoPage::picture(2))), tiny);
    for (int n = 3; n <= 8; ++n)
        EXPECT_EQ(pages.picture(LogoPage::picture(n)), more[n - 3]) << n;
    pages.moveTo(0);
    EXPECT_EQ(pages.text(LogoPage::PageTitle), "Empty");
    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(pages.text(LogoPage::pictureTitle(n)).isEmpty() && pages.picture(LogoPage::picture(n)).isNull());

    Table config(configTableDef());
    config.setDirectory(dir.path());
    config.open();
    ASSERT_EQ(config.rowCount(), 1);
    EXPECT_EQ(config.text(ConfigRecord::Config), "/games/Half-Life/cstrike");
    EXPECT_EQ(config.text(ConfigRecord::ConfigSaved), "Yes");
    EXPECT_EQ(config.text(ConfigRecord::WaitTime), "260");
    EXPECT_EQ(config.text(ConfigRecord::ExtraConfig), "/usr/bin/hlsw");
    EXPECT_EQ(config.text(ConfigRecord::ExtraConfigSaved), "Yes");

    Table scratch(switchTableDef());
    scratch.setDirectory(dir.path());
    scratch.open();
    ASSERT_EQ(scratch.rowCount(), 1);
    EXPECT_EQ(scratch.picture(SwitchRecord::TempImage), small);
    EXPECT_EQ(scratch.text(SwitchRecord::TempImageTitle), "lion");
    EXPECT_EQ(scratch.text(SwitchRecord::Nickname), "Gordon");
}

TEST_F(ParadoxLibrary, TitlesComeOutOfTheTablesCodePage)
{
    // "Café" and "Señor": 0x82/0xA4 in code page 850, 0xE9/0xF1 in 1252.
    const struct {
        int codePage;
        QByteArray cafe, senor;
    } cases[] = {{850, "Caf\x82", "Se\xa4or"}, {1252, "Caf\xe9", "Se\xf1or"}};
    for (const auto& c : cases) {
        QTemporaryDir library;
        paradoxtest::writeTable(library.path(), "LogoDB.db", "LogoDB.MB", paradoxtest::logoFields(),
                                {pageRow(c.cafe, {{c.senor, QByteArray()}})}, c.codePage);
        const ParadoxRows rows = readParadoxTable(library.path(), logoTableDef());
        ASSERT_EQ(rows.rows.size(), 1);
        EXPECT_EQ(rows.rows[0][LogoPage::PageTitle].toString(), QString::fromUtf8("Café")) << c.codePage;
        EXPECT_EQ(rows.rows[0][LogoPage::pictureTitle(1)].toString(), QString::fromUtf8("Señor")) << c.codePage;

        // Through the conversion into the table (which keeps Latin-1 text).
        convertParadoxLibrary(library.path());
        Table pages(logoTableDef());
        pages.setDirectory(library.path());
        pages.open();
        EXPECT_EQ(pages.text(LogoPage::PageTitle), QString::fromUtf8("Café")) << c.codePage;
    }
}

TEST_F(ParadoxLibrary, AFailedConversionLeavesEveryFileAsItWas)
{
    writeLibrary();
    // A scratch table without its Nickname field cannot be converted.
    QFile::remove(dir.filePath("SwitchDB.db"));
    QFile::remove(dir.filePath("SwitchDB.MB"));
    paradoxtest::writeTable(dir.path(), "SwitchDB.db", "SwitchDB.MB",
                            {{"TempImage", paradoxtest::kGraphic, 25}, {"TempImageTitle", paradoxtest::kAlpha, 15}}, {{small, "lion"}});
    QMap<QString, QByteArray> before = snapshot(dir.path());
    try {
        convertParadoxLibrary(dir.path());
        ADD_FAILURE() << "converted a table without a field";
    } catch (const ConversionError& e) {
        EXPECT_NE(QString(e.what()).indexOf("Nickname"), -1) << e.what();
        EXPECT_NE(QString(e.what()).indexOf("Nothing was changed"), -1) << e.what();
    }
    EXPECT_EQ(snapshot(dir.path()), before);

    // old-tables/ holding a file of the same name: refused before anything moves.
    paradoxtest::writeTable(dir.path(), "SwitchDB.db", "SwitchDB.MB", paradoxtest::switchFields(), {{small, "lion", "G"}});
    ASSERT_TRUE(QDir(dir.path()).mkdir("old-tables"));
    writeFile(dir.filePath("old-tables/LogoDB.MB"), "someone else's");
    before = snapshot(dir.path());
    EXPECT_THROW(convertParadoxLibrary(dir.path()), ConversionError);
    EXPECT_EQ(snapshot(dir.path()), before);

    // A folder without Paradox tables is no conversion either.
    QTemporaryDir ours;
    ASSERT_TRUE(installTables(ours.path()).failures.isEmpty());
    before = snapshot(ours.path());
    EXPECT_THROW(convertParadoxLibrary(ours.path()), ConversionError);
    EXPECT_EQ(snapshot(ours.path()), before);
}

TEST_F(ParadoxLibrary, ADamagedBlobFileCostsThePicturesNotTheLibrary)
{
    writeLibrary();
    writeFile(dir.filePath("LogoDB.MB"), QByteArray(4096, '\0'));   // the header block alone
    const ConversionReport report = convertParadoxLibrary(dir.path());
    EXPECT_EQ(report.pages, 3);
    // The pictures kept in the blob file are named; the one in its row is not lost.
    EXPECT_EQ(report.notes.size(), 3 + 6) << report.notes.join('\n').toStdString();
    EXPECT_NE(report.notes.join('\n').indexOf("Favourites"), -1);
    Table pages(logoTableDef());
    pages.setDirectory(dir.path());
    pages.open();
    pages.moveTo(1);
    EXPECT_EQ(pages.text(LogoPage::pictureTitle(1)), "cool");
    EXPECT_TRUE(pages.picture(LogoPage::picture(1)).isNull());
    pages.moveTo(2);
    EXPECT_EQ(unwrapPicture(pages.picture(LogoPage::picture(2))), tiny);
}

} // namespace
