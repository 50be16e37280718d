// Logos the game would not show: marked in their slots with the reasons,
// installed only after a question, made game-ready from the slot's menu;
// single-colour decals shown in their colour; a WAD of several pictures
// imported by choosing one.
#include "SlotFixture.h"
#include "../formats/Samples.h"

#include "app/TDBImage.h"
#include "core/LogoCheck.h"
#include "formats/SprayCheck.h"
#include "import/OpenDialog.h"
#include "import/PictureChooser.h"
#include "settings/Unit5.h"
#include "store/ProgramDir.h"
#include "store/Records.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace testing_formats;

namespace {

TestPicture sprayPicture(int w, int h, int seed)
{
    TestPicture p = makePicture(w, h, seed);
    p.palette[765] = 0;
    p.palette[766] = 0;
    p.palette[767] = 255;
    return p;
}

QByteArray bytesOf(const Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size())); }

class GameReady : public SlotFixture {
protected:
    void SetUp() override
    {
        SlotFixture::SetUp();
        core::forgetLogoChecks();
        setConfig(store::ConfigRecord::Config, game.path());
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
        addPage("p", {"good", "big", "notlast", "two", "decal"});
        writeFile("good.wad", bytesOf(buildWad({{"{LOGO", 0x43, mipLump(sprayPicture(64, 64, 1))}})));
        writeFile("big.wad", bytesOf(buildWad({{"{LOGO", 0x43, mipLump(sprayPicture(256, 128, 2))}})));
        writeFile("notlast.wad", bytesOf(buildWad({{"{LOGO", 0x43, mipLump(sprayPicture(64, 64, 3))}}, true)));
        writeFile("two.wad", bytesOf(buildWad({{"{LOGO", 0x43, mipLump(sprayPicture(64, 64, 4))},
                                               {"OTHER", 0x43, mipLump(sprayPicture(32, 32, 5))}})));
        TestPicture decal = makePicture(64, 64, 6);
        decal.palette[765] = 200;   // entry 255: the decal's colour, red
        decal.palette[766] = 0;
        decal.palette[767] = 0;
        for (std::size_t i = 0; i < decal.indices.size(); ++i)
            decal.indices[i] = i < decal.indices.size() / 2 ? 0 : 255;   // top see-through, bottom solid
        writeFile("decal.wad", bytesOf(buildWad({{"LOGO", 0x40, mipLump(decal)}})));
    }
    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        SlotFixture::TearDown();
    }
    QMenu* rightClick(int slot)
    {
        QTest::mousePress(image(slot), Qt::RightButton);
        QTest::mouseRelease(image(slot), Qt::RightButton);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }
    formats::SprayReport fileCheck(const QString& title)
    {
        const QByteArray wad = readFile(title + QStringLiteral(".wad"));
        return formats::checkSpray(reinterpret_cast<const std::uint8_t*>(wad.constData()), std::size_t(wad.size()));
    }
    QTemporaryDir game;
};

TEST_F(GameReady, LogosTheGameRefusesAreMarkedWithTheirReasons)
{
    ASSERT_TRUE(start());
    EXPECT_FALSE(image(1)->hasWarning());
    EXPECT_FALSE(image(5)->hasWarning()) << "a decal is a spray the game shows";
    for (int slot : {2, 3, 4})
        EXPECT_TRUE(image(slot)->hasWarning()) << slot;
    EXPECT_TRUE(image(2)->toolTip().contains(QStringLiteral("the game uses sprays of at most 20 KB"))) << image(2)->toolTip().toStdString();
    EXPECT_TRUE(image(4)->toolTip().contains(QStringLiteral("2 pictures"))) << image(4)->toolTip().toStdString();
}

