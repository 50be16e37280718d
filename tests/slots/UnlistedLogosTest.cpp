// "Logos not in the library...": logo files no slot names are listed with
// their pictures, go into the free slot of the current page, or are deleted
// after a question.
#include "SlotFixture.h"

#include "app/Unit1.h"
#include "core/LogoPicture.h"
#include "slots/UnlistedLogos.h"
#include "store/PictureField.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

class UnlistedLogos : public SlotFixture {
protected:
    void SetUp() override
    {
        SlotFixture::SetUp();
        addPageWithFiles("p", {"shown", "", "third"});
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAGOMAT_FIXTURES_DIR "/spray-a.wad"), path(QStringLiteral("lost.wad"))));
        writeFile("broken.wad", "no logo in here");
    }
    // Opens the window from the File menu and runs `steps` in it.
    void inWindow(const std::function<void(slotedit::UnlistedLogos&, QListWidget*)>& steps)
    {
        bool ran = false;
        whenModal([&](QWidget* modal) {
            auto* window = qobject_cast<slotedit::UnlistedLogos*>(modal);
            ASSERT_NE(window, nullptr) << modal->objectName().toStdString();
            ran = true;
            steps(*window, window->findChild<QListWidget*>(QStringLiteral("LogoList")));
            window->close();
        });
        widget<QAction>("UnlistedLogos1")->trigger();
        EXPECT_TRUE(ran);
    }
    static QStringList titles(QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    static void choose(QListWidget* list, const QString& title)
    {
        const QList<QListWidgetItem*> found = list->findItems(title, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << title.toStdString();
        list->setCurrentItem(found.first());
    }
};

TEST_F(UnlistedLogos, AreListedWithTheirPicturesGoIntoAFreeSlotAndAreDeletedOnlyOnYes)
{
    ASSERT_TRUE(start());
    inWindow([&](slotedit::UnlistedLogos& window, QListWidget* list) {
        EXPECT_EQ(titles(list), (QStringList{"broken", "lost"})) << "only files no slot names";
        EXPECT_TRUE(list->item(1)->data(Qt::UserRole + 1).toBool()) << "lost.wad shows its picture";
        EXPECT_FALSE(list->item(0)->data(Qt::UserRole + 1).toBool()) << "a damaged file is listed without one";
        choose(list, QStringLiteral("lost"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("PutButton")), Qt::LeftButton);
        EXPECT_EQ(titles(list), QStringList{"broken"});
    });
    EXPECT_EQ(title(2), QStringLiteral("lost"));
    EXPECT_EQ(field(2), store::pictureFromImage(core::logoPicture(path(QStringLiteral("lost.wad")))));
    EXPECT_TRUE(library().UnsavedChanges());
    EXPECT_EQ(library().unlistedLogos(), QStringList{"broken"});

    // A full page takes none; a file goes only on Yes to its question.
    for (int n = 4; n <= 8; ++n)
        library().setSlot(n, QStringLiteral("x%1").arg(n), colourPicture(n));
    writeFile("other.wad", "x");
    app::MessageBox::clearShown();
    inWindow([&](slotedit::UnlistedLogos& window, QListWidget* list) {
        choose(list, QStringLiteral("other"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("PutButton")), Qt::LeftButton);
        auto* remove = window.findChild<QPushButton*>(QStringLiteral("DeleteButton"));
        answer({no()});
        QTest::mouseClick(remove, Qt::LeftButton);
        choose(list, QStringLiteral("broken"));
        answer({yes()});
        QTest::mouseClick(remove, Qt::LeftButton);
        EXPECT_EQ(titles(list), QStringList{"other"});
    });
    ASSERT_EQ(shown().size(), 3);
    EXPECT_TRUE(shown()[0].startsWith(QStringLiteral("This page has no free slot.")));
    EXPECT_EQ(app::MessageBox::shown()[1].defaultAnswer, no());
    EXPECT_TRUE(shown()[2].contains(path(QStringLiteral("broken.wad"))));
    EXPECT_TRUE(fileExists("other.wad"));
    EXPECT_FALSE(fileExists("broken.wad"));
    EXPECT_TRUE(fileExists("shown.wad"));
}

} // namespace
