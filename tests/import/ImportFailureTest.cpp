// An import whose converter is missing, fails, hangs or leaves a picture that
// cannot be read: a message that names what failed and a full roll-back.
#include "ImportFixture.h"
#include "support/EndedProcess.h"

#include "app/Unit1.h"
#include "core/Converters.h"
#include "import/OpenDialog.h"
#include "import/Unit11.h"
#include "settings/Unit5.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <sys/stat.h>

using logoimport::OpenDialog;

class ImportFailure : public ImportFixture {
protected:
    // A page whose slot 2 holds "old" with its picture; the user picks a
    // file from elsewhere.
    void startWithChoice(const QString& name)
    {
        addPage(QStringLiteral("Page1"), {QStringLiteral("one"), QStringLiteral("old")});
        writeFile(QStringLiteral("old.wad"), "old logo");
        ASSERT_TRUE(start());
        window<TForm5>().setPosition(0);
        oldPicture = library().slotPicture(2);
        chooseFromElsewhere(QStringLiteral("spray-a.wad"), QStringLiteral("pick.wad"), name);
        before = programDirEntries();
    }

    // "+" on the filled slot is answered Yes to "Replace "old" in this
    // slot?"; the texts shown leave that question out.
    void clickPlus(int slot)
    {
        answer({yes()});
        ImportFixture::clickPlus(slot);
    }
    QStringList shown() const
    {
        QStringList texts = ImportFixture::shown();
        texts.removeAll(QStringLiteral("Replace \"old\" in this slot?"));
        return texts;
    }

    // Nothing of the import is left: no logo wad file of the name, no
    // working file, the slot as it was, drops accepted, no wait window.
    void expectRolledBack(const QString& name)
    {
        EXPECT_FALSE(fileExists(name + QStringLiteral(".wad")));
        EXPECT_FALSE(fileExists(QStringLiteral("temp.jpg")));
        EXPECT_EQ(programDirEntries().filter(QStringLiteral(".pcx")), QStringList());
        EXPECT_EQ(library().slotTitle(2), QStringLiteral("old"));
        EXPECT_EQ(library().slotPicture(2), oldPicture);
        EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 2), QStringLiteral("old"));
        EXPECT_EQ(readFile(QStringLiteral("old.wad")), QByteArray("old logo"));
        EXPECT_TRUE(form().acceptDrops());
        EXPECT_FALSE(window<TForm11>().isVisible());
        EXPECT_EQ(shown().size(), 1) << shown().join(QLatin1Char('|')).toStdString();
    }

    QByteArray oldPicture;
    QStringList before;
};

TEST_F(ImportFailure, MissingExtractorIsNamedAndTheCopyRemoved)
{
    QFile::remove(path(QStringLiteral("wad3")));
    startWithChoice(QStringLiteral("newname"));

    clickPlus(2);

    ASSERT_FALSE(shown().isEmpty());
    EXPECT_TRUE(shown().first().contains(QStringLiteral("could not be extracted")));
    EXPECT_TRUE(shown().first().contains(QStringLiteral("wad3 is missing")));
    expectRolledBack(QStringLiteral("newname"));
    EXPECT_TRUE(QFile::exists(elsewhere() + QStringLiteral("/pick.wad"))) << "the chosen file is left alone";
}

TEST_F(ImportFailure, ExtractorEndingWithoutAPictureIsReportedWithItsReason)
{
    startWithChoice(QStringLiteral("newname"));
    replaceTool(QStringLiteral("wad3"), "echo \"$1: no picture lump\" >&2\nexit 1\n");

    clickPlus(2);

    ASSERT_FALSE(shown().isEmpty());
    EXPECT_TRUE(shown().first().contains(QStringLiteral("could not be extracted")));
    EXPECT_TRUE(shown().first().contains(QStringLiteral("no picture lump")));
    expectRolledBack(QStringLiteral("newname"));
}

TEST_F(ImportFailure, SilentConverterEndingWithoutAPictureIsReported)
{
    startWithChoice(QStringLiteral("newname"));
    replaceTool(QStringLiteral("i_view32"), "exit 0\n");

    clickPlus(2);

    ASSERT_FALSE(shown().isEmpty());
    EXPECT_TRUE(shown().first().contains(QStringLiteral("could not be converted")));
    EXPECT_TRUE(shown().first().contains(QStringLiteral("without leaving its picture")));
    expectRolledBack(QStringLiteral("newname"));
}

