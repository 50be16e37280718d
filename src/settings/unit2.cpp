#include "unit2.h"

#include "DialogParts.h"
#include "DirectoryList.h"
#include "DriveBox.h"
#include "HelpLabel.h"
#include "HelpText.h"
#include "app/CommandGuard.h"
#include "app/MessageBox.h"
#include "core/Settings.h"
#include "info/DialogFont.h"
#include "info/LinkLabel.h"
#include "info/Links.h"
#include "info/ScreenCentre.h"
#include "steam/GameFolders.h"
#include "steam/SteamLibraries.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int kNarrowWidth = 216;
constexpr int kWideWidth = 376;
// Below the buttons: the games found in Steam, the install options and the
// games a logo goes into.
constexpr int kHeight = 444;
constexpr int kListWidth = 200;

QString helpText()
{
    const QStringList lines = {
        QStringLiteral("Just select (double click) the "),
        QStringLiteral("directory with the MOD in it "),
        QStringLiteral("you want to play."),
        QString(),
        QStringLiteral("I.E. "),
        QStringLiteral("C:\\games\\half-life\\Cstrike or "),
        QStringLiteral("D:\\half-life\\tfc"),
    };
    return settings::helpParagraphs(settings::withContactLines(lines));
}

} // namespace

TForm2::TForm2(core::Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    settings::frameSettingsWindow(this, QStringLiteral("Form2"), QStringLiteral("Configuration"), QSize(kNarrowWidth, kHeight));
    info::dialogLabel(this, QStringLiteral("Label1"), QStringLiteral("Game Location:"), 8, 8);
    settings::HelpLabel* help = settings::addHelpLabel(this, 8 + kListWidth, 8);
    connect(help, &settings::HelpLabel::clicked, this, [this] { HelpClick(); });

    list_ = new settings::DirectoryList(this);
    list_->setObjectName(QStringLiteral("DirectoryListBox1"));
    list_->setGeometry(8, 26, kListWidth, 150);
    connect(list_, &settings::DirectoryList::opened, this,
            [this](const QString& directory, bool byItem) { DirectoryListBox1Opened(directory, byItem); });

    drives_ = new settings::DriveBox(this);
    drives_->setObjectName(QStringLiteral("DriveComboBox1"));
    drives_->setGeometry(8, 182, kListWidth, 21);
    drives_->showVolumeOf(list_->shownFolder());
    connect(drives_, &settings::DriveBox::volumeChosen, this, [this](const QString& root) { DriveComboBox1Change(root); });

    info::dialogLabel(this, QStringLiteral("Label2"), QStringLiteral("Current Game Location:"), 8, 210);

    location_label_ = new QLabel(QStringLiteral("C:\\"), this);
    location_label_->setObjectName(QStringLiteral("LocationLabel"));
    location_label_->setGeometry(8, 226, kListWidth, 13);

    const settings::SaveCancel buttons = settings::addSaveCancel(this, {8, 250, 97, 25}, {111, 250, 97, 25});
    connect(buttons.save, &QPushButton::clicked, this, [this] { app::runCommand([this] { bSaveClick(); }); });
    connect(buttons.cancel, &QPushButton::clicked, this, [this] { bCancelClick(); });

    auto* find = new QPushButton(QStringLiteral("Find"), this);
    find->setObjectName(QStringLiteral("FindButton"));
    find->setGeometry(8, 281, 60, 23);
    find->setToolTip(QStringLiteral("Find the game in the Steam libraries"));
    connect(find, &QPushButton::clicked, this, [this] { app::runCommand([this] { FindClick(); }); });

    games_ = new QComboBox(this);
    games_->setObjectName(QStringLiteral("GameList"));
    games_->setGeometry(72, 281, 136, 23);
    games_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(games_, &QComboBox::activated, this, [this](int index) { chooseGame(games_->itemData(index).toString()); });

    tempdecal_ = new QCheckBox(QStringLiteral("Also install as tempdecal.wad"), this);
    tempdecal_->setObjectName(QStringLiteral("TempdecalBox"));
    tempdecal_->setGeometry(8, 310, 200, 19);
    read_only_ = new QCheckBox(QStringLiteral("Make tempdecal.wad read-only"), this);
    read_only_->setObjectName(QStringLiteral("ReadOnlyBox"));
    read_only_->setGeometry(8, 331, 200, 19);
    connect(tempdecal_, &QCheckBox::toggled, read_only_, &QWidget::setEnabled);

    info::dialogLabel(this, QStringLiteral("Label3"), QStringLiteral("Install into:"), 8, 354);
    targets_ = new QListWidget(this);
    targets_->setObjectName(QStringLiteral("TargetList"));
    targets_->setGeometry(8, 370, kListWidth, 68);

    hyperlink_ = settings::addHelpPanel(this, {kNarrowWidth, 0, kWideWidth - kNarrowWidth, kHeight}, 145, helpText(),
                                        info::LinkLabel::PressLook::PlainThenUnderline, {23, 157});
    connect(hyperlink_, &info::LinkLabel::clicked, this, [this] { app::runCommand([this] { hyperlinkClick(); }); });

    list_->setFocus();
}

