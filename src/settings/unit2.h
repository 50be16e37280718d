// The game location dialog "Configuration": the directory of the game
// modification to be played. From the first double click on a folder or the
// first Save on, the game location in use follows the folder list: every
// folder the list opens becomes the game location at once.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace core { class Settings; }

namespace info { class LinkLabel; }

namespace settings {
class DirectoryList;
class DriveBox;
}

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(core::Settings& settings, QWidget* parent = nullptr);

    // At start-up: the stored location, before the window is first shown.
    void setStartupLocation(const QString& config);
    // Modally, the closing steps run once the window has closed and the
    // pressed button's own steps are done; without modality they run the
    // moment the window closes. A window already on the screen is only
    // brought to the front.
    void showModal();
    void showModeless();
    // When the main window closes: a window shown without modality goes
    // without its closing steps, so nothing asks or opens after quitting.
    void closeForQuit();

    // Whether the location label follows the folder list yet.
    bool followsList() const { return following_; }

    void HelpClick();
    void bSaveClick();
    void bCancelClick();
    void hyperlinkClick();
    // Fills the list of games with those found in Steam's libraries and
    // chooses the first.
    void FindClick();

public slots:
    // Cancel, Escape and the title bar's close button.
    void reject() override;

signals:
    // The user wants to choose the extra program now.
    void extraOptionsWanted();
    // The window's closing steps or a save are done.
    void settingsClosed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void closeWindow();
    void DirectoryListBox1Opened(const QString& directory, bool byItem);
    void DriveComboBox1Change(const QString& rootPath);
    void showLocation();
    void chooseGame(const QString& location);
    void setLocation(const QString& location);
    // The game folders a logo is installed into: every one found in Steam
    // and those chosen before, checked when chosen; the game location is
    // always one of them.
    void fillTargets();
    void markGameLocation();
    QStringList checkedTargets() const;

    core::Settings& settings_;
    settings::DirectoryList* list_ = nullptr;
    settings::DriveBox* drives_ = nullptr;
    QLabel* location_label_ = nullptr;
    QComboBox* games_ = nullptr;
    QCheckBox* tempdecal_ = nullptr;
    QCheckBox* read_only_ = nullptr;
    QListWidget* targets_ = nullptr;
    info::LinkLabel* hyperlink_ = nullptr;
    bool following_ = false;
    bool modeless_ = false;
};
