// The files named on the command line, read from argv's own bytes: each is
// opened, or refused with its name and the reason.
#include <gtest/gtest.h>

#include "handover/OpenFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

void touch(const QByteArray& path)
{
    QFile file(QFile::decodeName(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.constData();
    file.write("WAD3");
}

TEST(FileArguments, OpenableFilesGoOnAndEveryOtherIsNamedWithItsReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray base = QFile::encodeName(dir.path());
    touch(base + "/here.wad");
    // What a lossy decoding of "caf\xE9.wad" would give: another file,
    // which must not be opened in its place.
    touch(base + "/caf\xEF\xBF\xBD.wad");
    touch(base + "/-dash.wad");

    const handover::FileArguments read = handover::readFileArguments(
        {"tagomat2", "-style=fusion", base + "/here.wad", base + "/missing.wad", base + "/caf\xE9.wad", "", "--",
         base + "/-dash.wad"});

    EXPECT_EQ(read.files, (QStringList{dir.path() + QStringLiteral("/here.wad"), dir.path() + QStringLiteral("/-dash.wad")}));
    EXPECT_EQ(read.refused, (QStringList{dir.path() + QStringLiteral("/missing.wad: there is no such file"),
                                         QString::fromLatin1(base) + QStringLiteral("/caf%E9.wad: its name is not valid UTF-8"),
                                         QStringLiteral("\"\": the name is empty")}));
}

TEST(FileArguments, ARelativeNameIsShownAgainstTheCurrentFolder)
{
    const handover::FileArguments read = handover::readFileArguments({"tagomat2", "no-such-logo.wad", "odd\x80%.wad"});
    EXPECT_TRUE(read.files.isEmpty());
    EXPECT_EQ(read.refused, (QStringList{QDir::currentPath() + QStringLiteral("/no-such-logo.wad: there is no such file"),
                                         QDir::currentPath() + QStringLiteral("/odd%80%25.wad: its name is not valid UTF-8")}));
}

} // namespace
