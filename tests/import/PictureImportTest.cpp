// A picture chosen with "+" or dropped: the "Make logo" dialog, then the
// usual import of the logo it makes.
#include "ImportFixture.h"

#include "app/Unit1.h"
#include "import/OpenDialog.h"
#include "logo/SprayRules.h"
#include "makelogo/MakeLogoDialog.h"
#include "makelogo/PictureImport.h"
#include "logo/SprayMaker.h"
#include "settings/Unit5.h"
#include "files/FileOps.h"
#include "formats/Wad3.h"
#include "core/WorkingFiles.h"
#include "store/ProgramDir.h"

#include <QComboBox>
#include <atomic>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QThreadPool>
#include <QTest>

using logoimport::OpenDialog;
using makelogo::MakeLogoDialog;

class PictureImport : public ImportFixture {
protected:
    void SetUp() override
    {
        ImportFixture::SetUp();
        addPage(QStringLiteral("Page1"), {QStringLiteral("one"), QString(), QString(), QString()});
        ASSERT_TRUE(start());
        window<TForm5>().setPosition(0);
    }

    // A picture elsewhere: a magenta ground with a green square in the middle.
    QString picture(int w, int h, const QString& name = QStringLiteral("pic.png"))
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(qRgb(255, 0, 255));
        QPainter(&image).fillRect(w / 4, h / 4, w / 2, h / 2, QColor(20, 160, 40));
        const QString path = elsewhere() + QLatin1Char('/') + name;
        EXPECT_TRUE(image.save(path));
        return path;
    }

    static MakeLogoDialog* dialogOf(QWidget* modal)
    {
        auto* dialog = qobject_cast<MakeLogoDialog*>(modal);
        EXPECT_NE(dialog, nullptr) << "expected the Make logo dialog, got " << modal->objectName().toStdString();
        return dialog;
    }
    static void click(MakeLogoDialog* dialog, const char* button)
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }
    static int at(const formats::SprayLevels& spray, int x, int y) { return spray.levels[0][y * spray.width + x]; }

    QStringList wadsInProgramDir() const { return programDirEntries().filter(QStringLiteral(".wad")); }
};

TEST_F(PictureImport, PlusWithAPictureMakesTheLogoAndFillsTheSlot)
{
    OpenDialog::queueChoice(picture(640, 480));
    bool sawDialog = false;
    whenModal([this, &sawDialog](QWidget* modal) {
        MakeLogoDialog* dialog = dialogOf(modal);
        ASSERT_NE(dialog, nullptr);
        sawDialog = true;
        auto* sizes = dialog->findChild<QComboBox*>(QStringLiteral("SizeBox"));
        ASSERT_GT(sizes->count(), 1);
        const logo::Size largest = logo::chooseSize({640, 480});
        EXPECT_EQ(sizes->itemData(0).toSize(), QSize(largest.width, largest.height));
        for (int i = 0; i < sizes->count(); ++i) {
            const QSize size = sizes->itemData(i).toSize();
            EXPECT_TRUE(logo::sizeProblem({size.width(), size.height()}, logo::kDefaultMaxArea).empty());
        }
        sizes->setCurrentIndex(1);
        const QSize chosen = sizes->itemData(1).toSize();
        EXPECT_EQ(dialog->spray().width, chosen.width());
        EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("PreviewActual"))->pixmap().size(), chosen);
        answerPrompt({QStringLiteral("made")});
        click(dialog, "OkButton");
    });
    clickPlus(2);
    ASSERT_TRUE(sawDialog);
    EXPECT_EQ(slotTitle(2), QStringLiteral("made"));
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 2), QStringLiteral("made"));
    EXPECT_EQ(wadsInProgramDir(), QStringList{QStringLiteral("made.wad")});
    const auto wad = files::readAll(store::logoWadPath(QStringLiteral("made")).toStdString(), files::kMaxWadBytes);
    const formats::WadPicture spray = formats::readWadPicture(wad.data(), wad.size());
    EXPECT_EQ(spray.type, formats::kWadMipTexture);
    expectShowsWad(slotImage(2), store::logoWadPath(QStringLiteral("made")));
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

TEST_F(PictureImport, CancelLeavesNoSlotAndNoFile)
{
    OpenDialog::queueChoice(picture(64, 64));
    whenModal([](QWidget* modal) {
        if (MakeLogoDialog* dialog = dialogOf(modal))
            click(dialog, "CancelButton");
    });
    clickPlus(2);
    EXPECT_EQ(promptShowings, 0);
    EXPECT_EQ(slotTitle(2), QString());
    EXPECT_TRUE(wadsInProgramDir().isEmpty());
    EXPECT_TRUE(form().acceptDrops());
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
}

