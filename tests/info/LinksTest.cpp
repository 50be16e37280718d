// The about box, the credits window and every web and mail link: the
// addresses handed to the desktop (recorded here, not opened) and the looks
// of the link labels while pressed.
#include "settings/DialogDriving.h"
#include "settings/SettingsFixture.h"

#include "info/LinkLabel.h"
#include "info/Links.h"
#include "info/Unit3.h"
#include "info/Unit7.h"
#include "settings/Unit8.h"
#include "settings/unit2.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QAction>
#include <QFile>
#include <QTest>
#include <QUrl>

using dialogtest::click;

namespace {

const QString kWeb = QStringLiteral("http://") + info::webHost();

class Links : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        info::setOpenHook([this](const QUrl& address) { opened_ << address.toString(); });
        bothSaved();
    }
    void TearDown() override
    {
        info::setOpenHook(nullptr);
        SettingsFixture::TearDown();
    }

    struct Look {
        bool bold;
        bool underline;
        bool operator==(const Look& o) const { return bold == o.bold && underline == o.underline; }
    };
    static Look lookOf(QLabel* label) { return {label->font().bold(), label->font().underline()}; }
    static QPoint onLabel(QLabel* label) { return label->rect().center(); }
    static QPoint offLabel(QLabel* label) { return QPoint(label->width() + 30, label->height() + 30); }

    // The looks before, while pressed and after a press and release on the
    // label (or released off it).
    QList<Look> pressAndRelease(QLabel* label, bool releaseOff = false)
    {
        QList<Look> looks{lookOf(label)};
        QTest::mousePress(label, Qt::LeftButton, {}, onLabel(label));
        looks << lookOf(label);
        if (releaseOff)
            QTest::mouseMove(label, offLabel(label));
        QTest::mouseRelease(label, Qt::LeftButton, {}, releaseOff ? offLabel(label) : onLabel(label));
        looks << lookOf(label);
        return looks;
    }

    QStringList opened_;
};

