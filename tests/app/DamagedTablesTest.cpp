// Damaged and busy tables: a clear message, no crash, and nothing saved is
// lost or overwritten.
#include "ProgramFixture.h"

#include "app/Unit1.h"
#include "info/Links.h"
#include "store/Records.h"
#include "store/Sqlite.h"
#include "store/Table.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

const QString kDatabaseMessage = QStringLiteral("Install the Database update before you start Tagomat2. Find it at our website ");

struct Damage {
    const char* name;
    QByteArray (*make)(const QByteArray& intact);
};
void PrintTo(const Damage& d, std::ostream* out) { *out << d.name; }

QByteArray zeroLength(const QByteArray&) { return QByteArray(); }
QByteArray truncated(const QByteArray& intact) { return intact.left(intact.size() / 2); }
QByteArray garbage(const QByteArray& intact) { return QByteArray(intact.size(), '\xa5'); }
QByteArray headerOnly(const QByteArray& intact) { return intact.left(100); }

class DamagedTable : public ProgramFixture, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedTable, EndsWithTheDatabaseMessageAndLeavesTheFileAsItWas)
{
    addPage(QStringLiteral("Kept"), {QStringLiteral("logo")});
    // One file, no journal beside it: the damage is all there is.
    {
        store::SqliteDb db;
        db.open(path(QStringLiteral("LogoDB.db")), false);
        db.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    }
    const QByteArray damaged = GetParam().make(readFile(QStringLiteral("LogoDB.db")));
    writeFile(QStringLiteral("LogoDB.db"), damaged);

    EXPECT_FALSE(start());
    EXPECT_EQ(shown(), QStringList{kDatabaseMessage + info::webHost()});
    EXPECT_EQ(readFile(QStringLiteral("LogoDB.db")), damaged) << "the program never repairs or rewrites a table";
}

INSTANTIATE_TEST_SUITE_P(Kinds, DamagedTable,
                         ::testing::Values(Damage{"ZeroLength", zeroLength}, Damage{"Truncated", truncated},
                                           Damage{"Garbage", garbage}, Damage{"HeaderOnly", headerOnly}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DamagedTable, WrongColumnsEndWithTheDatabaseMessage)
{
    QFile::remove(path(QStringLiteral("ConfigDB.db")));
    {
        store::SqliteDb db;
        db.open(path(QStringLiteral("ConfigDB.db")), true);
        db.exec(QStringLiteral("CREATE TABLE ConfigDB (Config TEXT, Something TEXT)"));
        db.exec(QStringLiteral("INSERT INTO ConfigDB VALUES ('x', 'y')"));
    }
    const QByteArray before = readFile(QStringLiteral("ConfigDB.db"));
    EXPECT_FALSE(start());
    EXPECT_EQ(shown(), QStringList{kDatabaseMessage + info::webHost()});
    EXPECT_EQ(readFile(QStringLiteral("ConfigDB.db")), before);
}

class LockedTable : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    }
};

TEST_F(LockedTable, APostWhileAnotherProcessWritesIsReportedAndKept)
{
    addPage(QStringLiteral("Page1"));
    ASSERT_TRUE(start());
    auto* title = widget<QLineEdit>(QStringLiteral("DBEdit9"));
    title->selectAll();
    QTest::keyClicks(title, QStringLiteral("Changed"));

    // Another program holds the write lock of the table file.
    store::SqliteDb other;
    other.open(path(QStringLiteral("LogoDB.db")), false);
    other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
    answer({yes()});
    QTest::mouseClick(widget<QToolButton>(QStringLiteral("ToolButton5")), Qt::LeftButton);

    ASSERT_EQ(shown().size(), 2) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(shown()[0], QStringLiteral("Do you want to save changes?"));
    EXPECT_TRUE(shown()[1].contains(QStringLiteral("locked"))) << shown()[1].toStdString();
    EXPECT_FALSE(shown()[1].contains(QStringLiteral("already exists"))) << "a lock is not a duplicate title";
    EXPECT_TRUE(library().isEditing()) << "the change waits for the next save";
    EXPECT_EQ(title->text(), QStringLiteral("Changed"));

    other.exec(QStringLiteral("ROLLBACK"));
    other.close();
    app::MessageBox::clearShown();
    answer({yes()});
    QTest::mouseClick(widget<QToolButton>(QStringLiteral("ToolButton5")), Qt::LeftButton);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Do you want to save changes?")});
    EXPECT_EQ(storedPageTitles(), QStringList{QStringLiteral("Changed")});
}

} // namespace
