// Every window and dialog shows its whole text: each is opened (the settings
// dialogs also with their help shown) and walked by the text fit check. The
// suite runs again at the scales 1.5 and 2
// (see tests/CMakeLists.txt).
#include "ProgramFixture.h"
#include "TextFit.h"

#include "app/FindWindow.h"
#include "app/ProgramIcon.h"
#include "app/ToolbarIcons.h"
#include "store/Records.h"
#include "app/Unit1.h"
#include "game/Unit6.h"
#include "import/BatchProgress.h"
#include "import/BatchSummaryDialog.h"
#include "import/Unit11.h"
#include "import/Unit4.h"
#include "info/Unit3.h"
#include "info/Unit7.h"
#include "makelogo/MakeLogoDialog.h"
#include "settings/Unit5.h"
#include "settings/Unit8.h"
#include "settings/unit2.h"
#include "slots/Unit9.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <functional>

namespace {

void expectWhole(QWidget* window)
{
    const QStringList found = textfit::problems(window);
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}

class WindowText : public ProgramFixture {
protected:
    // Both configurations saved, so start-up asks nothing.
    void SetUp() override
    {
        ProgramFixture::SetUp();
        setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
        setConfig(store::ConfigRecord::ExtraConfigSaved, QStringLiteral("Yes"));
    }

    // Shows `window` (without its own loop), checks it, and checks it again
    // after `widen` when given (and once more after undoing it). With
    // TAGOMAT_SCREENSHOTS naming a folder, each look is saved there as
    // <window>.png (and <window>-help.png).
    static void shoot(QWidget* window, const QString& suffix = {})
    {
        const QString folder = qEnvironmentVariable("TAGOMAT_SCREENSHOTS");
        if (!folder.isEmpty())
            EXPECT_TRUE(window->grab().save(folder + QLatin1Char('/') + window->objectName() + suffix
                                            + QStringLiteral(".png")));
    }
    void check(QWidget* window, const std::function<void()>& widen = {})
    {
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->objectName().toStdString());
        window->show();
        expectWhole(window);
        shoot(window);
        if (widen) {
            widen();
            {
                SCOPED_TRACE("with help shown");
                expectWhole(window);
                shoot(window, QStringLiteral("-help"));
            }
            widen();
        }
        window->hide();
    }
};

