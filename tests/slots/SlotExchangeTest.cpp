// Exchanging two slots by dragging one picture onto another with the right
// mouse button.
#include "SlotFixture.h"

#include "app/PageList.h"
#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using store::SwitchRecord::TempImage;
using store::SwitchRecord::TempImageTitle;

namespace {

class SlotExchange : public SlotFixture {
protected:
    void SetUp() override
    {
        SlotFixture::SetUp();
        addPage("p", {"one", "two", "three", "four", "five", "six", "seven", "eight"});
        for (const char* t : {"one", "two", "three", "four", "five", "six", "seven", "eight"})
            writeFile(QLatin1String(t) + ".wad", QByteArray("logo ") + t);
    }

    // Right-button press on `from`, a move over `to`, and the release there.
    void rightDrag(QWidget* from, QWidget* to)
    {
        QTest::mousePress(from, Qt::RightButton);
        QTest::mouseMove(to);
        QTest::mouseRelease(to, Qt::RightButton);
    }

    struct Slot {
        QString title;
        QByteArray picture;
        bool operator==(const Slot& o) const { return title == o.title && picture == o.picture; }
    };
    Slot slot(int n) { return {title(n), field(n)}; }
    QList<Slot> allSlots()
    {
        QList<Slot> all;
        for (int n = 1; n <= 8; ++n)
            all << slot(n);
        return all;
    }
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> all;
        for (const QString& name : QDir(dir()).entryList({QStringLiteral("*.wad")}, QDir::Files))
            all[name] = readFile(name);
        return all;
    }
};

TEST_F(SlotExchange, DraggingTwoOntoSevenExchangesPictureAndTitleByteForByte)
{
    ASSERT_TRUE(start());
    const Slot two = slot(2), seven = slot(7);
    const auto filesBefore = files();
    rightDrag(image(2), image(7));
    EXPECT_EQ(slot(7), two);
    EXPECT_EQ(slot(2), seven);
    EXPECT_EQ(image(7)->image(), store::pictureImage(two.picture)) << "the pictures show the exchange at once";
    EXPECT_EQ(image(2)->image(), store::pictureImage(seven.picture));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_EQ(files(), filesBefore) << "no logo wad file changes";
    EXPECT_TRUE(library().isScratchPending());
    EXPECT_EQ(library().scratchPicture(), seven.picture) << "the scratch record holds the target's former content";
    EXPECT_EQ(library().scratchTitle(), seven.title);
    EXPECT_EQ(storedTitle("p", 7), QStringLiteral("seven")) << "the drop posts nothing";
    EXPECT_TRUE(shown().isEmpty());
}

TEST_F(SlotExchange, EveryOrderedPairExchangesOnlyItsTwoSlots)
{
    ASSERT_TRUE(start());
    for (auto [s, t] : {std::pair{1, 8}, {8, 1}, {3, 4}, {5, 2}, {6, 3}}) {
        SCOPED_TRACE(QStringLiteral("%1 onto %2").arg(s).arg(t).toStdString());
        QList<Slot> expected = allSlots();
        std::swap(expected[s - 1], expected[t - 1]);
        rightDrag(image(s), image(t));
        EXPECT_EQ(allSlots(), expected);
    }
}

TEST_F(SlotExchange, ALogoDraggedOntoAnEmptySlotMovesThere)
{
    addPage("q", {"ab"});
    ASSERT_TRUE(start());
    widget<TDBGrid>("DBGrid1")->setCurrentIndex(widget<TDBGrid>("DBGrid1")->model()->index(1, 0));
    ASSERT_EQ(library().pageTitle(), QStringLiteral("q"));
    const Slot ab = slot(1);
    rightDrag(image(1), image(5));
    EXPECT_EQ(slot(5), ab);
    EXPECT_EQ(slot(1), (Slot{QString(), QByteArray()}));
    EXPECT_TRUE(image(1)->image().isNull());
}

TEST_F(SlotExchange, AClearedSlotGivesTheBlankPictureItShows)
{
    ASSERT_TRUE(start());
    answer({yes(), no()});
    QTest::mouseClick(minus(4), Qt::LeftButton);
    const Slot cleared = slot(4);
    ASSERT_EQ(store::pictureImage(cleared.picture), blankImage());
    const Slot one = slot(1);
    rightDrag(image(1), image(4));
    EXPECT_EQ(slot(4), one);
    EXPECT_EQ(slot(1), cleared) << "the empty title travels with the blank picture";
    EXPECT_EQ(image(1)->image(), blankImage());
}

