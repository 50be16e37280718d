#include "GameFixture.h"

#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "game/Launch.h"
#include "game/Unit6.h"
#include "info/Links.h"
#include "store/Records.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

using namespace store::ConfigRecord;

void GameFixture::SetUp()
{
    ProgramFixture::SetUp();
    ASSERT_TRUE(game_.isValid());
    ASSERT_TRUE(QDir().mkpath(modFolder()));
    game::setStartHook([this](const game::ProgramCommand& command) { started << command; });
    info::setOpenHook([this](const QUrl& url) { opened << url; });
}

void GameFixture::TearDown()
{
    game::setStartHook({});
    info::setOpenHook({});
    ProgramFixture::TearDown();
}

void GameFixture::startForReal() { game::setStartHook({}); }

QString GameFixture::fixture(const QString& name) { return QStringLiteral(TAGOMAT_FIXTURES_DIR "/") + name; }

QByteArray GameFixture::fixtureBytes(const QString& name) { return bytesOf(fixture(name)); }

void GameFixture::configure(bool gameSaved, bool extraSaved, const QString& location, const QString& extraProgram)
{
    setConfig(Config, location.isNull() ? modFolder() : location);
    setConfig(ConfigSaved, gameSaved ? QStringLiteral("Yes") : QStringLiteral("No"));
    setConfig(ExtraConfig, extraProgram);
    setConfig(ExtraConfigSaved, extraSaved ? QStringLiteral("Yes") : QStringLiteral("No"));
}

void GameFixture::addLogo(const QString& title, const QString& fixtureName)
{
    writeFile(title + QStringLiteral(".wad"), fixtureBytes(fixtureName));
}

void GameFixture::writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

void GameFixture::writeScript(const QString& path, const QByteArray& body, bool executable)
{
    writeBytes(path, "#!/bin/sh\n" + body);
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    if (executable)
        p |= QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(path, p));
}

QByteArray GameFixture::bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void GameFixture::doubleClick(int slot)
{
    auto* picture = widget<TDBImage>(QStringLiteral("DBImage%1").arg(slot));
    ASSERT_NE(picture, nullptr);
    QTest::mouseDClick(picture, Qt::LeftButton);
}

TForm6* GameFixture::dialog() { return &window<TForm6>(); }

QPushButton* GameFixture::dialogButton(const QString& name)
{
    auto* button = dialog()->findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << "no button " << name.toStdString();
    return button;
}

void GameFixture::click(const QString& dialogButtonName)
{
    QPushButton* button = dialogButton(dialogButtonName);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << dialogButtonName.toStdString() << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}
