#include "Unit8.h"

#include "DialogParts.h"
#include "DirectoryList.h"
#include "DriveBox.h"
#include "FileList.h"
#include "HelpLabel.h"
#include "HelpText.h"
#include "app/CommandGuard.h"
#include "app/MessageBox.h"
#include "core/Settings.h"
#include "info/DialogFont.h"
#include "info/LinkLabel.h"
#include "info/Links.h"
#include "info/ScreenCentre.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int kNarrowWidth = 384;
constexpr int kWideWidth = 574;
constexpr int kHeight = 290;

QString helpText()
{
    const QStringList lines = {
        QStringLiteral("You can use other programs (like "),
        QStringLiteral("Gamespy) to start after selecting a "),
        QStringLiteral("logo too. Just select the executable "),
        QStringLiteral("in this screen."),
        QString(),
        QStringLiteral("I.E. "),
        QStringLiteral("~/gamespy/gamespy or "),
        QStringLiteral("/media/games/gamespy/aphex"),
    };
    return settings::helpParagraphs(settings::withContactLines(lines));
}

} // namespace

TForm8::TForm8(core::Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    settings::frameSettingsWindow(this, QStringLiteral("Form8"), QStringLiteral("Extra options"), QSize(kNarrowWidth, kHeight));
    info::dialogLabel(this, QStringLiteral("Label1"), QStringLiteral("Executable Location:"), 8, 8);
    settings::HelpLabel* help = settings::addHelpLabel(this, kNarrowWidth - 8, 8);
    connect(help, &settings::HelpLabel::clicked, this, [this] { HelpClick(); });

    list_ = new settings::DirectoryList(this);
    list_->setObjectName(QStringLiteral("DirectoryListBox1"));
    list_->setGeometry(8, 26, 180, 150);

    files_ = new settings::FileList(this);
    files_->setObjectName(QStringLiteral("FileListBox1"));
    files_->setGeometry(196, 26, 180, 150);
    files_->setFolder(list_->shownFolder());
    connect(files_, &settings::FileList::chosen, this, [this] { FileListBox1Change(); });

    drives_ = new settings::DriveBox(this);
    drives_->setObjectName(QStringLiteral("DriveComboBox1"));
    drives_->setGeometry(8, 182, 180, 21);
    drives_->showVolumeOf(list_->shownFolder());
    connect(drives_, &settings::DriveBox::volumeChosen, this, [this](const QString& root) { DriveComboBox1Change(root); });

    filter_ = new QComboBox(this);
    filter_->setObjectName(QStringLiteral("FilterComboBox1"));
    filter_->setGeometry(196, 182, 180, 21);
    filter_->addItem(QStringLiteral("Executables (*.exe; *.com)"), QStringLiteral("*.exe; *.com"));
    filter_->addItem(QStringLiteral("All files (*.*)"), QStringLiteral("*.*"));
    connect(filter_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) { FilterComboBox1Change(i); });

    connect(list_, &settings::DirectoryList::opened, this, [this] {
        files_->setFolder(list_->shownFolder());
        drives_->showVolumeOf(list_->shownFolder());
    });

    info::dialogLabel(this, QStringLiteral("Label2"), QStringLiteral("Current Executable Location:"), 8, 210);

    pathBox_ = new QLineEdit(this);
    pathBox_->setObjectName(QStringLiteral("Edit1"));
    pathBox_->setGeometry(8, 226, 368, 21);
    pathBox_->setReadOnly(true);

    const settings::SaveCancel buttons = settings::addSaveCancel(this, {96, 256, 90, 25}, {198, 256, 90, 25});
    connect(buttons.save, &QPushButton::clicked, this, [this] { app::runCommand([this] { bSaveClick(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this, [this] { bCancelClick(); });

    hyperlink_ = settings::addHelpPanel(this, {kNarrowWidth, 0, kWideWidth - kNarrowWidth, kHeight}, 152, helpText(),
                                        info::LinkLabel::PressLook::Unchanged, {39, 165});
    connect(hyperlink_, &info::LinkLabel::clicked, this, [this] { app::runCommand([this] { hyperlinkClick(); }); });
    connect(&settings_, &core::Settings::changed, this, &TForm8::showPath);
    showPath();   // made when first used, after the start read the settings
}

void TForm8::showPath() { pathBox_->setText(settings_.extraProgram()); }

void TForm8::showModal()
{
    if (info::bringToFrontIfShown(this))
        return;
    exec();
}

void TForm8::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TForm8::FormShow()
{
    setFixedSize(kNarrowWidth, kHeight);
    list_->moveTo(settings::folderOf(settings_.extraProgram()));
    info::centreOnScreen(this);
}

void TForm8::HelpClick() { setFixedSize(width() == kNarrowWidth ? kWideWidth : kNarrowWidth, kHeight); }

void TForm8::FileListBox1Change() { settings_.setExtraProgram(files_->selectedPath()); }

void TForm8::FilterComboBox1Change(int index)
{
    files_->setFilter(index == 1 ? settings::FileList::Filter::AllFiles : settings::FileList::Filter::Executables);
}

// A volume that cannot be read leaves the lists where they were.
void TForm8::DriveComboBox1Change(const QString& rootPath) { list_->openFolder(rootPath); }

void TForm8::bSaveClick()
{
    const QString path = settings_.extraProgram();
    if (!settings_.fitsExtraProgram(path)) {
        settings::reportUnstorablePath();
        return;
    }
    settings_.saveExtraProgram(path);
    // Reported, and the program offered, only once the post went through.
    app::MessageBox::plain(QStringLiteral(
        "Settings Saved, if you want to change something in the future just click \"advanced\" in the main menu."));
    emit settingsClosed();
    accept();
    if (!settings_.gameLocationSaved())
        app::MessageBox::plain(QStringLiteral("You have to select the location of the MOD you want"));
}

void TForm8::bCancelClick() { reject(); }

void TForm8::hyperlinkClick() { info::openAddress(info::webSite()); }