// Without a web site set up for the build, "Help (online)", "Forum" and F1
// open the user guide that comes with the program; the guide is there, and
// holds the part the forum item points to.
TEST_F(Links, TheMenuItemsF1AndTheToolbarLinkOpenTheirAddresses)
{
    ASSERT_TRUE(start());
    ASSERT_FALSE(info::webSiteConfigured());
    choose("Help2");
    choose("Forum1");
    QTest::keyClick(&form(), Qt::Key_F1);
    auto* toolbarLink = widget<info::LinkLabel>("hyperlink");
    ASSERT_EQ(toolbarLink->parentWidget()->objectName(), QStringLiteral("ToolBar1"));
    pressAndRelease(toolbarLink);
    const QString guide = QUrl::fromLocalFile(path(QStringLiteral("user-guide.html"))).toString();
    EXPECT_EQ(opened_, (QStringList{guide, guide + QStringLiteral("#getting-help"), guide, kWeb}));
    EXPECT_EQ(toolbarLink->text(), info::webHost());
    EXPECT_EQ(widget<QAction>("UserGuide1")->shortcut(), QKeySequence(Qt::Key_F1));

    QFile shipped(QStringLiteral(TAGOMAT_SOURCE_DIR "/resources/user-guide.html"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray html = shipped.readAll();
    for (const char* part : {"id=\"first-start\"", "id=\"importing\"", "id=\"making\"", "id=\"installing\"",
                             "id=\"read-only\"", "id=\"settings\"", "id=\"keys\"", "id=\"getting-help\""})
        EXPECT_TRUE(html.contains(part)) << part;
}

TEST_F(Links, TheAboutBoxShowsTheVersionAndClosesOnEscapeAndOnEnter)
{
    ASSERT_TRUE(start());
    TAboutBox* about = &window<TAboutBox>();
    QString version, product, title;
    QSize size;
    inside("AboutBox", [&] {
        version = in<QLabel>(about, "Version")->text();
        product = in<QLabel>(about, "ProductName")->text();
        title = about->windowTitle();
        size = about->size();
        QTest::keyClick(about, Qt::Key_Escape);
    });
    choose("About1");
    EXPECT_EQ(version, QStringLiteral("2.10"));
    EXPECT_EQ(product, QStringLiteral("Tagomat"));
    EXPECT_EQ(title, QStringLiteral("About"));
    EXPECT_EQ(size, QSize(298, 341));
    EXPECT_FALSE(about->isVisible());

    inside("AboutBox", [&] { QTest::keyClick(about, Qt::Key_Return); });
    choose("About1");
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(in<QPlainTextEdit>(about, "Comments")->toPlainText().split('\n').last(),
              QStringLiteral("Questions and Tips can be mailed to:"));
}

TEST_F(Links, TheMailLinkIsPlainWhilePressedAndOpensTheMailAddress)
{
    ASSERT_TRUE(start());
    TAboutBox* about = &window<TAboutBox>();
    QList<Look> looks;
    inside("AboutBox", [&] {
        auto* email = in<info::LinkLabel>(about, "email");
        EXPECT_EQ(email->text(), info::mailAddress());
        looks = pressAndRelease(email);
        click(in<QPushButton>(about, "OKButton"));
    });
    choose("About1");
    EXPECT_EQ(looks, (QList<Look>{{false, true}, {false, false}, {false, true}}));
    EXPECT_EQ(opened_, QStringList{QStringLiteral("mailto:") + info::mailAddress()});
}

TEST_F(Links, ACreditsLinkPressReleasedOffTheLabelGetsItsUnderlineBackAndOpensNothing)
{
    ASSERT_TRUE(start());
    TForm3* credits = &window<TForm3>();
    QList<Look> off, on;
    inside("Form3", [&] {
        auto* link = in<info::LinkLabel>(credits, "hyperlink");
        off = pressAndRelease(link, true);
        EXPECT_TRUE(opened_.isEmpty());
        on = pressAndRelease(link);
        click(in<QPushButton>(credits, "Button1"));
    });
    choose("Credits1");
    EXPECT_EQ(off, (QList<Look>{{false, true}, {false, false}, {false, true}}));
    EXPECT_EQ(on, off);
    EXPECT_EQ(opened_, QStringList{kWeb});
    EXPECT_EQ(credits->windowTitle(), QStringLiteral("Credits"));
    EXPECT_EQ(credits->size(), QSize(329, 312));
}

TEST_F(Links, TheConfigurationLinkLosesItsBoldForTheRestOfTheRun)
{
    ASSERT_TRUE(start());
    QList<Look> first, second;
    inside("Form2", [&] {
        auto* link = in<info::LinkLabel>(&window<TForm2>(), "hyperlink");
        first = pressAndRelease(link);
        second = pressAndRelease(link);
        click(in<QPushButton>(&window<TForm2>(), "bCancel"));
    });
    choose("Config1");
    EXPECT_EQ(first, (QList<Look>{{true, true}, {false, false}, {false, true}}));
    EXPECT_EQ(second, (QList<Look>{{false, true}, {false, false}, {false, true}}));
    EXPECT_EQ(opened_, (QStringList{kWeb, kWeb}));
}

TEST_F(Links, TheExtraOptionsLinkKeepsItsLook)
{
    ASSERT_TRUE(start());
    QList<Look> looks;
    inside("Form8", [&] {
        looks = pressAndRelease(in<info::LinkLabel>(&window<TForm8>(), "hyperlink"));
        click(in<QPushButton>(&window<TForm8>(), "bCancel"));
    });
    choose("Extraoptions1");
    EXPECT_EQ(looks, (QList<Look>{{true, true}, {true, true}, {true, true}}));
    EXPECT_EQ(opened_, QStringList{kWeb});
}

} // namespace
