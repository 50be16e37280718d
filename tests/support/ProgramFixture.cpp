#include "ProgramFixture.h"

#include "app/Unit1.h"
#include "core/Library.h"
#include "core/Settings.h"

#include "store/Installer.h"
#include "store/ProgramDir.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTimer>

void ProgramFixture::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    app::MessageBox::setScripted(true);
    const store::InstallReport report = store::installTables(dir());
    ASSERT_TRUE(report.failures.isEmpty()) << report.failures.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAGOMAT_SOURCE_DIR "/resources/empty.bmp"), path(QStringLiteral("empty.bmp"))));
    for (const char* tool : {"wad3", "i_view32"}) {
        const QString built = QStringLiteral(TAGOMAT_BUILT_PROGRAM_DIR "/") + QLatin1String(tool);
        if (QFile::exists(built)) {
            QFile::copy(built, path(QLatin1String(tool)));
            QFile::setPermissions(path(QLatin1String(tool)), QFile::permissions(built));
        }
    }
    store::setProgramDir(dir());
}

void ProgramFixture::TearDown()
{
    watchers_.reset();
    stop();
    store::setProgramDir(QString());
    app::MessageBox::setScripted(true);
}

bool ProgramFixture::start(bool show)
{
    if (!program_.create())
        return false;
    started_ = true;
    if (show) {
        program_.show();
        form().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form()));
    }
    return true;
}

void ProgramFixture::stop()
{
    if (started_) {
        program_.destroy();
        started_ = false;
    }
}

TForm1& ProgramFixture::form()
{
    EXPECT_NE(program_.mainWindow(), nullptr);
    return *program_.mainWindow();
}

core::Library& ProgramFixture::library() { return program_.library(); }
core::Settings& ProgramFixture::settings() { return program_.settings(); }
logoimport::Importer& ProgramFixture::importer() { return form().importer(); }

QWidget* ProgramFixture::rootWidget() { return program_.mainWindow(); }

void ProgramFixture::makeAllDialogs()
{
    if (program_.mainWindow())
        program_.mainWindow()->makeAllDialogs();
}

namespace {
template <class Fn>
void withTable(const QString& dir, const store::TableDef& def, Fn fn)
{
    store::Table table(def);
    table.setDirectory(dir);
    table.open();
    fn(table);
    table.close();
}
} // namespace

void ProgramFixture::setConfig(int field, const QString& value)
{
    withTable(dir(), store::configTableDef(), [&](store::Table& t) {
        t.edit();
        t.setText(field, value);
        t.post();
    });
    if (program_.mainWindow())
        program_.settings().open(dir());
}

QByteArray ProgramFixture::colourPicture(int seed)
{
    QImage image(16 + seed, 12 + seed, QImage::Format_RGB888);
    image.fill(QColor::fromHsv((seed * 47) % 360, 200, 220));
    return store::pictureFromImage(image);
}

void ProgramFixture::addPage(const QString& title, const QStringList& slotTitles)
{
    withTable(dir(), store::logoTableDef(), [&](store::Table& t) {
        t.insert();
        t.setText(store::LogoPage::PageTitle, title);
        for (int i = 0; i < slotTitles.size() && i < 8; ++i) {
            t.setText(store::LogoPage::pictureTitle(i + 1), slotTitles[i]);
            if (!slotTitles[i].isEmpty())
                t.setPicture(store::LogoPage::picture(i + 1), colourPicture(i + 1));
        }
        t.post();
    });
}

void ProgramFixture::addPageWithFiles(const QString& title, const QStringList& slotTitles)
{
    addPage(title, slotTitles);
    for (const QString& slot : slotTitles)
        if (!slot.isEmpty())
            writeFile(slot + QStringLiteral(".wad"), "logo " + slot.toUtf8());
}

void ProgramFixture::writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ProgramFixture::readFile(const QString& name) const
{
    QFile f(dir() + QLatin1Char('/') + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool ProgramFixture::fileExists(const QString& name) const { return QFile::exists(dir() + QLatin1Char('/') + name); }

QStringList ProgramFixture::storedPageTitles() const
{
    QStringList titles;
    withTable(dir(), store::logoTableDef(), [&](store::Table& t) {
        for (int i = 0; i < t.rowCount(); ++i)
            titles << t.listKey(i);
    });
    return titles;
}

void ProgramFixture::whenModal(std::function<void(QWidget*)> action)
{
    if (!watchers_)
        watchers_ = std::make_unique<QObject>();
    auto* timer = new QTimer(watchers_.get());
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
}

void ProgramFixture::answer(std::initializer_list<app::MessageBox::Answer> answers)
{
    for (auto a : answers)
        app::MessageBox::setNextAnswer(a);
}