void TForm2::setStartupLocation(const QString& config)
{
    list_->moveTo(config);
    setLocation(config);
}

void TForm2::showModal()
{
    if (info::bringToFrontIfShown(this))
        return;
    modeless_ = false;
    exec();
    app::runCommand([this] { FormClose(); });
}

void TForm2::showModeless()
{
    if (info::bringToFrontIfShown(this))
        return;
    modeless_ = true;
    setModal(false);
    show();
    raise();
    activateWindow();
}

void TForm2::closeForQuit()
{
    if (!modeless_)
        return;
    modeless_ = false;
    hide();
}

void TForm2::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TForm2::FormShow()
{
    setFixedSize(kNarrowWidth, kHeight);
    setLocation(settings_.savedGameLocation());
    list_->moveTo(settings_.gameLocation());
    const core::InstallOptions options = settings_.savedInstallOptions();
    tempdecal_->setChecked(options.tempdecal);
    read_only_->setChecked(options.readOnly);
    read_only_->setEnabled(options.tempdecal);
    fillTargets();
    // Nothing saved yet: a game Steam has is chosen already.
    if (!settings_.gameLocationSaved())
        FindClick();
    info::centreOnScreen(this);
}

void TForm2::HelpClick()
{
    setFixedSize(width() == kNarrowWidth ? kWideWidth : kNarrowWidth, kHeight);
}

void TForm2::DirectoryListBox1Opened(const QString& directory, bool byItem)
{
    if (byItem)
        following_ = true;
    drives_->showVolumeOf(list_->shownFolder());
    if (following_)
        setLocation(directory);
}

// A volume that cannot be read leaves the list where it was.
void TForm2::DriveComboBox1Change(const QString& rootPath) { list_->openFolder(rootPath); }

void TForm2::setLocation(const QString& location)
{
    settings_.setGameLocation(location);
    showLocation();
    markGameLocation();
}

void TForm2::fillTargets()
{
    const QStringList chosen = settings_.chosenTargets();
    QStringList folders = steam::gameFolders();
    for (const QString& folder : QStringList{settings_.gameLocation()} + chosen)
        if (!folder.isEmpty() && !folders.contains(QDir::cleanPath(folder)) && !folders.contains(folder))
            folders << folder;
    targets_->clear();
    for (const QString& folder : folders) {
        auto* item = new QListWidgetItem(steam::gameName(folder), targets_);
        item->setData(Qt::UserRole, folder);
        item->setToolTip(folder);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen.contains(folder) ? Qt::Checked : Qt::Unchecked);
    }
    markGameLocation();
}