TEST_F(SlotExchange, ASlotDroppedOnItselfChangesNothingVisible)
{
    ASSERT_TRUE(start());
    const QList<Slot> before = allSlots();
    rightDrag(image(3), image(3));
    EXPECT_EQ(allSlots(), before);
    EXPECT_FALSE(library().UnsavedChanges());
    EXPECT_TRUE(library().isEditing());
    EXPECT_TRUE(library().isScratchPending());
    EXPECT_EQ(library().scratchTitle(), QStringLiteral("three"));
    library().setUnsavedChanges(true);
    rightDrag(image(3), image(3));
    EXPECT_TRUE(library().UnsavedChanges()) << "the flag keeps its value";
}

TEST_F(SlotExchange, ADragReleasedAnywhereButOnAPictureChangesNothing)
{
    ASSERT_TRUE(start());
    const QList<Slot> before = allSlots();
    for (QWidget* elsewhere : {static_cast<QWidget*>(widget<TDBGrid>("DBGrid1")), static_cast<QWidget*>(minus(7)),
                               static_cast<QWidget*>(titleEdit(7)), static_cast<QWidget*>(widget<QWidget>("ToolBar1"))}) {
        SCOPED_TRACE(elsewhere->objectName().toStdString());
        rightDrag(image(2), elsewhere);
        EXPECT_EQ(allSlots(), before);
        EXPECT_FALSE(library().UnsavedChanges());
        EXPECT_FALSE(library().isEditing());
        EXPECT_TRUE(shown().isEmpty());
    }
    // The drag is over: a later release on a picture drops nothing.
    QTest::mouseRelease(image(7), Qt::RightButton);
    EXPECT_EQ(allSlots(), before);
}

TEST_F(SlotExchange, EscapeEndsTheDragWithoutADrop)
{
    ASSERT_TRUE(start());
    const QList<Slot> before = allSlots();
    QTest::mousePress(image(2), Qt::RightButton);
    QTest::mouseMove(image(7));
    QTest::keyClick(image(2), Qt::Key_Escape);
    QTest::mouseRelease(image(7), Qt::RightButton);
    EXPECT_EQ(allSlots(), before);
    EXPECT_FALSE(library().UnsavedChanges());
    EXPECT_FALSE(library().isEditing());
}

TEST_F(SlotExchange, ALeftButtonDragDoesNothing)
{
    ASSERT_TRUE(start());
    const QList<Slot> before = allSlots();
    QTest::mousePress(image(2), Qt::LeftButton);
    QTest::mouseMove(image(7));
    QTest::mouseRelease(image(7), Qt::LeftButton);
    EXPECT_EQ(allSlots(), before);
    EXPECT_FALSE(library().UnsavedChanges());
    EXPECT_FALSE(library().isEditing());
}

TEST_F(SlotExchange, CancelRestoresBothSlots)
{
    ASSERT_TRUE(start());
    const QList<Slot> before = allSlots();
    rightDrag(image(2), image(7));
    ASSERT_NE(allSlots(), before);
    cancelChanges();
    EXPECT_EQ(allSlots(), before);
}

TEST_F(SlotExchange, TheWindowSystemsMouseGrabEndsTheDragOverTheTarget)
{
    // A real press captures the mouse: the release goes to the pressed
    // picture, at a point that lies over the target.
    ASSERT_TRUE(start());
    QWindow* window = form().windowHandle();
    ASSERT_NE(window, nullptr);
    auto at = [&](QWidget* w) { return w->mapTo(&form(), w->rect().center()); };
    const Slot two = slot(2), six = slot(6);
    QTest::mousePress(window, Qt::RightButton, {}, at(image(2)));
    QTest::mouseMove(window, at(image(6)));
    QTest::mouseRelease(window, Qt::RightButton, {}, at(image(6)));
    EXPECT_EQ(slot(6), two);
    EXPECT_EQ(slot(2), six);

    QTest::mousePress(window, Qt::RightButton, {}, at(image(6)));
    QTest::mouseMove(window, at(widget<TDBGrid>("DBGrid1")));
    QTest::mouseRelease(window, Qt::RightButton, {}, at(widget<TDBGrid>("DBGrid1")));
    EXPECT_EQ(slot(6), two) << "released over the page list: nothing";
}

} // namespace
