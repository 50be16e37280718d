// The right-click menu of a filled slot and its "Save picture as...".
#include "SlotFixture.h"
#include "SeeThroughPicture.h"

#include "app/TDBImage.h"
#include "import/QuietFileDialog.h"
#include "logo/LogoMaker.h"
#include "slots/SlotMenu.h"
#include "store/ProgramDir.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

class SlotMenu : public SlotFixture {
protected:
    void SetUp() override
    {
        SlotFixture::SetUp();
        addPage("p", {"one", "two", "", "four"});
        // A real logo for "one": red, with a see-through left half.
        const QImage picture = leftHalfSeeThrough(64, 32, qRgb(220, 20, 20));
        logo::LogoOptions options;
        options.size = {64, 32};
        logo::writeLogoWad(store::logoWadPath(QStringLiteral("one")), logo::makeSpray(picture, options));
    }
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        SlotFixture::TearDown();
    }

    static QMenu* openMenu()
    {
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    void rightClick(int slot)
    {
        QTest::mousePress(image(slot), Qt::RightButton);
        QTest::mouseRelease(image(slot), Qt::RightButton);
    }
    // The right button pressed on slot `from`, moved over `via` and released on `to`.
    void rightDrag(int from, std::initializer_list<int> via, int to)
    {
        QTest::mousePress(image(from), Qt::RightButton);
        for (int slot : via)
            QTest::mouseMove(image(slot));
        QTest::mouseRelease(image(to), Qt::RightButton);
    }
    // "Save picture as..." from the slot's menu; the save dialog answers
    // `target` when one is given, else it runs.
    void savePictureOf(int slot, const QString& target = {})
    {
        rightClick(slot);
        ASSERT_NE(openMenu(), nullptr);
        if (!target.isEmpty())
            slotedit::queueSavePath(target);
        openMenu()->actions().first()->trigger();
    }
    QTemporaryDir out;
};

// The picture is written with its see-through parts; an existing picture is
// replaced only after our own question, whose default is No; a logo file of
// the library is never a target.
TEST_F(SlotMenu, SavePictureAsWritesTheLogoAsksBeforeReplacingAndKeepsTheLibrarysLogos)
{
    ASSERT_TRUE(start());
    rightClick(1);
    QMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("Save picture as..."));
    menu->close();
    const QString png = out.filePath(QStringLiteral("one.png"));
    savePictureOf(1, png);
    const QImage saved(png);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(64, 32));
    EXPECT_EQ(qAlpha(saved.pixel(5, 5)), 0);
    EXPECT_EQ(qAlpha(saved.pixel(50, 5)), 255);
    EXPECT_GT(qRed(saved.pixel(50, 5)), 180);
    EXPECT_TRUE(shown().isEmpty());

    {
        QFile old(png);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old picture");
    }
    answer({no()});
    savePictureOf(1, png);
    ASSERT_EQ(app::MessageBox::shown().size(), 1);
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Confirm);
    EXPECT_EQ(app::MessageBox::shown().first().defaultAnswer, no());
    EXPECT_TRUE(shown().first().contains(QStringLiteral("already exists"))) << shown().first().toStdString();
    QFile kept(png);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old picture"));
    kept.close();

    app::MessageBox::clearShown();
    answer({yes()});
    savePictureOf(1, png);
    EXPECT_EQ(QImage(png).size(), QSize(64, 32));

    const QByteArray logo = readFile(QStringLiteral("one.wad"));
    for (const QString& name : {QStringLiteral("one.wad"), QStringLiteral("two.WAD")}) {
        SCOPED_TRACE(name.toStdString());
        app::MessageBox::clearShown();
        savePictureOf(1, path(name));
        ASSERT_EQ(shown().size(), 1);
        EXPECT_TRUE(shown().first().contains(QStringLiteral("where the library keeps a logo"))) << shown().first().toStdString();
    }
    EXPECT_EQ(readFile(QStringLiteral("one.wad")), logo);
    EXPECT_FALSE(fileExists(QStringLiteral("two.WAD")));

    app::MessageBox::clearShown();
    savePictureOf(2, out.filePath(QStringLiteral("two.png")));   // "two" has no logo wad file
    EXPECT_EQ(shown().size(), 1) << "an unreadable logo is reported";
    EXPECT_FALSE(QFile::exists(out.filePath(QStringLiteral("two.png"))));
}

TEST_F(SlotMenu, OnlyAPressAndReleaseOnOneFilledSlotOpensIt)
{
    ASSERT_TRUE(start());
    rightClick(3); // empty
    EXPECT_EQ(openMenu(), nullptr);
    rightDrag(1, {2, 1}, 1);   // over another slot and back: an exchange with itself, no menu
    EXPECT_EQ(openMenu(), nullptr);
    EXPECT_EQ(title(1), QStringLiteral("one"));
    rightDrag(1, {2}, 2);   // the exchange itself still works
    EXPECT_EQ(openMenu(), nullptr);
    EXPECT_EQ(title(1), QStringLiteral("two"));
    EXPECT_EQ(title(2), QStringLiteral("one"));
}

// The save dialog lists no table file and reads none (its icons come from
// the kind of entry alone); a table file as the target is refused, under
// its own name or through a link, and the table stays as it was.
TEST_F(SlotMenu, SavePictureAsKeepsOffTheTableFiles)
{
    writeFile(QStringLiteral("shown.png"), QByteArray("not read"));
    ASSERT_TRUE(start());
    const QByteArray table = readFile(QStringLiteral("LogoDB.db"));
    bool checked = false;
    whenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_NE(dynamic_cast<logoimport::PlainIconProvider*>(dialog->iconProvider()), nullptr);
        EXPECT_NE(dialog->proxyModel(), nullptr);   // the one that hides the table files
        dialog->setDirectory(dir());
        auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"));
        ASSERT_NE(view, nullptr);
        auto names = [view] {
            QStringList listed;
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                listed << view->model()->index(row, 0, view->rootIndex()).data().toString();
            return listed;
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return names().contains(QStringLiteral("shown.png")); }, 10000));
        EXPECT_FALSE(names().contains(QStringLiteral("LogoDB.db")));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->clear();
        QTest::keyClicks(name, QStringLiteral("LogoDB.db-journal"));
        checked = true;
        QTest::keyClick(name, Qt::Key_Return);
    });
    savePictureOf(1);
    ASSERT_TRUE(checked);
    EXPECT_FALSE(fileExists(QStringLiteral("LogoDB.db-journal")));
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().contains(QStringLiteral("is one of the program's tables"))) << shown().first().toStdString();

    const QString wad = store::logoWadPath(QStringLiteral("one"));
    const QString link = out.filePath(QStringLiteral("link.png"));
    ASSERT_TRUE(QFile::link(path(QStringLiteral("LogoDB.db")), link));
    for (const QString& target : {path(QStringLiteral("LogoDB.db")), path(QStringLiteral("logodb.DB-WAL")), link})
        EXPECT_FALSE(slotedit::savePictureAs(wad, target).isEmpty()) << target.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("LogoDB.db")), table);
    EXPECT_TRUE(slotedit::savePictureAs(wad, out.filePath(QStringLiteral("fine.png"))).isEmpty());
}