TEST_F(ImportFailure, HangingConverterTimesOutAndARenamedFileGetsItsNameBack)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one"), QStringLiteral("old")});
    writeFile(QStringLiteral("old.wad"), "old logo");
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    oldPicture = library().slotPicture(2);
    const QString chosen = copyTo(dir(), QStringLiteral("spray-a.wad"), QStringLiteral("download.wad"));
    const QByteArray bytes = readFile(QStringLiteral("download.wad"));
    OpenDialog::queueChoice(chosen);
    answerPrompt({QStringLiteral("renamed")});
    // A converter that leaves a partial picture and never finishes.
    replaceTool(QStringLiteral("i_view32"), "printf 'partial' > temp.jpg\nexec sleep 60\n");
    logoimport::setConverterTimeout(300);

    clickPlus(2);

    ASSERT_FALSE(shown().isEmpty());
    EXPECT_TRUE(shown().first().contains(QStringLiteral("did not finish within 0.3 seconds")));
    EXPECT_EQ(readFile(QStringLiteral("download.wad")), bytes) << "the renamed file has its old name again";
    expectRolledBack(QStringLiteral("renamed"));
}

TEST_F(ImportFailure, AConverterStoppedInTheMiddleOfItsWriteLeavesNoTemporaryFile)
{
    startWithChoice(QStringLiteral("newname"));
    // Writes half a picture under its temporary name and never renames it.
    replaceTool(QStringLiteral("i_view32"), "printf 'partial' > \"${2#/convert=}.part$$-0\"\nexec sleep 60\n");
    logoimport::setConverterTimeout(300);

    clickPlus(2);

    ASSERT_FALSE(shown().isEmpty());
    EXPECT_TRUE(shown().first().contains(QStringLiteral("did not finish within 0.3 seconds")));
    EXPECT_EQ(programDirEntries().filter(QStringLiteral(".part")), QStringList());
    expectRolledBack(QStringLiteral("newname"));
}

TEST_F(ImportFailure, UndecodablePictureShowsTheDecodersMessage)
{
    startWithChoice(QStringLiteral("newname"));
    replaceTool(QStringLiteral("i_view32"), "head -c 400 /dev/zero > temp.jpg\n");

    clickPlus(2);

    ASSERT_FALSE(shown().isEmpty());
    EXPECT_TRUE(shown().first().startsWith(QStringLiteral("The picture could not be loaded from temp.jpg: ")))
        << shown().first().toStdString();
    EXPECT_GT(shown().first().size(), QStringLiteral("The picture could not be loaded from temp.jpg: ").size() + 3)
        << "the decoder says what is wrong";
    expectRolledBack(QStringLiteral("newname"));
}

TEST_F(ImportFailure, ANextImportWorksAfterAFailedOne)
{
    startWithChoice(QStringLiteral("first"));
    replaceTool(QStringLiteral("i_view32"), "exit 3\n");
    clickPlus(2);
    ASSERT_EQ(shown().size(), 1);
    app::MessageBox::clearShown();

    QFile::remove(path(QStringLiteral("i_view32")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAGOMAT_BUILT_PROGRAM_DIR "/i_view32"), path(QStringLiteral("i_view32"))));
    OpenDialog::queueChoice(elsewhere() + QStringLiteral("/pick.wad"));
    answerPrompt({QStringLiteral("first")});
    clickPlus(2);

    // Only the question about the replaced logo's file (answered No).
    EXPECT_EQ(shown(), QStringList{QStringLiteral("Do you want to delete the wad file of the logo? (cannot be undone!)")});
    EXPECT_TRUE(fileExists(QStringLiteral("old.wad")));
    EXPECT_EQ(storedSlotTitle(QStringLiteral("Page1"), 2), QStringLiteral("first"));
    expectShowsWad(slotImage(2), fixture(QStringLiteral("spray-a.wad")));
}