TEST_F(GameReady, AMarkedLogoIsInstalledOnlyAfterTheQuestion)
{
    ASSERT_TRUE(start());
    answer({no()});
    QTest::mouseDClick(image(2), Qt::LeftButton);
    ASSERT_EQ(shown().size(), 1);
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("\"big\" will not show in the game: ")));
    EXPECT_TRUE(shown().first().endsWith(QStringLiteral("Install it anyway?")));
    EXPECT_FALSE(QFile::exists(game.filePath(QStringLiteral("pldecal.wad")))) << "No is the default and installs nothing";
    answer({yes()});
    QTest::mouseDClick(image(2), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(game.filePath(QStringLiteral("pldecal.wad"))));
    QTest::mouseDClick(image(1), Qt::LeftButton);
    EXPECT_EQ(shown().size(), 2) << "a game-ready logo asks nothing";
}

TEST_F(GameReady, MakeGameReadyRemakesEachIntoASprayThatPasses)
{
    ASSERT_TRUE(start());
    EXPECT_EQ(rightClick(1)->findChild<QAction*>(QStringLiteral("MakeGameReady")), nullptr) << "only for marked logos";
    QApplication::activePopupWidget()->close();
    for (int slot : {2, 3, 4}) {
        const QString title = library().slotTitle(slot);
        SCOPED_TRACE(title.toStdString());
        QMenu* menu = rightClick(slot);
        ASSERT_NE(menu, nullptr);
        QAction* fix = menu->findChild<QAction*>(QStringLiteral("MakeGameReady"));
        ASSERT_NE(fix, nullptr);
        fix->trigger();
        menu->close();
        const formats::SprayReport report = fileCheck(title);
        EXPECT_TRUE(report.gameReady()) << (report.problems.empty() ? "" : report.problems.front());
        EXPECT_FALSE(image(slot)->hasWarning());
        EXPECT_EQ(storedTitle("p", slot), title);
    }
    EXPECT_EQ(fileCheck("big").width * 128, fileCheck("big").height * 256) << "the same picture, its aspect kept";
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(GameReady, ADecalShowsInItsColourAndIsSavedSo)
{
    ASSERT_TRUE(start());
    const QImage shownImage = image(5)->image();
    ASSERT_EQ(shownImage.size(), QSize(64, 64));
    const QColor solid = shownImage.pixelColor(10, 50), clear = shownImage.pixelColor(10, 5);
    EXPECT_EQ(solid, QColor(200, 0, 0)) << "the solid half in the decal's colour, not black";
    EXPECT_EQ(clear, image(5)->palette().color(QPalette::Window)) << "the see-through half shows the slot's background";
}

TEST_F(GameReady, AWadOfSeveralPicturesImportsTheChosenOneAsASpray)
{
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    QTemporaryDir elsewhere;
    const QString decals = elsewhere.filePath(QStringLiteral("decals.wad"));
    QFile file(decals);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytesOf(buildWad({{"{HANDI", 0x43, mipLump(sprayPicture(64, 32, 7))},
                                 {"{SMILE", 0x43, mipLump(sprayPicture(32, 32, 8))},
                                 {"{BROKEN", 0x43, mipLump(sprayPicture(24, 24, 9))}})));
    file.close();
    EXPECT_EQ(logoimport::picturesInWad(decals), 3);
    logoimport::OpenDialog::queueChoice(decals);
    bool sawChooser = false;
    whenModal([&](QWidget* modal) {
        auto* chooser = qobject_cast<logoimport::PictureChooser*>(modal);
        ASSERT_NE(chooser, nullptr);
        sawChooser = true;
        auto* list = chooser->findChild<QListWidget*>(QStringLiteral("PictureList"));
        ASSERT_EQ(list->count(), 3);
        list->setCurrentRow(1);
        whenModal([](QWidget* prompt) {
            auto* edit = prompt->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            QTest::keyClicks(edit, QStringLiteral("smile"));
            QTest::mouseClick(prompt->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        QTest::mouseClick(chooser->findChild<QPushButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
    });
    QTest::mouseClick(widget<QPushButton>(QStringLiteral("Button11")), Qt::LeftButton);   // "+" of slot 6
    ASSERT_TRUE(sawChooser);
    EXPECT_EQ(library().slotTitle(6), QStringLiteral("smile"));
    const formats::SprayReport report = fileCheck("smile");
    EXPECT_TRUE(report.gameReady());
    EXPECT_EQ(report.width, 32);
    EXPECT_FALSE(image(6)->hasWarning());
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

} // namespace
