// The table layer: cursor, pending edit, keys, the two kinds of error.
#include "store/Installer.h"
#include "store/Records.h"
#include "store/Sqlite.h"
#include "store/Table.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace store;
using LogoPage::PageTitle;
using LogoPage::picture;
using LogoPage::pictureTitle;

namespace {

class TableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(installTables(dir.path()).failures.isEmpty());
        pages.setDirectory(dir.path());
        pages.open();
    }

    void addPage(const QString& title)
    {
        pages.insert();
        pages.setText(PageTitle, title);
        pages.post();
    }

    QStringList listed() const
    {
        QStringList keys;
        for (int i = 0; i < pages.listCount(); ++i)
            keys << pages.listKey(i);
        return keys;
    }

    QStringList reopened()
    {
        Table other(logoTableDef());
        other.setDirectory(dir.path());
        other.open();
        QStringList keys;
        for (int i = 0; i < other.rowCount(); ++i)
            keys << other.listKey(i);
        return keys;
    }

    QTemporaryDir dir;
    Table pages{logoTableDef()};
};

TEST_F(TableTest, EmptyTableShowsNothingAndEditStartsABlankPageThatIsStoredOnlyWithSomethingInIt)
{
    EXPECT_EQ(pages.rowCount(), 0);
    EXPECT_EQ(pages.recNo(), -1);
    EXPECT_EQ(pages.text(PageTitle), QString());
    pages.edit();
    EXPECT_EQ(pages.state(), Table::State::Insert);
    EXPECT_EQ(pages.listCount(), 1);
    pages.post();
    EXPECT_EQ(reopened(), QStringList()) << "a blank row is no page";
    EXPECT_EQ(pages.state(), Table::State::Browse);
    pages.edit();
    pages.setText(store::LogoPage::pictureTitle(1), QStringLiteral("logo"));
    pages.post();
    EXPECT_EQ(reopened(), QStringList{QString()}) << "a row with a logo is kept, even without a title";
}

TEST_F(TableTest, FieldsChangeOnlyInAPendingEdit)
{
    addPage(QStringLiteral("one"));
    try {
        pages.setText(PageTitle, QStringLiteral("x"));
        FAIL() << "a field changed outside a pending edit";
    } catch (const EngineError&) {
        FAIL() << "the refusal is the table layer's own, not the engine's";
    } catch (const DatabaseError&) {
    }
    EXPECT_THROW(pages.post(), DatabaseError);
}

TEST_F(TableTest, RowsAreListedInByteOrderOfTheKeyWithCaseCounting)
{
    for (const char* t : {"beta", "Alpha", "alpha", "Beta", "_x"})
        addPage(QString::fromLatin1(t));
    EXPECT_EQ(listed(), (QStringList{"Alpha", "Beta", "_x", "alpha", "beta"}));
    EXPECT_EQ(reopened(), listed());
    EXPECT_EQ(pages.text(PageTitle), QStringLiteral("_x")) << "the cursor stays on the page posted last";
}

TEST_F(TableTest, DuplicateKeyIsAnEngineErrorAndThePendingEditStays)
{
    addPage(QStringLiteral("NEW"));
    pages.insert();
    pages.setText(PageTitle, QStringLiteral("NEW"));
    pages.setText(pictureTitle(3), QStringLiteral("logo"));
    try {
        pages.post();
        FAIL() << "a second page of the same title was posted";
    } catch (const EngineError& e) {
        EXPECT_STREQ(e.what(), "Key violation.");
    }
    EXPECT_EQ(pages.state(), Table::State::Insert);
    EXPECT_EQ(pages.text(pictureTitle(3)), QStringLiteral("logo"));
    pages.setText(PageTitle, QStringLiteral("NEW2"));
    pages.post();
    EXPECT_EQ(reopened(), (QStringList{"NEW", "NEW2"}));
}

