// A title longer than its field or a picture over 4 MiB is damage: the slot
// shows empty with the reason, its value is never read, and the slot can
// only be emptied.
#include "ProgramFixture.h"

#include "app/TDBEdit.h"
#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "core/Library.h"
#include "store/Records.h"
#include "store/Sqlite.h"

#include <QPushButton>
#include <QTest>

namespace {

class OversizedFields : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));   // no first-start window
        addPage(QStringLiteral("Big"), {QStringLiteral("wolf"), QStringLiteral("bear"), QStringLiteral("fox")});
        addPage(QStringLiteral("Other"), {QStringLiteral("owl")});
        store::SqliteDb db;
        db.open(path(QStringLiteral("LogoDB.db")), false);
        // Slot 2's picture one byte over the limit, slot 3's title one
        // character over its width, and a page title of a megabyte.
        db.exec(QStringLiteral("UPDATE LogoDB SET \"Picture 2\" = zeroblob(%1), \"Picture 3 Title\" = '%2' "
                               "WHERE \"Page Title\" = 'Big'")
                    .arg(4 * 1024 * 1024 + 1)
                    .arg(QString(store::LogoPage::kTitleWidth + 1, QLatin1Char('t'))));
        db.exec(QStringLiteral("UPDATE LogoDB SET \"Page Title\" = '%1' WHERE \"Page Title\" = 'Other'")
                    .arg(QString(1024 * 1024, QLatin1Char('p'))));
    }
    TDBImage* picture(int slot) { return widget<TDBImage>(QStringLiteral("DBImage%1").arg(slot)); }
    TDBEdit* title(int slot) { return widget<TDBEdit>(QStringLiteral("DBEdit%1").arg(slot)); }
    qint64 storedLength(const QString& field)
    {
        store::SqliteDb db;
        db.open(path(QStringLiteral("LogoDB.db")), false);
        store::SqliteStmt select(db, QStringLiteral("SELECT length(\"%1\") FROM LogoDB WHERE \"Page Title\" = 'Big'").arg(field));
        return select.step() ? select.columnInt(0) : -1;
    }
};

TEST_F(OversizedFields, ADamagedSlotShowsEmptyWithItsReasonAndCanOnlyBeEmptied)
{
    ASSERT_TRUE(start());
    ASSERT_TRUE(library().goToPage(QStringLiteral("Big")));

    // Slot 2 keeps its sound title; its picture is not read.
    EXPECT_EQ(title(2)->text(), QStringLiteral("bear"));
    EXPECT_TRUE(library().slotPicture(2).isEmpty());
    EXPECT_TRUE(picture(2)->image().isNull());
    EXPECT_TRUE(picture(2)->toolTip().contains(QStringLiteral("damaged picture: larger than 4 MiB")))
        << picture(2)->toolTip().toStdString();
    EXPECT_EQ(title(3)->text(), QString());
    EXPECT_TRUE(picture(3)->toolTip().contains(QStringLiteral("damaged title: longer than 15 characters")))
        << picture(3)->toolTip().toStdString();
    EXPECT_FALSE(picture(1)->image().isNull()) << "the sound slots show as before";
    EXPECT_EQ(picture(1)->toolTip(), QStringLiteral("Double click to install, right click to drag."));

    // Installing and renaming refuse, naming the damage.
    QTest::mouseDClick(picture(3), Qt::LeftButton);
    QTest::mouseClick(title(2), Qt::LeftButton);
    ASSERT_EQ(shown().size(), 2) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown()[0].startsWith(QStringLiteral("The logo in slot 3 cannot be installed (damaged title: longer than "
                                                     "15 characters).")))
        << shown()[0].toStdString();
    EXPECT_TRUE(shown()[1].startsWith(QStringLiteral("The logo in slot 2 cannot be renamed (damaged picture: larger than 4 MiB).")))
        << shown()[1].toStdString();

    // Emptying works and overwrites the damage: Delete on the slot whose
    // title shows empty, "-" on the other.
    answer({yes(), no()});
    picture(3)->setFocus();
    QTest::keyClick(picture(3), Qt::Key_Delete);
    answer({yes(), no()});
    QTest::mouseClick(widget<QPushButton>(QStringLiteral("Button4")), Qt::LeftButton);
    library().save();
    EXPECT_LE(storedLength(QStringLiteral("Picture 2")), 4 * 1024 * 1024);
    EXPECT_EQ(storedLength(QStringLiteral("Picture 2 Title")), 0);
    EXPECT_EQ(storedLength(QStringLiteral("Picture 3 Title")), 0);
    EXPECT_EQ(storedLength(QStringLiteral("Picture 1 Title")), 4) << "the other slots are left alone";
    EXPECT_TRUE(library().slotDamage(2).isEmpty());
    EXPECT_TRUE(library().slotDamage(3).isEmpty());
    EXPECT_EQ(picture(3)->toolTip(), QStringLiteral("Double click to install, right click to drag."));
}

TEST_F(OversizedFields, APageTitleOverItsWidthIsListedEmptyAndNeverRead)
{
    ASSERT_TRUE(start());
    QStringList keys;
    for (int line = 0; line < library().pageCount(); ++line)
        keys << library().listKey(line);
    EXPECT_EQ(keys, (QStringList{QStringLiteral("Big"), QString()})) << "in the order of the stored titles";
    library().last();
    EXPECT_TRUE(library().pageTitleDamaged());
    EXPECT_EQ(library().pageTitle(), QString());
    EXPECT_EQ(title(9)->text(), QString());
    EXPECT_TRUE(title(9)->toolTip().contains(QStringLiteral("damaged: longer than 15 characters")))
        << title(9)->toolTip().toStdString();
    library().first();
    EXPECT_EQ(title(9)->toolTip(), QStringLiteral("Enter pagename."));
    EXPECT_TRUE(library().find(QStringLiteral("ttt"), 10).isEmpty()) << "a damaged title is not searched";
    EXPECT_TRUE(library().find(QStringLiteral("ppp"), 10).isEmpty()) << "nor a damaged page title";
    EXPECT_EQ(library().find(QStringLiteral("bear"), 10).size(), 1);
    const QStringList titles = library().storedSlotTitles();
    EXPECT_EQ(titles.size(), 16);
    EXPECT_TRUE(titles.contains(QStringLiteral("fox")) == false && titles.contains(QStringLiteral("owl")))
        << "the title over its width is read as empty: " << titles.join(QLatin1Char(',')).toStdString();
}

} // namespace
