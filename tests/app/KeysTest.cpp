// The keys of the main window: the menu keys, the selected slot with its
// frame, the arrows and page keys, Delete, Enter, F2, Ctrl+Z and Tab.
#include "ProgramFixture.h"

#include "app/PageList.h"
#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "slots/Unit9.h"
#include "store/Records.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace store::ConfigRecord;

namespace {

class Keys : public ProgramFixture {
protected:
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(ConfigSaved, QStringLiteral("Yes"));   // no first-start window
        setConfig(ExtraConfigSaved, QStringLiteral("Yes"));
    }
    TDBImage* picture(int slot) { return widget<TDBImage>(QStringLiteral("DBImage%1").arg(slot)); }
    void press(QWidget* on, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(on, key, modifiers);
    }
    int selected() { return form().selectedSlot(); }
    QStringList framed()
    {
        QStringList frames;
        for (int n = 1; n <= 8; ++n)
            if (picture(n)->isSelected())
                frames << QString::number(n);
        return frames;
    }
    QAction* action(const char* name) { return widget<QAction>(QLatin1String(name)); }
};

TEST_F(Keys, TheMenusShowTheirKeysAndKeepTheirOrder)
{
    ASSERT_TRUE(start());
    const std::pair<const char*, QString> keys[] = {
        {"Save1", "Ctrl+S"}, {"Exit1", "Ctrl+Q"}, {"Refreshpages1", "F5"}, {"UserGuide1", "F1"},
        {"RenameLogo1", "F2"}, {"Undo1", "Ctrl+Z"}};
    for (const auto& [name, key] : keys)
        EXPECT_EQ(action(name)->shortcut(), QKeySequence(key)) << name;
    // Keys the slot pictures take themselves are written beside the item.
    for (const auto& [name, key] : {std::pair<const char*, QString>{"EmptySlot1", "\tDel"}, {"InstallLogo1", "\tEnter"},
                                    {"PriorPage1", "\tPgUp"}, {"NextPage1", "\tPgDown"}})
        EXPECT_TRUE(action(name)->text().endsWith(key)) << name;

    QStringList file;
    for (QAction* a : widget<QMenu>("File1")->actions())
        file << a->objectName();
    EXPECT_EQ(file, (QStringList{"Cancel1", "Save1", "ImportFolder1", "ImportLibrary1", "UnlistedLogos1", "Exit1"}));
    EXPECT_FALSE(form().windowIcon().isNull()) << "the program's icon";

    // Ctrl+Q asks, and No keeps the window.
    press(&form(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Press \"Yes\" to exit.")});
    EXPECT_TRUE(form().isVisible());
}

TEST_F(Keys, ArrowsMoveTheFramedSlotPageKeysMovePagesAndTabLeavesThePageList)
{
    addPage("a", {"one"});
    addPage("b");
    ASSERT_TRUE(start());
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(framed(), QStringList{"1"});
    // Each key pressed on the framed slot, and the slot framed after it;
    // the slots are two rows of four, and the edges stop the frame.
    const std::pair<Qt::Key, int> moves[] = {{Qt::Key_Right, 2}, {Qt::Key_Down, 6}, {Qt::Key_Down, 6}, {Qt::Key_Left, 5},
                                             {Qt::Key_Left, 5},  {Qt::Key_Left, 5}, {Qt::Key_Up, 1}};
    for (const auto& [key, slot] : moves) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        press(picture(selected()), key);
        EXPECT_EQ(selected(), slot);
        EXPECT_EQ(framed(), QStringList{QString::number(slot)});
        EXPECT_TRUE(picture(slot)->hasFocus());
    }

    QTest::mouseClick(picture(3), Qt::LeftButton);
    EXPECT_EQ(framed(), QStringList{"3"}) << "a click selects";

    press(picture(3), Qt::Key_PageDown);
    EXPECT_EQ(library().pageTitle(), QStringLiteral("b"));
    press(picture(3), Qt::Key_PageUp);
    EXPECT_EQ(library().pageTitle(), QStringLiteral("a"));

    auto* grid = widget<TDBGrid>("DBGrid1");
    grid->setFocus();
    press(grid, Qt::Key_Tab);
    EXPECT_FALSE(grid->hasFocus()) << "Tab goes on, not to the next page";
    EXPECT_EQ(library().pageTitle(), QStringLiteral("a"));
}

TEST_F(Keys, DeleteEmptiesTheSelectedSlotAndCtrlZBringsItBackUntilSaved)
{
    addPageWithFiles("a", {"one", "two"});
    ASSERT_TRUE(start());
    press(picture(1), Qt::Key_Right);
    answer({yes(), no()});
    press(picture(2), Qt::Key_Delete);
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("This will delete the picture in Tagomat. Are you sure?"),
                                    QStringLiteral("Do you want to delete the wad file of the logo? (cannot be undone!)")}));
    EXPECT_EQ(library().slotTitle(2), QString());
    EXPECT_EQ(library().slotTitle(1), QStringLiteral("one"));

    press(&form(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(library().slotTitle(2), QStringLiteral("two"));

    app::MessageBox::clearShown();
    press(picture(2), Qt::Key_Delete);   // answered No: nothing happens
    EXPECT_EQ(library().slotTitle(2), QStringLiteral("two"));

    answer({yes(), no()});
    press(picture(2), Qt::Key_Delete);
    answer({yes()});
    press(&form(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(library().UnsavedChanges());
    press(&form(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(library().slotTitle(2), QString()) << "saved changes stay";
    EXPECT_TRUE(fileExists("two.wad"));
}

TEST_F(Keys, F2RenamesTheSelectedLogoAndEnterInstallsIt)
{
    QTemporaryDir game;
    ASSERT_TRUE(QFile(game.filePath(QStringLiteral("liblist.gam"))).open(QIODevice::WriteOnly));
    addPage("a", {"one", "two"});
    writeFile("one.wad", "1");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAGOMAT_FIXTURES_DIR "/spray-a.wad"), path(QStringLiteral("two.wad"))));
    setConfig(Config, game.path());
    ASSERT_TRUE(start());
    press(picture(1), Qt::Key_Right);

    QString offered;
    whenModal([&](QWidget* modal) {
        if (auto* rename = qobject_cast<TForm9*>(modal))
            offered = rename->Edit1->text();
        modal->close();
    });
    press(&form(), Qt::Key_F2);
    EXPECT_EQ(offered, QStringLiteral("two"));
    EXPECT_EQ(form().RenameTarget, 2);

    picture(2)->setFocus();
    press(picture(2), Qt::Key_Return);
    QFile installed(game.filePath(QStringLiteral("pldecal.wad")));
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly)) << "Enter installs the selected logo " << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(installed.readAll(), readFile(QStringLiteral("two.wad")));
}

} // namespace