TEST_F(TableTest, AMoveSettlesThePendingEditFirst)
{
    addPage(QStringLiteral("a"));
    addPage(QStringLiteral("b"));
    pages.first();
    pages.edit();
    pages.setText(pictureTitle(1), QStringLiteral("moved"));
    pages.next();
    EXPECT_EQ(pages.text(PageTitle), QStringLiteral("b"));
    pages.first();
    EXPECT_EQ(pages.text(pictureTitle(1)), QStringLiteral("moved"));

    // A refused post stops the move.
    pages.edit();
    pages.setText(PageTitle, QStringLiteral("b"));
    EXPECT_THROW(pages.next(), EngineError);
    EXPECT_EQ(pages.state(), Table::State::Edit);
    EXPECT_EQ(pages.recNo(), 0);

    // An unmodified edit, and an unmodified inserted row, are dropped.
    pages.cancel();
    pages.edit();
    pages.next();
    EXPECT_EQ(pages.state(), Table::State::Browse);
    pages.insert();
    pages.first();
    EXPECT_EQ(pages.rowCount(), 2);
}

TEST_F(TableTest, CancelDropsTheEditAndAnInsertedRow)
{
    addPage(QStringLiteral("keep"));
    pages.edit();
    pages.setText(PageTitle, QStringLiteral("changed"));
    pages.cancel();
    EXPECT_EQ(pages.text(PageTitle), QStringLiteral("keep"));
    pages.insert();
    EXPECT_EQ(pages.listCount(), 2);
    pages.cancel();
    EXPECT_EQ(pages.listCount(), 1);
    EXPECT_EQ(pages.text(PageTitle), QStringLiteral("keep"));
}

TEST_F(TableTest, DeleteRemovesTheRowAtOnceAndMovesToTheNext)
{
    EXPECT_THROW(pages.deleteRecord(), DatabaseError);
    try {
        pages.deleteRecord();
    } catch (const EngineError&) {
        FAIL() << "deleting from an empty table is the layer's own error";
    } catch (const DatabaseError&) {
    }
    for (const char* t : {"a", "b", "c"})
        addPage(QString::fromLatin1(t));
    pages.moveTo(1);
    pages.deleteRecord();
    EXPECT_EQ(pages.text(PageTitle), QStringLiteral("c"));
    pages.deleteRecord();
    EXPECT_EQ(pages.text(PageTitle), QStringLiteral("a")) << "after the last row the cursor goes to the new last";
    EXPECT_EQ(reopened(), QStringList{"a"});
    pages.insert();
    pages.deleteRecord();   // while inserting: a cancel
    EXPECT_EQ(reopened(), QStringList{"a"});
}

// A long list is read in parts as its lines are asked for; every line
// still shows its key, in order, through renames, new rows and deletes.
TEST_F(TableTest, ALongListShowsEveryKeyInOrderWhereverItIsRead)
{
    {
        SqliteDb db;
        db.open(dir.path() + QLatin1Char('/') + logoTableDef().fileName(), false);
        db.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 399) "
                               "INSERT INTO %1 (%2) SELECT printf('p%03d', 399 - i) FROM n")
                    .arg(quoteIdentifier(logoTableDef().name), quoteIdentifier(logoTableDef().fields[PageTitle].name)));
    }
    pages.refresh();
    QStringList expected;
    for (int i = 0; i < 400; ++i)
        expected << QStringLiteral("p%1").arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(pages.listKey(399), QStringLiteral("p399")) << "the far end first";
    EXPECT_EQ(pages.listKey(200), QStringLiteral("p200"));
    EXPECT_EQ(listed(), expected);

    pages.refresh();   // nothing read: the rename finds its new place among keys not yet read
    pages.moveTo(0);
    pages.edit();
    pages.setText(PageTitle, QStringLiteral("p250a"));
    pages.post();
    expected.removeFirst();
    expected.insert(expected.indexOf(QStringLiteral("p250")) + 1, QStringLiteral("p250a"));
    EXPECT_EQ(pages.currentListRow(), expected.indexOf(QStringLiteral("p250a")));
    addPage(QStringLiteral("p100a"));
    expected.insert(expected.indexOf(QStringLiteral("p100")) + 1, QStringLiteral("p100a"));
    EXPECT_EQ(listed(), expected);

    Table fresh(logoTableDef());   // nothing read: a delete leaves the rest to be read in the table's order
    fresh.setDirectory(dir.path());
    fresh.open();
    fresh.moveTo(expected.indexOf(QStringLiteral("p300")));
    fresh.deleteRecord();
    expected.removeOne(QStringLiteral("p300"));
    QStringList freshKeys;
    for (int i = 0; i < fresh.listCount(); ++i)
        freshKeys << fresh.listKey(i);
    EXPECT_EQ(freshKeys, expected);
    EXPECT_EQ(reopened(), expected);
}

