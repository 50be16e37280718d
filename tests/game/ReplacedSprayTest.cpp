// A spray the game replaced (its options menu writes its own tempdecal.wad)
// is noticed at start-up, when the main window comes to the front and before
// a game start, and put back after Yes.
#include "GameFixture.h"

#include "app/Unit1.h"
#include "core/InstallRecord.h"
#include "game/Unit6.h"

#include <QApplication>
#include <QEvent>
#include <QFile>

#include <sys/stat.h>

namespace {

class ReplacedSpray : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        addPage(QStringLiteral("Page1"), {QStringLiteral("wolf")});
        addLogo(QStringLiteral("wolf"), QStringLiteral("spray-a.wad"));
        configure(true, false);
    }
    QString tempdecal() const { return modFolder() + QStringLiteral("/tempdecal.wad"); }
    QByteArray wolf() const { return fixtureBytes(QStringLiteral("spray-a.wad")); }
    // What the game does: a writable file of its own in place of ours.
    void gameWritesItsOwn(const QByteArray& bytes)
    {
        QFile::remove(tempdecal());
        writeBytes(tempdecal(), bytes);
        ASSERT_TRUE(QFile::setPermissions(tempdecal(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    void comeToTheFront()
    {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&form(), &activate);
    }
    static int modeOf(const QString& path)
    {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    }
    const QString question = QStringLiteral("Counter-Strike replaced your spray \"wolf\" with its own. Put \"wolf\" back?");
};

TEST_F(ReplacedSpray, FoundAtTheNextStartAndPutBackAfterYes)
{
    writeBytes(modFolder() + QStringLiteral("/liblist.gam"), "game \"Counter-Strike\"\n");
    ASSERT_TRUE(start());
    doubleClick(1);
    ASSERT_EQ(bytesOf(tempdecal()), wolf());
    stop();
    gameWritesItsOwn(fixtureBytes(QStringLiteral("spray-b.wad")));

    answer({yes()});
    ASSERT_TRUE(start(false));
    program().show();   // the start-up checks, before the window is first activated
    ASSERT_EQ(shown(), QStringList{question});
    const app::MessageBox::Shown& asked = app::MessageBox::shown().first();
    EXPECT_EQ(asked.kind, app::MessageBox::Kind::Confirm);
    EXPECT_EQ(asked.defaultAnswer, app::MessageBox::Answer::Yes);
    EXPECT_EQ(asked.checkText, QStringLiteral("Don't ask again for this game"));
    EXPECT_EQ(bytesOf(tempdecal()), wolf());
    EXPECT_EQ(modeOf(tempdecal()), 0444);

    comeToTheFront();
    EXPECT_EQ(shown().size(), 1) << "nothing more to ask";
}

TEST_F(ReplacedSpray, NoKeepsTheGamesFileUntilItChangesAgainAndDontAskAgainPutsItBackSilently)
{
    writeBytes(modFolder() + QStringLiteral("/liblist.gam"), "game \"Counter-Strike\"\n");
    ASSERT_TRUE(start());
    doubleClick(1);
    gameWritesItsOwn("the game's own decal, first");
    answer({no()});
    comeToTheFront();
    EXPECT_EQ(shown(), QStringList{question});
    EXPECT_EQ(bytesOf(tempdecal()), QByteArray("the game's own decal, first"));
    comeToTheFront();
    EXPECT_EQ(shown().size(), 1) << "asked once per change";

    gameWritesItsOwn("the game's own decal, second");
    answer({yes()});
    app::MessageBox::setNextChecked(true);
    comeToTheFront();
    EXPECT_EQ(shown().size(), 2);
    EXPECT_EQ(bytesOf(tempdecal()), wolf());

    // The check before a game start.
    writeScript(gameRoot() + QStringLiteral("/hl.sh"), "exit 0\n");
    gameWritesItsOwn("the game's own decal, third");
    click(QStringLiteral("Button1"));
    EXPECT_EQ(shown().size(), 2) << "put back without asking: " << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(bytesOf(tempdecal()), wolf());
    EXPECT_TRUE(settings().putsBackWithoutAsking(modFolder()));
}

TEST_F(ReplacedSpray, ARenamedOrDeletedLogoIsReportedInsteadOfGuessed)
{
    addLogo(QStringLiteral("moon"), QStringLiteral("spray-b.wad"));
    ASSERT_TRUE(start());
    doubleClick(1);
    // Renamed outside the window: the same bytes under another title.
    ASSERT_TRUE(QFile::rename(path(QStringLiteral("wolf.wad")), path(QStringLiteral("howl.wad"))));
    gameWritesItsOwn("the game's own decal");
    comeToTheFront();
    ASSERT_EQ(shown().size(), 1);
    EXPECT_EQ(app::MessageBox::shown().first().kind, app::MessageBox::Kind::Plain);
    EXPECT_EQ(shown().first(), QStringLiteral("cstrike replaced your spray \"wolf\" with its own. \"wolf\" has been "
                                              "renamed to \"howl\" in the library since; double-click it to install it again."));
    EXPECT_EQ(bytesOf(tempdecal()), QByteArray("the game's own decal"));

    QFile::remove(path(QStringLiteral("howl.wad")));
    gameWritesItsOwn("the game's own decal, again");
    comeToTheFront();
    ASSERT_EQ(shown().size(), 2);
    EXPECT_EQ(shown()[1], QStringLiteral("cstrike replaced your spray \"wolf\" with its own. \"wolf\" has been deleted "
                                         "from the library since, so it cannot be put back."));
    EXPECT_EQ(bytesOf(tempdecal()), QByteArray("the game's own decal, again"));
}

TEST_F(ReplacedSpray, ALinkInPlaceOfTheSprayAndADamagedRecordAreLeftAlone)
{
    ASSERT_TRUE(start());
    doubleClick(1);
    const QString elsewhere = other() + QStringLiteral("/elsewhere.wad");
    writeBytes(elsewhere, "another file");
    QFile::remove(tempdecal());
    ASSERT_TRUE(QFile::link(elsewhere, tempdecal()));
    comeToTheFront();
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(bytesOf(elsewhere), QByteArray("another file"));

    writeFile(QStringLiteral("Installed.json"), "[{\"target\": 7}, \"not an entry\"");
    EXPECT_TRUE(core::installrecord::read().isEmpty());
    comeToTheFront();
    EXPECT_TRUE(shown().isEmpty());
}

} // namespace
