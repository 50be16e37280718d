// A library kept in Paradox tables: converted at start when the user agrees,
// or merged into this one with "Import library...".
#include "ProgramFixture.h"
#include "ParadoxWriter.h"

#include "app/Unit1.h"
#include "import/OpenDialog.h"
#include "info/Links.h"
#include "store/ParadoxConversion.h"
#include "store/Records.h"

#include <QAction>
#include <QDir>
#include <QTemporaryDir>

namespace {

const QString kDatabaseMessage = QStringLiteral("Install the Database update before you start Tagomat2. Find it at our website ");

class ParadoxLibrary : public ProgramFixture {
protected:
    // A Paradox library of two pages in `folder`, with the logo file of its one logo.
    static void writeParadox(const QString& folder)
    {
        const QVector<QVector<QByteArray>> pages{paradoxtest::pageRow("Caf\xe9", {{"wolf", colourPicture(1)}}),
                                                 paradoxtest::pageRow("Second", {})};
        paradoxtest::writeLibrary(folder, pages, {"/games/hl/cstrike", "Yes", "300", "", "No"}, {QByteArray(), "", ""});
        QFile logo(folder + QStringLiteral("/wolf.wad"));
        ASSERT_TRUE(logo.open(QIODevice::WriteOnly));
        logo.write("wolf logo");
    }
    void replaceTablesWithParadox()
    {
        for (const char* name : {"LogoDB.db", "ConfigDB.db", "SwitchDB.db"})
            ASSERT_TRUE(QFile::remove(path(QLatin1String(name))));
        writeParadox(dir());
    }
};

TEST_F(ParadoxLibrary, StartConvertsTheTablesWhenTheUserAgrees)
{
    replaceTablesWithParadox();
    answer({yes()});
    ASSERT_TRUE(start());
    ASSERT_FALSE(shown().isEmpty());
    EXPECT_EQ(shown().first(), QString::fromUtf8(store::kConvertQuestion));
    EXPECT_TRUE(shown().at(1).startsWith(QStringLiteral("The library was converted: 2 pages."))) << shown().at(1).toStdString();
    EXPECT_EQ(storedPageTitles(), (QStringList{QStringLiteral("Caf\u00e9"), QStringLiteral("Second")}));
    EXPECT_EQ(library().slotTitle(1), QStringLiteral("wolf"));
    EXPECT_EQ(settings().savedGameLocation(), QStringLiteral("/games/hl/cstrike"));
    EXPECT_TRUE(QDir(path(QStringLiteral("old-tables"))).exists(QStringLiteral("LogoDB.db")));
}

TEST_F(ParadoxLibrary, StartWithoutConvertingEndsWithTheDatabaseMessage)
{
    replaceTablesWithParadox();
    const QByteArray paradox = readFile(QStringLiteral("LogoDB.db"));
    answer({no()});
    EXPECT_FALSE(start());
    EXPECT_EQ(shown().last(), kDatabaseMessage + info::webHost()) << shown().last().toStdString();
    EXPECT_EQ(readFile(QStringLiteral("LogoDB.db")), paradox) << "the old table is left as it was";
}

TEST_F(ParadoxLibrary, ImportLibraryAddsItsPagesAndLogosBesideTheOwnOnes)
{
    addPage(QStringLiteral("Second"), {QStringLiteral("wolf")});
    writeFile(QStringLiteral("wolf.wad"), "my own wolf");
    setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    QTemporaryDir other;
    writeParadox(other.path());
    ASSERT_TRUE(start());
    logoimport::OpenDialog::queueChoice(other.path());
    form().findChild<QAction*>(QStringLiteral("ImportLibrary1"))->trigger();
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("2 pages were imported"))) << shown().first().toStdString();
    EXPECT_EQ(storedPageTitles().size(), 3);
    EXPECT_TRUE(storedPageTitles().contains(QStringLiteral("Second 2")));
    EXPECT_EQ(readFile(QStringLiteral("wolf.wad")), QByteArray("my own wolf")) << "nothing overwritten";
    EXPECT_EQ(readFile(QStringLiteral("wolf_2.wad")), QByteArray("wolf logo"));
}

} // namespace