TEST_F(WindowText, EveryWindowShowsItsWholeText)
{
    addPage(QStringLiteral("First page"), {QStringLiteral("one"), QStringLiteral("two")});
    ASSERT_TRUE(start());
    check(&form());
    check(&window<TForm4>());
    check(&window<TForm11>());
    check(&window<TForm9>());
    check(&window<TForm6>());
    check(&window<TForm2>(), [&] { window<TForm2>().HelpClick(); });
    check(&window<TForm8>(), [&] { window<TForm8>().HelpClick(); });
    check(&window<TForm5>(), [&] { window<TForm5>().HelpClick(); });
    check(&window<TAboutBox>());
    check(&window<TForm3>());

    // The logo maker, with a picture loaded (its preview and size list).
    QImage picture(190, 100, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    QPainter(&picture).fillRect(40, 20, 110, 60, QColor(20, 160, 40));
    makelogo::MakeLogoDialog maker(picture, &form());
    check(&maker);

    // Find with a line found; the batch import's progress and summary.
    form().findWindow()->field()->setText(QStringLiteral("two"));
    check(form().findWindow());
    logoimport::BatchProgress progress(&form());
    progress.showProgress(123, 1000, QStringLiteral("/home/player/Downloads/the clan's sprays/spray 123/tempdecal.wad"), 3725);
    check(&progress);
    logoimport::BatchSummaryDialog summary(&form());
    summary.present(QStringLiteral("Imported: 1, duplicates: 0, skipped: 0."),
                    QStringLiteral("Imported: 1, duplicates: 0, skipped: 0.\n\nImported:\n/a/b/tempdecal.wad as b\n"));
    check(&summary);
}

TEST_F(WindowText, HelpTextsAreParagraphsTheTextBoxWraps)
{
    ASSERT_TRUE(start());
    const QString help = window<TForm8>().findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
    EXPECT_TRUE(help.startsWith(QStringLiteral("You can use other programs (like Gamespy) to start after selecting a "
                                               "logo too. Just select the executable in this screen.\n\nI.E. "
                                               "~/gamespy/gamespy or /media/games/gamespy/aphex\n\n")))
        << help.toStdString();
    for (QDialog* dialog : {static_cast<QDialog*>(&window<TForm2>()), static_cast<QDialog*>(&window<TForm5>())}) {
        const QString text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[^\\n]\\n[^\\n]")))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("\n\n")));
    }
    // The examples in the form of this system, the words around them kept.
    const QString config = window<TForm2>().findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
    EXPECT_TRUE(config.startsWith(QStringLiteral("Just select (double click) the directory with the MOD in it you want to "
                                                 "play.\n\nI.E. ~/.steam/steam/steamapps/common/Half-Life/cstrike or "
                                                 "~/.steam/steam/steamapps/common/Half-Life/tfc\n\nAny problems?")))
        << config.toStdString();
}

// The check itself finds a cut text, a text under another control and a
// text its parent cuts off.
TEST(TextFitCheck, FindsClippedAndCoveredTexts)
{
    QWidget window;
    window.setObjectName(QStringLiteral("Window"));
    window.resize(200, 100);
    auto* narrow = new QLabel(QStringLiteral("Please enter a name for this logo."), &window);
    narrow->setObjectName(QStringLiteral("narrow"));
    narrow->setGeometry(0, 0, 40, 14);
    auto* wide = new QLabel(QStringLiteral("Change name?"), &window);
    wide->setObjectName(QStringLiteral("wide"));
    wide->setGeometry(0, 30, 150, 14);
    auto* button = new QPushButton(QStringLiteral("OK"), &window);
    button->setObjectName(QStringLiteral("button"));
    button->setGeometry(20, 25, 75, 25);
    auto* outside = new QLabel(QStringLiteral("Page Title:"), &window);
    outside->setObjectName(QStringLiteral("outside"));
    outside->setGeometry(180, 70, 100, 14);
    window.show();

    const QStringList found = textfit::problems(&window);
    auto mentions = [&](const QString& what) {
        return std::any_of(found.begin(), found.end(), [&](const QString& p) { return p.contains(what); });
    };
    EXPECT_TRUE(mentions(QStringLiteral("Window/narrow"))) << found.join('\n').toStdString();
    EXPECT_TRUE(mentions(QStringLiteral("Window/wide \"Change name?\": text runs over Window/button")));
    EXPECT_TRUE(mentions(QStringLiteral("Window/outside \"Page Title:\": text is cut off by Window")));

    narrow->setGeometry(0, 0, 200, 14);
    window.resize(300, 100);
    narrow->resize(300, 14);
    wide->move(0, 60);
    outside->move(100, 80);
    expectWhole(&window);
}

} // namespace

// On a screen scaled by 1.5 or 2 the toolbar icons are drawn at that many
// pixels, not blown up from 16 x 16.
TEST(ToolbarIcons, AreDrawnAtTheScreensPixelRatio)
{
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        const QPixmap pixmap = app::toolbarIcon(app::ToolbarImage::Check).pixmap(QSize(16, 16), ratio);
        EXPECT_EQ(pixmap.size(), QSize(qRound(16 * ratio), qRound(16 * ratio))) << ratio;
        EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
    }
}

// Drawn when painted: at any ratio, not only the common ones, and a
// disabled button shows the style's disabled look, not the same image.
TEST(ToolbarIcons, AreDrawnForAnyRatioAndLookDisabledWhenDisabled)
{
    const QIcon icon = app::toolbarIcon(app::ToolbarImage::RedCross);
    const QPixmap odd = icon.pixmap(QSize(16, 16), 1.75);
    EXPECT_EQ(odd.size(), QSize(28, 28));
    const QImage normal = icon.pixmap(QSize(16, 16), 1.0).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage();
    ASSERT_EQ(disabled.size(), normal.size());
    EXPECT_NE(disabled, normal);
    EXPECT_EQ(normal.pixelColor(4, 4).red(), 200) << "the red cross is red";
    EXPECT_EQ(normal.pixelColor(8, 1).alpha(), 0) << "and see-through around it";
}

// The program's icon reads its pictures when asked: each size the desktop
// files carry comes from its own picture, other sizes from the next larger.
TEST(ProgramIcon, GivesEachSizeFromItsPicture)
{
    const QIcon icon = app::programIcon();
    EXPECT_EQ(icon.availableSizes().size(), 6);
    for (int side : {16, 32, 48, 64, 128, 256}) {
        const QImage picture = QImage(QStringLiteral(":/icons/tagomat2-%1.png").arg(side))
                                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_FALSE(picture.isNull()) << side;
        EXPECT_EQ(icon.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(picture.format()), picture) << side;
    }
    EXPECT_EQ(icon.pixmap(QSize(20, 20), 1.0).size(), QSize(20, 20));
    EXPECT_EQ(icon.pixmap(QSize(512, 512), 1.0).size(), QSize(256, 256)) << "never blown up";
}