TEST_F(ImportFailure, DamagedWadFilesAreRefusedWithTheExtractorsReason)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one"), QStringLiteral("old")});
    writeFile(QStringLiteral("old.wad"), "old logo");
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    oldPicture = library().slotPicture(2);
    QFile spray(fixture(QStringLiteral("spray-a.wad")));
    ASSERT_TRUE(spray.open(QIODevice::ReadOnly));
    const QByteArray intact = spray.readAll();
    // Cut short, so that the directory lies past the end; and with absurd
    // dimensions in the picture lump's header.
    QByteArray absurd = intact;
    const quint32 lumpOffset = qFromLittleEndian<quint32>(intact.constData() + 8);
    const quint32 pictureOffset = qFromLittleEndian<quint32>(intact.constData() + lumpOffset);
    qToLittleEndian<quint32>(0x7fffffff, absurd.data() + pictureOffset + 16);
    qToLittleEndian<quint32>(0x7fffffff, absurd.data() + pictureOffset + 20);
    const QList<QByteArray> damaged = {intact.left(intact.size() / 2), absurd};
    for (int i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        app::MessageBox::clearShown();
        const QString chosen = elsewhere() + QStringLiteral("/damaged%1.wad").arg(i);
        QFile out(chosen);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(damaged[i]);
        out.close();
        OpenDialog::queueChoice(chosen);
        answerPrompt({QStringLiteral("bad%1").arg(i)});

        clickPlus(2);

        ASSERT_FALSE(shown().isEmpty());
        EXPECT_TRUE(shown().first().contains(QStringLiteral("could not be extracted"))) << shown().first().toStdString();
        EXPECT_TRUE(shown().first().contains(QStringLiteral("damaged%1.wad").arg(i)) ||
                    shown().first().contains(QStringLiteral("bad%1.wad").arg(i)))
            << "the message names the file: " << shown().first().toStdString();
        expectRolledBack(QStringLiteral("bad%1").arg(i));
    }
}

TEST_F(ImportFailure, AFileThatIsNoLogoIsNamedAsChosenAndSaysWhatIsWrong)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one"), QStringLiteral("old")});
    writeFile(QStringLiteral("old.wad"), "old logo");
    ASSERT_TRUE(start());
    window<TForm5>().setPosition(0);
    oldPicture = library().slotPicture(2);
    const QString chosen = elsewhere() + QStringLiteral("/remap.wad");
    QFile out(chosen);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("PK\x03\x04 not a logo at all");
    out.close();
    OpenDialog::queueChoice(chosen);
    answerPrompt({QStringLiteral("remap")});

    clickPlus(2);

    ASSERT_FALSE(shown().isEmpty());
    const QStringList lines = shown().first().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 2) << shown().first().toStdString();
    EXPECT_EQ(lines[0], chosen + QStringLiteral(" could not be imported: it is no spray logo WAD file, or it is damaged."));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("wad3"))) << "the converter's own line follows: " << lines[1].toStdString();
    expectRolledBack(QStringLiteral("remap"));
}

// A named pipe chosen in the file dialog, as a logo or as a picture, from
// elsewhere or in the program directory: refused with a message at once,
// before the name prompt, and nothing changes.
TEST_F(ImportFailure, ANamedPipeIsRefusedWithoutWaiting)
{
    addPage(QStringLiteral("Page1"), {QStringLiteral("one"), QStringLiteral("old")});
    writeFile(QStringLiteral("old.wad"), "old logo");
    ASSERT_TRUE(start());
    oldPicture = library().slotPicture(2);
    for (const QString& pipe : {elsewhere() + QStringLiteral("/pipe.wad"), elsewhere() + QStringLiteral("/pipe.png"),
                                path(QStringLiteral("pipe.wad"))}) {
        SCOPED_TRACE(pipe.toStdString());
        ASSERT_EQ(::mkfifo(pipe.toLocal8Bit().constData(), 0644), 0);
        app::MessageBox::clearShown();
        OpenDialog::queueChoice(pipe);
        clickPlus(2);
        ASSERT_EQ(shown().size(), 1);
        EXPECT_TRUE(shown().first().contains(QStringLiteral("named pipe"))) << shown().first().toStdString();
        EXPECT_EQ(promptShowings, 0);
        EXPECT_TRUE(QFileInfo(pipe).exists()) << "the pipe keeps its name";
        EXPECT_EQ(library().slotTitle(2), QStringLiteral("old"));
        EXPECT_EQ(library().slotPicture(2), oldPicture);
        EXPECT_TRUE(form().acceptDrops());
        QFile::remove(pipe);
    }
}