// The game location's row is checked and cannot be unchecked: the logo
// always goes there.
void TForm2::markGameLocation()
{
    if (!targets_)
        return;
    const QString location = QDir::cleanPath(settings_.gameLocation());
    for (int i = 0; i < targets_->count(); ++i) {
        QListWidgetItem* item = targets_->item(i);
        const bool isLocation = QDir::cleanPath(item->data(Qt::UserRole).toString()) == location;
        const bool wasLocation = item->data(Qt::UserRole + 1).toBool();
        item->setData(Qt::UserRole + 1, isLocation);
        item->setFlags(isLocation ? Qt::ItemIsUserCheckable : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        if (isLocation)
            item->setCheckState(Qt::Checked);
        else if (wasLocation)
            item->setCheckState(settings_.chosenTargets().contains(item->data(Qt::UserRole).toString()) ? Qt::Checked
                                                                                                        : Qt::Unchecked);
    }
}

QStringList TForm2::checkedTargets() const
{
    QStringList folders;
    const QString location = QDir::cleanPath(settings_.gameLocation());
    for (int i = 0; i < targets_->count(); ++i) {
        const QListWidgetItem* item = targets_->item(i);
        const QString folder = item->data(Qt::UserRole).toString();
        if (item->checkState() == Qt::Checked && QDir::cleanPath(folder) != location)
            folders << folder;
    }
    return folders;
}

void TForm2::showLocation()
{
    const QString location = settings_.gameLocation();
    location_label_->setText(
        location_label_->fontMetrics().elidedText(location, Qt::ElideMiddle, location_label_->width()));
    location_label_->setToolTip(location);
}

void TForm2::bSaveClick()
{
    following_ = true;
    setLocation(list_->directory());
    const QString location = settings_.gameLocation();
    if (!settings_.fitsGameLocation(location)) {
        settings::reportUnstorablePath();
        return;
    }
    settings_.saveGameLocation(location);
    core::InstallOptions options;
    options.tempdecal = tempdecal_->isChecked();
    options.readOnly = read_only_->isChecked();
    if (!settings_.saveInstallOptions(options))
        app::MessageBox::error(QStringLiteral("The install options could not be saved in \"%1\".")
                                   .arg(settings_.installOptionsPath()));
    if (!settings_.saveChosenTargets(checkedTargets()))
        app::MessageBox::error(QStringLiteral("The games to install into could not be saved in \"%1\".")
                                   .arg(settings_.targetsPath()));
    app::MessageBox::plain(QStringLiteral(
        "Settings Saved, if you want to change something in the future just click \"config\" in the main menu."));
    closeWindow();
    if (!settings_.extraProgramSaved())
        app::MessageBox::plain(QStringLiteral("Use '+' to add or change a logo."));
    emit settingsClosed();
}

void TForm2::FindClick()
{
    const QStringList found = steam::games();
    games_->clear();
    for (const QString& game : found) {
        games_->addItem(game, game);
        games_->setItemData(games_->count() - 1, game, Qt::ToolTipRole);
    }
    if (!found.isEmpty())
        chooseGame(found.first());
}

void TForm2::chooseGame(const QString& location)
{
    if (location.isEmpty())
        return;
    following_ = true;
    list_->moveTo(location);
    drives_->showVolumeOf(list_->shownFolder());
    setLocation(location);
}

void TForm2::bCancelClick() { closeWindow(); }

void TForm2::reject() { closeWindow(); }

void TForm2::hyperlinkClick() { info::openAddress(info::webSite()); }

void TForm2::closeWindow()
{
    if (!isVisible())
        return;
    if (!modeless_) {
        done(QDialog::Rejected);   // showModal runs the closing steps
        return;
    }
    modeless_ = false;
    hide();
    app::runCommand([this] { FormClose(); });
}

// The closing steps compare with "No" exactly: a value that is neither "Yes"
// nor "No" asks nothing.
void TForm2::FormClose()
{
    if (settings_.gameLocationMark() == QLatin1String("No"))
        app::MessageBox::plain(QStringLiteral("You have to configure Tagomat to install logos properly."));
    if (settings_.extraProgramMark() == QLatin1String("No")
        && app::MessageBox::information(QStringLiteral("You can use programs like GameSpy to start after installing "
                                                       "a logo too, do you want to go to that config now?")))
        emit extraOptionsWanted();
    emit settingsClosed();
}
