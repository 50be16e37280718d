#include "ImportFixture.h"

#include "app/Unit1.h"
#include "formats/Wad3.h"
#include "core/Converters.h"
#include "import/OpenDialog.h"
#include "import/Unit4.h"
#include "store/PictureField.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QWindow>

void ImportFixture::SetUp()
{
    ProgramFixture::SetUp();
    ASSERT_TRUE(other_.isValid());
    // A configured game, so that the first showing asks nothing.
    setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
    ASSERT_TRUE(QFile::exists(path(QStringLiteral("wad3")))) << "the converters are not built";
    logoimport::OpenDialog::clearQueue();
    logoimport::setConverterTimeout(10000);
    app::MessageBox::clearShown();
}

void ImportFixture::TearDown()
{
    EXPECT_EQ(logoimport::OpenDialog::queuedChoices(), 0) << "a queued file choice was not used";
    logoimport::OpenDialog::clearQueue();
    logoimport::setConverterTimeout(10000);
    ProgramFixture::TearDown();
}

QString ImportFixture::fixture(const QString& name) { return QStringLiteral(TAGOMAT_FIXTURES_DIR "/") + name; }

QString ImportFixture::copyTo(const QString& dir, const QString& fixtureName, const QString& as)
{
    const QString target = dir + QLatin1Char('/') + as;
    EXPECT_TRUE(QFile::copy(fixture(fixtureName), target));
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return target;
}

void ImportFixture::chooseFromElsewhere(const QString& fixtureName, const QString& as, const QString& logoName)
{
    logoimport::OpenDialog::queueChoice(copyTo(elsewhere(), fixtureName, as));
    answerPrompt({logoName});
}

void ImportFixture::answerPrompt(const QStringList& names)
{
    whenModal([this, names](QWidget* modal) {
        QStringList left = names;
        auto* prompt = qobject_cast<TForm4*>(modal);
        ASSERT_NE(prompt, nullptr) << "expected the name prompt, got " << modal->objectName().toStdString();
        ++promptShowings;
        auto* edit = prompt->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        auto* ok = prompt->findChild<QPushButton*>(QStringLiteral("Button1"));
        okEnabledOnShow << ok->isEnabled();
        while (prompt->isVisible()) {
            QString name;
            if (left.isEmpty()) {
                ADD_FAILURE() << "the name prompt asked once more";
                name = QStringLiteral("unplanned%1").arg(promptShowings);
            } else {
                name = left.takeFirst();
            }
            edit->clear();
            bool typeable = true;
            for (QChar c : name)
                typeable = typeable && c.unicode() > 0x20 && c.unicode() < 0x7f;
            if (typeable)
                QTest::keyClicks(edit, name);
            else
                edit->setText(name);
            QTest::mouseClick(ok, Qt::LeftButton);
        }
        if (!left.isEmpty())
            answerPrompt(left);
    });
}

void ImportFixture::clickPlus(int slot)
{
    auto* plus = widget<QPushButton>(QStringLiteral("Button%1").arg(2 * slot - 1));
    ASSERT_NE(plus, nullptr);
    QTest::mouseClick(plus, Qt::LeftButton);
}

QList<QUrl> ImportFixture::urlsOf(const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    return urls;
}

void ImportFixture::drop(const QList<QUrl>& urls)
{
    // The way the window system delivers a drop: the drag moves over the
    // window, then the files are let go there.
    QWindow* window = form().windowHandle();
    ASSERT_NE(window, nullptr);
    QMimeData mime;
    mime.setUrls(urls);
    const QPointF where(300, 200);
    QDragMoveEvent move(where.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    QDropEvent release(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &release);
}

QString ImportFixture::slotTitle(int slot) { return library().slotTitle(slot); }

QImage ImportFixture::slotImage(int slot)
{
    return store::pictureImage(library().slotPicture(slot));
}

QString ImportFixture::storedSlotTitle(const QString& page, int slot) const
{
    store::Table table(store::logoTableDef());
    table.setDirectory(dir());
    table.open();
    QString title = QStringLiteral("<no page>");
    for (int row = 0; row < table.rowCount(); ++row) {
        table.moveTo(row);
        if (table.text(store::LogoPage::PageTitle) == page) {
            title = table.text(store::LogoPage::pictureTitle(slot));
            break;
        }
    }
    table.close();
    return title;
}

void ImportFixture::expectShowsWad(const QImage& image, const QString& wadPath)
{
    QFile file(wadPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const formats::RgbImage wad = formats::toRgb(
        formats::readWadPicture(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())));
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), wad.width);
    ASSERT_EQ(image.height(), wad.height);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    double total = 0;
    for (int y = 0; y < wad.height; ++y) {
        const uchar* line = rgb.constScanLine(y);
        for (int x = 0; x < wad.width * 3; ++x)
            total += std::abs(int(line[x]) - int(wad.rgb[size_t(y) * wad.width * 3 + x]));
    }
    const double mean = total / (double(wad.width) * wad.height * 3);
    EXPECT_LT(mean, 6.0) << "mean difference per channel";
}

void ImportFixture::replaceTool(const QString& tool, const QByteArray& script)
{
    QFile::remove(path(tool));
    writeFile(tool, "#!/bin/sh\n" + script);
    QFile::setPermissions(path(tool), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QStringList ImportFixture::programDirEntries() const
{
    return QDir(dir()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}
