// The game location dialog "Configuration": the directory of the game
// modification to be played. The window holds the game location for the
// whole run; installation and game start read it here. From the first double
// click on a folder or the first Save on, the location follows the folder
// list: every folder the list opens becomes the game location at once.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;

namespace info { class LinkLabel; }

namespace settings {
class DirectoryList;
class DriveBox;
}

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // The game location in effect: the full directory path of the mod.
    QString gameLocation() const { return location_; }
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

    settings::DirectoryList* list_ = nullptr;
    settings::DriveBox* drives_ = nullptr;
    QLabel* location_label_ = nullptr;
    QComboBox* games_ = nullptr;
    QCheckBox* tempdecal_ = nullptr;
    QCheckBox* read_only_ = nullptr;
    info::LinkLabel* hyperlink_ = nullptr;
    QString location_;
    bool following_ = false;
    bool modeless_ = false;
};
