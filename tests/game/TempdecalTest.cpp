// Today's release of the game reads the spray from tempdecal.wad: an install
// writes it beside pldecal.wad, read-only unless the user turned that off.
#include "GameFixture.h"

#include "app/MessageBox.h"
#include "game/Unit6.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

class Tempdecal : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        addPage(QStringLiteral("Page1"), {QStringLiteral("logo_a"), QStringLiteral("logo_b")});
        writeFile(QStringLiteral("logo_a.wad"), logo('a'));
        writeFile(QStringLiteral("logo_b.wad"), logo('b'));
        configure(true, false);
    }
    // Bytes of every value, zeros among them, that only a whole copy matches.
    static QByteArray logo(char seed)
    {
        QByteArray bytes;
        for (int i = 0; i < 70000; ++i)
            bytes.append(char((i * 7 + seed) & 0xff));
        return bytes;
    }
    QString tempdecal() const { return modFolder() + QStringLiteral("/tempdecal.wad"); }
    static int modeOf(const QString& path)
    {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    }
    QStringList entries() const { return QDir(modFolder()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot); }
    // These logos are bytes of every value, no spray the game takes: each
    // install asks first, and Yes installs it all the same.
    void installAnyway(int slot)
    {
        answer({yes()});
        doubleClick(slot);
    }
    // What was shown besides those questions.
    QStringList reports() const
    {
        QStringList rest;
        for (const QString& text : shown())
            if (!text.contains(QStringLiteral(" will not show in the game: ")))
                rest << text;
        return rest;
    }
};

TEST_F(Tempdecal, ReplacesAReadOnlyEarlierOneByteForByteAndLeavesItReadOnly)
{
    writeBytes(tempdecal(), "the game's own greyscale logo");
    QFile::setPermissions(tempdecal(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_TRUE(start());
    for (const auto& [slot, seed] : {std::pair{1, 'a'}, std::pair{2, 'b'}}) {
        installAnyway(slot);
        EXPECT_TRUE(bytesOf(tempdecal()) == logo(seed)) << "tempdecal.wad after slot " << slot;
        EXPECT_TRUE(bytesOf(installed()) == logo(seed)) << "pldecal.wad after slot " << slot;
        EXPECT_EQ(modeOf(tempdecal()), 0444);
        EXPECT_NE(modeOf(installed()) & 0200, 0) << "pldecal.wad stays writable";
    }
    EXPECT_TRUE(reports().isEmpty()) << reports().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(dialog()->isVisible());
}

TEST_F(Tempdecal, EachOptionTurnsItsPartOff)
{
    ASSERT_TRUE(start());
    core::InstallOptions writable;
    writable.readOnly = false;
    ASSERT_TRUE(settings().saveInstallOptions(writable));
    writeBytes(tempdecal(), "old");
    QFile::setPermissions(tempdecal(), QFile::ReadOwner);
    installAnyway(1);
    EXPECT_TRUE(bytesOf(tempdecal()) == logo('a'));
    EXPECT_NE(modeOf(tempdecal()) & 0200, 0) << "left writable when the user turned read-only off";

    core::InstallOptions none;
    none.tempdecal = false;
    ASSERT_TRUE(settings().saveInstallOptions(none));
    installAnyway(2);
    EXPECT_TRUE(bytesOf(installed()) == logo('b'));
    EXPECT_TRUE(bytesOf(tempdecal()) == logo('a')) << "not touched when turned off";
    EXPECT_TRUE(reports().isEmpty()) << reports().join(QLatin1Char('|')).toStdString();
}

TEST_F(Tempdecal, AFailureIsReportedWithItsReasonAndNoDialogAndNoHalfFile)
{
    // A folder of that name cannot be replaced by a file.
    ASSERT_TRUE(QDir().mkpath(tempdecal()));
    ASSERT_TRUE(start());
    installAnyway(1);
    ASSERT_EQ(reports().size(), 1);
    EXPECT_EQ(app::MessageBox::shown().last().kind, app::MessageBox::Kind::Error);
    EXPECT_TRUE(reports().first().contains(tempdecal())) << reports().first().toStdString();
    EXPECT_TRUE(reports().first().contains(QStringLiteral("directory"))) << reports().first().toStdString();
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(bytesOf(installed()) == logo('a')) << "the file written before is whole";
    EXPECT_EQ(entries(), QStringList{QStringLiteral("pldecal.wad")}) << "no temporary file is left";
}

} // namespace