TEST_F(TableTest, RefreshKeepsTheCursorOnItsRowAndSeesOtherWriters)
{
    for (const char* t : {"b", "d"})
        addPage(QString::fromLatin1(t));
    pages.last();
    {
        Table other(logoTableDef());
        other.setDirectory(dir.path());
        other.open();
        other.insert();
        other.setText(PageTitle, QStringLiteral("a"));
        other.post();
    }
    pages.refresh();
    EXPECT_EQ(listed(), (QStringList{"a", "b", "d"}));
    EXPECT_EQ(pages.text(PageTitle), QStringLiteral("d"));
}

TEST_F(TableTest, TextIsCutToItsWidthAndHeldAsSingleByteText)
{
    pages.edit();
    pages.setText(PageTitle, QStringLiteral("0123456789abcdefXYZ"));
    pages.setText(pictureTitle(1), QString::fromUtf8("caf\u00e9 \u20ac"));
    pages.post();
    Table other(logoTableDef());
    other.setDirectory(dir.path());
    other.open();
    EXPECT_EQ(other.text(PageTitle), QStringLiteral("0123456789abcde"));
    EXPECT_EQ(other.text(pictureTitle(1)), QString::fromUtf8("caf\u00e9 ?"));
}

TEST_F(TableTest, PicturesAreStoredByteForByteAndOnlyChangedFieldsAreWritten)
{
    const QByteArray bytes("\x00\x01picture\xff", 11);
    pages.edit();
    pages.setPicture(picture(8), bytes);
    pages.post();
    pages.edit();
    pages.setText(pictureTitle(8), QStringLiteral("t"));
    pages.post();
    Table other(logoTableDef());
    other.setDirectory(dir.path());
    other.open();
    EXPECT_EQ(other.picture(picture(8)), bytes);
    EXPECT_TRUE(other.picture(picture(1)).isNull()) << "a slot without a picture holds NULL";
    EXPECT_EQ(other.text(pictureTitle(8)), QStringLiteral("t"));
}

TEST_F(TableTest, EmptyTableWorksOnAClosedTable)
{
    for (const char* t : {"a", "b"})
        addPage(QString::fromLatin1(t));
    pages.close();
    pages.emptyTable();
    pages.open();
    EXPECT_EQ(pages.rowCount(), 0);
}

TEST_F(TableTest, SingleRowTablesKeepTheirRecord)
{
    Table config(configTableDef());
    config.setDirectory(dir.path());
    config.open();
    ASSERT_EQ(config.rowCount(), 1);
    EXPECT_EQ(config.text(ConfigRecord::ConfigSaved), QStringLiteral("No"));
    EXPECT_EQ(config.text(ConfigRecord::WaitTime), QStringLiteral("300"));
    EXPECT_EQ(config.text(ConfigRecord::ExtraConfigSaved), QStringLiteral("No"));
    config.edit();
    config.setText(ConfigRecord::WaitTime, QStringLiteral("1234"));
    config.post();
    EXPECT_EQ(config.rowCount(), 1);
    EXPECT_EQ(config.text(ConfigRecord::WaitTime), QStringLiteral("123"));

    Table scratch(switchTableDef());
    scratch.setDirectory(dir.path());
    scratch.open();
    EXPECT_EQ(scratch.rowCount(), 1);
    EXPECT_TRUE(scratch.picture(SwitchRecord::TempImage).isNull());
}

TEST_F(TableTest, ControlsHandOverTheirChangesBeforeAPost)
{
    addPage(QStringLiteral("old"));
    QObject::connect(&pages, &Table::updateRecord, [this] {
        if (pages.isEditing() && pages.text(PageTitle) == QLatin1String("old"))
            pages.setText(PageTitle, QStringLiteral("typed"));
    });
    pages.edit();
    pages.post();
    EXPECT_EQ(reopened(), QStringList{"typed"});
}

} // namespace
