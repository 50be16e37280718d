#include "Unit8.h"

#include "ConfigSave.h"
#include "DialogParts.h"
#include "DirectoryList.h"
#include "DriveBox.h"
#include "FileList.h"
#include "HelpLabel.h"
#include "HelpText.h"
#include "MainWindowState.h"
#include "app/CommandGuard.h"
#include "app/Forms.h"
#include "app/MessageBox.h"
#include "game/Unit6.h"
#include "info/DialogFont.h"
#include "info/LinkLabel.h"
#include "info/Links.h"
#include "info/ScreenCentre.h"
#include "store/Records.h"
#include "store/Table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

using namespace store::ConfigRecord;

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
        QStringLiteral("C:\\gamespy\\gamespy.exe or "),
        QStringLiteral("E:\\gamespy\\aphex.exe"),
        QString(),
        QStringLiteral("Any problems?"),
        QString(),
        QStringLiteral("You can find me at:"),
    };
    return settings::helpParagraphs(lines);
}

} // namespace

TForm8::TForm8(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Extra options"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(info::dialogFont());
    setFixedSize(kNarrowWidth, kHeight);

    info::dialogLabel(this, QStringLiteral("Label1"), QStringLiteral("Executable Location:"), 8, 8);

    auto* help = new settings::HelpLabel(this);
    help->setObjectName(QStringLiteral("HelpLabel"));
    help->adjustSize();
    help->move(kNarrowWidth - 8 - help->width(), 8);
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
}

void TForm8::setExtraProgramPath(const QString& path)
{
    path_ = path;
    pathBox_->setText(path_);
}

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
    list_->moveTo(settings::folderOf(path_));
    info::centreOnScreen(this);
}

void TForm8::HelpClick() { setFixedSize(width() == kNarrowWidth ? kWideWidth : kNarrowWidth, kHeight); }

void TForm8::FileListBox1Change() { setExtraProgramPath(files_->selectedPath()); }

void TForm8::FilterComboBox1Change(int index)
{
    files_->setFilter(index == 1 ? settings::FileList::Filter::AllFiles : settings::FileList::Filter::Executables);
}

// A volume that cannot be read leaves the lists where they were.
void TForm8::DriveComboBox1Change(const QString& rootPath) { list_->openFolder(rootPath); }

void TForm8::bSaveClick()
{
    if (!settings::fitsConfigField(ExtraConfig, path_)) {
        settings::reportUnstorablePath();
        return;
    }
    settings::saveConfig([this](store::Table& config) {
        config.setText(ExtraConfig, path_);
        config.setText(ExtraConfigSaved, QStringLiteral("Yes"));
    });
    // Reported, and the program offered, only once the post went through.
    app::MessageBox::plain(QStringLiteral(
        "Settings Saved, if you want to change something in the future just click \"advanced\" in the main menu."));
    if (TForm6* installed = forms().Form6)
        installed->enableExtraProgramButton();
    settings::restoreMainWindow();
    accept();
    if (settings::configText(ConfigSaved) != QLatin1String("Yes"))
        app::MessageBox::plain(QStringLiteral("You have to select the location of the MOD you want"));
}

void TForm8::bCancelClick() { reject(); }

void TForm8::hyperlinkClick() { info::openAddress(info::webSite()); }