// The logo being made lies in a folder of the import's own in the working
// folder (not among the system's temporary files), where a start finds it
// when a kill leaves it; the folder goes when the import ends.
TEST_F(PictureImport, ADroppedPictureGoesThroughTheDialogToTheFirstFreeSlot)
{
    const QString path = picture(64, 64, QStringLiteral("icon.bmp"));
    const auto madeFolders = [] {
        return QDir(logoimport::workingDir()).entryList({QStringLiteral("made-*")}, QDir::Dirs | QDir::Hidden);
    };
    QStringList madeWhileOpen;
    whenModal([&](QWidget* modal) {
        madeWhileOpen = madeFolders();
        if (MakeLogoDialog* dialog = dialogOf(modal)) {
            answerPrompt({QStringLiteral("dropped")});
            click(dialog, "OkButton");
        }
    });
    drop(urlsOf({path}));
    EXPECT_EQ(slotTitle(2), QStringLiteral("dropped"));
    EXPECT_EQ(wadsInProgramDir(), QStringList{QStringLiteral("dropped.wad")});
    EXPECT_FALSE(importer().DropBusy);
    EXPECT_EQ(madeWhileOpen.size(), 1) << madeWhileOpen.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(madeFolders(), QStringList());
}

// Fit: a picture a little narrower than 2:1 padded at a 2:1 size leaves
// see-through columns at the sides; cropped or stretched it fills them.
// A click on the picture picks the see-through colour.
TEST_F(PictureImport, FitAndPickedColourChangeThePreview)
{
    QImage image(190, 100, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter(&image).fillRect(40, 20, 110, 60, QColor(20, 160, 40));
    MakeLogoDialog dialog(image);
    auto* fit = dialog.findChild<QComboBox*>(QStringLiteral("FitBox"));
    auto* seeThrough = dialog.findChild<QComboBox*>(QStringLiteral("SeeThroughBox"));
    EXPECT_EQ(seeThrough->currentIndex(), 0) << "an opaque picture: none";
    ASSERT_EQ(QSize(dialog.spray().width, dialog.spray().height), QSize(160, 80));
    seeThrough->setCurrentIndex(1);
    EXPECT_EQ(at(dialog.spray(), 0, 32), 255) << "padding";
    fit->setCurrentIndex(fit->findText(QStringLiteral("Crop")));
    EXPECT_NE(at(dialog.spray(), 0, 32), 255);
    fit->setCurrentIndex(fit->findText(QStringLiteral("Stretch")));
    EXPECT_NE(at(dialog.spray(), 0, 32), 255);

    seeThrough->setCurrentIndex(0);
    dialog.show();
    auto* large = dialog.findChild<QLabel*>(QStringLiteral("PreviewLarge"));
    QTest::mouseClick(large, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(seeThrough->currentIndex(), 2);
    EXPECT_EQ(at(dialog.spray(), 0, 0), 255) << "the magenta ground";
    EXPECT_NE(at(dialog.spray(), 64, 32), 255) << "the green middle";
}

// The picture is read off the window's thread: a slow read shows a window
// whose Cancel gives the window back while the read goes on; a failed read
// comes back with its reason.
TEST_F(PictureImport, ASlowPictureCanBeCancelledAndAFailedOneSaysWhy)
{
    QSemaphore release;
    std::atomic<bool> finished{false};
    const makelogo::PictureReader slow = [&](const QString&) {
        release.acquire();
        finished = true;
        return QImage(8, 8, QImage::Format_RGB32);
    };
    QString progressName;
    whenModal([&](QWidget* modal) {
        progressName = modal->objectName();
        if (auto* cancel = modal->findChild<QPushButton*>())
            QTest::mouseClick(cancel, Qt::LeftButton);
    });
    EXPECT_TRUE(makelogo::readPictureAside(&form(), QStringLiteral("slow.jpg"), slow).isNull());
    EXPECT_EQ(progressName, QStringLiteral("PictureProgress"));
    EXPECT_FALSE(finished) << "the window came back while the read was still running";
    release.release();
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_TRUE(finished);

    const makelogo::PictureReader broken = [](const QString&) -> QImage { throw logo::LogoError("no picture in it"); };
    try {
        makelogo::readPictureAside(&form(), QStringLiteral("broken.png"), broken);
        ADD_FAILURE() << "a failed read came back as a picture";
    } catch (const logo::LogoError& e) {
        EXPECT_STREQ(e.what(), "no picture in it");
    }
    const QImage read = makelogo::readPictureAside(&form(), picture(40, 30), [](const QString& path) { return QImage(path); });
    EXPECT_EQ(read.size(), QSize(40, 30));
}
