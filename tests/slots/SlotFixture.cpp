#include "SlotFixture.h"

#include "app/TDBImage.h"
#include "app/Unit1.h"
#include "slots/Unit9.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using store::LogoPage::PageTitle;

void SlotFixture::SetUp()
{
    ProgramFixture::SetUp();
    setConfig(store::ConfigRecord::ConfigSaved, QStringLiteral("Yes"));
}

TDBImage* SlotFixture::image(int slot) { return widget<TDBImage>(QStringLiteral("DBImage%1").arg(slot)); }
QLineEdit* SlotFixture::titleEdit(int slot) { return widget<QLineEdit>(QStringLiteral("DBEdit%1").arg(slot)); }
QString SlotFixture::title(int slot) { return titleEdit(slot)->text(); }
QPushButton* SlotFixture::minus(int slot) { return widget<QPushButton>(QStringLiteral("Button%1").arg(2 * slot)); }
QByteArray SlotFixture::field(int slot) { return library().slotPicture(slot); }

namespace {
template <class Fn>
void onStoredPage(const QString& dir, const QString& page, Fn fn)
{
    store::Table table(store::logoTableDef());
    table.setDirectory(dir);
    table.open();
    for (int row = 0; row < table.rowCount(); ++row) {
        table.moveTo(row);
        if (table.text(PageTitle) == page) {
            fn(table);
            break;
        }
    }
    table.close();
}
} // namespace

QString SlotFixture::storedTitle(const QString& page, int slot) const
{
    QString title = QStringLiteral("<no page %1>").arg(page);
    onStoredPage(dir(), page, [&](store::Table& t) { title = t.text(store::LogoPage::pictureTitle(slot)); });
    return title;
}

QByteArray SlotFixture::storedPicture(const QString& page, int slot) const
{
    QByteArray picture;
    onStoredPage(dir(), page, [&](store::Table& t) { picture = t.picture(store::LogoPage::picture(slot)); });
    return picture;
}

QImage SlotFixture::blankImage() const
{
    return QImage(QStringLiteral(TAGOMAT_SOURCE_DIR "/resources/empty.bmp")).convertToFormat(QImage::Format_RGB888);
}

void SlotFixture::withRenameDialog(int tag, const std::function<void(TForm9&)>& action)
{
    leftOpen_ = false;
    bool ran = false;
    whenModal([&](QWidget* modal) {
        ran = true;
        auto* dialog = qobject_cast<TForm9*>(modal);
        ASSERT_NE(dialog, nullptr) << "the modal window is " << modal->objectName().toStdString();
        action(*dialog);
        if (dialog->isVisible()) {
            leftOpen_ = true;
            dialog->close();
        }
    });
    QTest::mouseClick(titleEdit(tag), Qt::LeftButton);
    EXPECT_TRUE(ran) << "the rename dialog did not open";
    EXPECT_FALSE(window<TForm9>().isVisible());
}

QLineEdit* SlotFixture::nameField(TForm9& dialog) { return dialog.findChild<QLineEdit*>(QStringLiteral("Edit1")); }
QPushButton* SlotFixture::okButton(TForm9& dialog) { return dialog.findChild<QPushButton*>(QStringLiteral("Button1")); }

void SlotFixture::typeAndConfirm(TForm9& dialog, const QString& name)
{
    QLineEdit* edit = nameField(dialog);
    edit->selectAll();
    edit->insert(name);
    QTest::mouseClick(okButton(dialog), Qt::LeftButton);
}

void SlotFixture::cancelChanges()
{
    answer({yes()});
    QTest::mouseClick(widget<QToolButton>(QStringLiteral("ToolButton6")), Qt::LeftButton);
}
