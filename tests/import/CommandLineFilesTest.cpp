// Files on the command line that cannot be opened are named: in one message
// of the window this start opens, or on the terminal when the files go to
// a window that already runs.
#include "ImportFixture.h"

#include "handover/OpenFile.h"

#include <QFile>
#include <QLockFile>

namespace {

class CommandLineFiles : public ImportFixture {
protected:
    handover::FileArguments arguments(const QString& existing)
    {
        const QByteArray there = QFile::encodeName(elsewhere());
        return handover::readFileArguments(
            {"tagomat2", QFile::encodeName(existing), there + "/gone.wad", there + "/\xFF" "bad.wad"});
    }
    QString gone() const { return elsewhere() + QStringLiteral("/gone.wad"); }
    QString badName() const { return elsewhere() + QStringLiteral("/%FFbad.wad"); }
};

TEST_F(CommandLineFiles, TheWindowNamesEveryRefusedFileInOneMessageAndOpensTheRest)
{
    addPage(QStringLiteral("Page1"), {});
    const QString a = copyTo(elsewhere(), QStringLiteral("spray-a.wad"), QStringLiteral("a.wad"));
    const handover::FileArguments files = arguments(a);
    program().setFilesToOpen(files.files);
    program().setRefusedFiles(files.refused);
    answerPrompt({QStringLiteral("fromline")});
    ASSERT_TRUE(start());

    EXPECT_EQ(slotTitle(1), QStringLiteral("fromline"));
    ASSERT_EQ(shown().size(), 1) << shown().join(QLatin1Char('|')).toStdString();
    const QString message = shown().first();
    EXPECT_TRUE(message.contains(gone() + QStringLiteral(": there is no such file"))) << message.toStdString();
    EXPECT_TRUE(message.contains(badName() + QStringLiteral(": its name is not valid UTF-8"))) << message.toStdString();
    EXPECT_FALSE(message.contains(a)) << "the file that was opened is not named";
}

TEST_F(CommandLineFiles, ASecondStartTellsTheTerminalAndFailsWhenNothingCouldBeHandedOver)
{
    // Another run holds the lock.
    QLockFile other(path(QStringLiteral("tagomat2.lock")));
    ASSERT_TRUE(other.tryLock(0));
    const handover::FileArguments files = arguments(elsewhere() + QStringLiteral("/also-gone.wad"));
    ASSERT_TRUE(files.files.isEmpty());
    program().setFilesToOpen(files.files);
    program().setRefusedFiles(files.refused);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(start());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(program().handedOver()) << "the start ends with a failure";
    EXPECT_TRUE(shown().isEmpty()) << shown().join(QLatin1Char('|')).toStdString();
    for (const QString& name : {elsewhere() + QStringLiteral("/also-gone.wad"), gone(), badName()})
        EXPECT_NE(said.find(name.toStdString()), std::string::npos) << said;
}

} // namespace
